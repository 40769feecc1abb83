// Autosave of unsaved designs to this instance's recovery copy, and the offer at start-up to
// bring back copies that an earlier run left behind.
#pragma once

#include "settings/recovery_store.h"

#include <QElapsedTimer>
#include <QObject>

#include <cstdint>
#include <string>

class QTimer;

namespace plicato {

class CMainFrame;

struct AutosaveTiming {
    int periodMs = 2 * 60 * 1000;  // while changes are unsaved
    int snapshotGapMs = 10 * 1000; // at most this often after undo snapshots
    int pollMs = 1000;             // how often the design is looked at
};

class CAutosave : public QObject {
    Q_OBJECT
public:
    CAutosave(CMainFrame& frame, const std::string& folder, AutosaveTiming timing = {});
    ~CAutosave() override;

    // False when the recovery folder cannot be used; nothing is then written.
    bool active() const { return store.claimed(); }
    RecoveryStore& recoveryStore() { return store; }
    int writes() const { return writeCount; }

    // At start-up: asks about each copy left behind, newest first, until one is recovered.
    // True when a design was recovered.
    bool offerRecovery();
    // Writes the recovery copy when the design has changes that are neither saved nor in the
    // copy yet. True when a copy was written.
    bool autosaveNow();
    // The program ends normally: the copy and the lock go.
    void cleanExit();

private:
    void poll();
    void designSettled();
    bool recoverFrom(const RecoveryCopy& copy);

    CMainFrame& frame;
    RecoveryStore store;
    AutosaveTiming timing;
    QTimer* pollTimer = nullptr;
    QElapsedTimer sinceWrite;
    std::uint64_t snapshotsSeen = 0;
    std::uint64_t writtenPrint = 0;
    bool copyOnDisk = false;
    int writeCount = 0;
};

} // namespace plicato
