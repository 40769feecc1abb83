// Recovery copies of unsaved designs: where they live, how they are named, which instance owns
// which copy (a lock file held for the life of the process), and which copies to offer back.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plicato {

// What decides where recovery copies live; filled from the process by fromEnvironment().
struct RecoveryLocationInputs {
    std::string xdgStateHome; // XDG_STATE_HOME
    std::string home;         // HOME

    static RecoveryLocationInputs fromEnvironment();
};

// "<state>/PlicatoPRO/recovery" with <state> = XDG_STATE_HOME when absolute, else
// ~/.local/state; empty when neither is known (autosave is then off).
std::string recoveryFolder(const RecoveryLocationInputs& in);

// An instance's name: "<pid>-<token in hex>". The token tells apart two processes that were
// given the same pid at different times.
std::string recoveryInstanceName(long pid, std::uint64_t token);
// The instance of a file in the recovery folder named "<instance>.<ext>", or nothing for a
// file that is not ours.
std::optional<std::string> recoveryInstanceOf(std::string_view fileName, std::string_view ext);

// What the side file of a copy records about the design it stands for.
struct RecoveryInfo {
    std::string designPath; // the user's file; empty for an untitled design
    std::string title;      // the title shown when the copy was written
};
std::string encodeRecoveryInfo(const RecoveryInfo& info);
// Lines that are not "design=" or "title=" are ignored; escapes are undone.
RecoveryInfo decodeRecoveryInfo(std::string_view text);

// Modification times in nanoseconds since the epoch. A copy is worth offering when its design
// has no file (untitled, moved or deleted) or the file is older than the copy.
bool recoveryIsNewer(std::int64_t copyTime, std::optional<std::int64_t> designTime);

// A copy left by an instance that is gone.
struct RecoveryCopy {
    std::string instance;
    std::string copyPath; // the model file
    RecoveryInfo info;
    std::int64_t savedTime = 0; // nanoseconds since the epoch
};

// One process's view of the recovery folder. It owns the copy named after its instance and
// never writes any other; copies of live instances are left alone.
class RecoveryStore {
public:
    // `folder` is created (private to the user) when claim() runs.
    RecoveryStore(std::string folder, std::string instance);
    ~RecoveryStore(); // drops the lock; the copy stays, for the next start to offer
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    const std::string& folder() const { return dir; }
    const std::string& instance() const { return name; }
    std::string copyPath() const;
    std::string infoPath() const;

    // Creates the folder and takes this instance's lock. False when that is impossible; the
    // store then writes nothing.
    bool claim();
    bool claimed() const { return lockFd >= 0; }

    // Writes the recovery copy through the safe writer: the side file, then the model bytes.
    // Refuses a target that is the user's own file. False when nothing was written.
    bool write(std::string_view modelBytes, const RecoveryInfo& info);
    bool hasCopy() const;
    // Removes this instance's copy (the design was saved or its changes dropped).
    void removeCopy();
    // A clean exit: copy and lock file removed, lock dropped.
    void release();

    // Copies whose owners are gone and that are newer than their designs, newest first. Each
    // one returned is held (locked) by this store until discard() or keep(), so another
    // starting instance does not offer it at the same time. Copies older than their design and
    // leftovers without a copy are removed.
    std::vector<RecoveryCopy> orphans();
    // Removes a held copy's files.
    void discard(const RecoveryCopy& copy);
    // Leaves a held copy for a later start.
    void keep(const RecoveryCopy& copy);

private:
    std::string pathOf(const std::string& instance, const char* ext) const;
    void releaseHeld(const std::string& instance);

    std::string dir;
    std::string name;
    int lockFd = -1;
    std::map<std::string, int> held; // orphan instance -> its lock file, locked by us
};

} // namespace plicato
