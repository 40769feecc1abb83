// Recovery copies on disk. Ownership rests on flock(): a lock dies with its process, however the
// process ends, so a copy whose lock can be taken belongs to nobody and may be offered back.
#include "settings/recovery_store.h"

#include "model_file/safe_file_write.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plicato {

namespace fs = std::filesystem;

namespace {

constexpr char copyExt[] = "plq";
constexpr char infoExt[] = "info";
constexpr char lockExt[] = "lock";

std::optional<std::int64_t> modificationTime(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Opens (creating when missing) and locks a lock file without waiting; -1 when another process
// holds it or it cannot be opened.
int lockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string readSmallFile(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[4096];
    ssize_t n = 0;
    // The side file holds a path and a title; anything far larger is not ours.
    while (text.size() < 65536 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    ::close(fd);
    return text;
}

void escapeInto(std::string& out, std::string_view value) {
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
}

std::string unescape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

} // namespace

RecoveryLocationInputs RecoveryLocationInputs::fromEnvironment() {
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    return {env("XDG_STATE_HOME"), env("HOME")};
}

std::string recoveryFolder(const RecoveryLocationInputs& in) {
    fs::path state;
    // A relative XDG path is invalid by the base-directory rules and is ignored.
    if (!in.xdgStateHome.empty() && fs::path(in.xdgStateHome).is_absolute())
        state = in.xdgStateHome;
    else if (!in.home.empty() && fs::path(in.home).is_absolute())
        state = fs::path(in.home) / ".local" / "state";
    else
        return {};
    return (state / "PlicatoPRO" / "recovery").string();
}

std::string recoveryInstanceName(long pid, std::uint64_t token) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    do {
        hex.insert(hex.begin(), digits[token & 15]);
        token >>= 4;
    } while (token != 0);
    return std::to_string(pid < 0 ? -pid : pid) + "-" + hex;
}

std::optional<std::string> recoveryInstanceOf(std::string_view fileName, std::string_view ext) {
    if (fileName.size() <= ext.size() + 1 || !fileName.ends_with(ext) ||
        fileName[fileName.size() - ext.size() - 1] != '.')
        return std::nullopt;
    const std::string_view stem = fileName.substr(0, fileName.size() - ext.size() - 1);
    const std::size_t dash = stem.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == stem.size())
        return std::nullopt;
    for (std::size_t i = 0; i < stem.size(); ++i) {
        const char c = stem[i];
        const bool ok = i < dash ? (c >= '0' && c <= '9') : i == dash || isHex(c);
        if (!ok)
            return std::nullopt;
    }
    return std::string(stem);
}

std::string encodeRecoveryInfo(const RecoveryInfo& info) {
    std::string out = "design=";
    escapeInto(out, info.designPath);
    out += "\ntitle=";
    escapeInto(out, info.title);
    out += '\n';
    return out;
}

RecoveryInfo decodeRecoveryInfo(std::string_view text) {
    RecoveryInfo info;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.starts_with("design="))
            info.designPath = unescape(line.substr(7));
        else if (line.starts_with("title="))
            info.title = unescape(line.substr(6));
    }
    return info;
}

bool recoveryIsNewer(std::int64_t copyTime, std::optional<std::int64_t> designTime) {
    return !designTime || *designTime < copyTime;
}

RecoveryStore::RecoveryStore(std::string folder, std::string instance)
    : dir(std::move(folder)), name(std::move(instance)) {}

RecoveryStore::~RecoveryStore() {
    for (const auto& [instance, fd] : held)
        ::close(fd);
    if (lockFd >= 0)
        ::close(lockFd);
}

std::string RecoveryStore::pathOf(const std::string& instance, const char* ext) const {
    return (fs::path(dir) / (instance + "." + ext)).string();
}

std::string RecoveryStore::copyPath() const {
    return pathOf(name, copyExt);
}

