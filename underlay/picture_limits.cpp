// Checked opening and read-only mapping of picture files.
#include "underlay/picture_limits.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plicato {

int openRegularFile(const std::string& path) {
    // O_NONBLOCK keeps open() itself from waiting on a FIFO before we can look at it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

MappedFile::MappedFile(const std::string& path) {
    const int fd = openRegularFile(path);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size >= 0) {
        length = static_cast<std::size_t>(st.st_size);
        if (length == 0) {
            opened = true; // an empty file opens; the readers refuse it by its contents
        } else {
            void* p = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                bytes = static_cast<const unsigned char*>(p);
                opened = mapped = true;
            } else {
                length = 0;
            }
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (mapped)
        ::munmap(const_cast<unsigned char*>(bytes), length);
}

} // namespace plicato
