// Replacing a file through a checked temporary file and a rename (POSIX).
#include "output/file_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plicato {

namespace {

bool fail(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

} // namespace

bool writeFileReplacing(const std::string& path, std::string_view bytes, std::string* error) {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        errno = EISDIR;
        return fail(error, path);
    }
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return fail(error, "cannot create a file in the folder of " + path);

    // The new file gets the permissions of the one it replaces, or the usual ones for new files.
    struct stat existing;
    mode_t mode;
    if (stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = fchmod(fd, mode) == 0;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t n = write(fd, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        data += n;
        left -= std::size_t(n);
    }
    ok = ok && fsync(fd) == 0;
    const int saved = errno;
    ok = (close(fd) == 0) && ok;
    if (ok && std::rename(temp.data(), path.c_str()) == 0)
        return true;
    if (errno == 0)
        errno = saved;
    fail(error, "cannot write " + path);
    unlink(temp.data());
    return false;
}

} // namespace plicato