std::string RecoveryStore::infoPath() const {
    return pathOf(name, infoExt);
}

bool RecoveryStore::claim() {
    if (lockFd >= 0)
        return true;
    if (dir.empty())
        return false;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        if (!fs::create_directories(dir, ec) || ec)
            return false;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    // The lock is taken under a name nobody scans and then renamed into place, so no other
    // instance can find the lock file before it is locked and mistake it for a dead one's.
    const std::string final = pathOf(name, lockExt);
    const std::string fresh = final + ".new";
    const int fd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(fresh.c_str(), final.c_str()) != 0) {
        ::unlink(fresh.c_str());
        ::close(fd);
        return false;
    }
    lockFd = fd;
    return true;
}

bool RecoveryStore::write(std::string_view modelBytes, const RecoveryInfo& info) {
    if (lockFd < 0)
        return false;
    const std::string target = copyPath();
    // Never over the user's own file, whatever it is called.
    std::error_code ec;
    if (!info.designPath.empty() &&
        (info.designPath == target || fs::equivalent(info.designPath, target, ec)))
        return false;
    return replaceFileContents(infoPath(), encodeRecoveryInfo(info)) &&
           replaceFileContents(target, modelBytes);
}

bool RecoveryStore::hasCopy() const {
    struct stat st {};
    return ::stat(copyPath().c_str(), &st) == 0;
}

void RecoveryStore::removeCopy() {
    if (lockFd < 0)
        return;
    // The model file first: a side file alone is a leftover the next scan clears.
    ::unlink(copyPath().c_str());
    ::unlink(infoPath().c_str());
}

void RecoveryStore::release() {
    if (lockFd < 0)
        return;
    removeCopy();
    ::unlink(pathOf(name, lockExt).c_str());
    ::close(lockFd);
    lockFd = -1;
}

std::vector<RecoveryCopy> RecoveryStore::orphans() {
    std::vector<RecoveryCopy> found;
    std::error_code ec;
    std::vector<std::string> instances;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        for (const char* ext : {copyExt, infoExt, lockExt}) {
            if (auto instance = recoveryInstanceOf(file, ext)) {
                if (*instance != name && !held.count(*instance))
                    instances.push_back(*instance);
            }
        }
    }
    std::sort(instances.begin(), instances.end());
    instances.erase(std::unique(instances.begin(), instances.end()), instances.end());

    for (const std::string& instance : instances) {
        const int fd = lockFile(pathOf(instance, lockExt));
        if (fd < 0)
            continue; // its owner is running, or the folder is not ours to change
        held[instance] = fd;
        RecoveryCopy copy;
        copy.instance = instance;
        copy.copyPath = pathOf(instance, copyExt);
        const auto saved = modificationTime(copy.copyPath);
        copy.info = decodeRecoveryInfo(readSmallFile(pathOf(instance, infoExt)));
        if (!saved || !recoveryIsNewer(*saved, modificationTime(copy.info.designPath))) {
            discard(copy); // nothing to offer, or the design was saved after the copy
            continue;
        }
        copy.savedTime = *saved;
        found.push_back(std::move(copy));
    }
    std::sort(found.begin(), found.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.savedTime > b.savedTime;
    });
    return found;
}

void RecoveryStore::discard(const RecoveryCopy& copy) {
    if (!held.count(copy.instance))
        return; // only a copy this store holds is removed
    ::unlink(pathOf(copy.instance, copyExt).c_str());
    ::unlink(pathOf(copy.instance, infoExt).c_str());
    ::unlink(pathOf(copy.instance, lockExt).c_str());
    releaseHeld(copy.instance);
}

void RecoveryStore::keep(const RecoveryCopy& copy) {
    releaseHeld(copy.instance);
}

void RecoveryStore::releaseHeld(const std::string& instance) {
    const auto it = held.find(instance);
    if (it == held.end())
        return;
    ::close(it->second);
    held.erase(it);
}

} // namespace plicato
