// Autosave: a timer looks at the design; a copy is written when changes have been unsaved for
// the period, or sooner after an undo snapshot; saving or dropping the changes removes it.
#include "gui/main_window/autosave.h"

#include "editing/undo_history.h"
#include "gui/main_window/dave3v_doc.h"
#include "gui/main_window/main_frame.h"
#include "gui/main_window/user_prompts.h"
#include "model/card_model.h"
#include "model/file_names.h"
#include "model_file/design_fingerprint.h"
#include "model_file/model_file_reader.h"
#include "model_file/model_file_writer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTimer>

#include <unistd.h>

namespace plicato {

CAutosave::CAutosave(CMainFrame& frame, const std::string& folder, AutosaveTiming timing)
    : QObject(&frame), frame(frame),
      store(folder,
            recoveryInstanceName(long(::getpid()), QRandomGenerator::global()->generate64())),
      timing(timing) {
    if (!store.claim())
        return;
    snapshotsSeen = undoSnapshotCount();
    sinceWrite.start();
    pollTimer = new QTimer(this);
    connect(pollTimer, &QTimer::timeout, this, &CAutosave::poll);
    pollTimer->start(timing.pollMs);
    // A save or a new design marks the document clean; the copy is then no longer needed.
    connect(&frame.document(), &CDave3vDoc::titleChanged, this, &CAutosave::designSettled);
}

CAutosave::~CAutosave() = default;

void CAutosave::designSettled() {
    if (copyOnDisk && !frame.document().isModified()) {
        store.removeCopy();
        copyOnDisk = false;
    }
}

void CAutosave::poll() {
    if (!frame.document().isModified()) {
        designSettled();
        return;
    }
    const std::uint64_t snapshots = undoSnapshotCount();
    const qint64 elapsed = sinceWrite.elapsed();
    if (elapsed >= timing.periodMs ||
        (snapshots != snapshotsSeen && elapsed >= timing.snapshotGapMs))
        autosaveNow();
}

bool CAutosave::autosaveNow() {
    sinceWrite.restart();
    snapshotsSeen = undoSnapshotCount();
    const CardModel* model = currentModel();
    if (!active() || !model || !frame.document().isModified())
        return false;
    const std::uint64_t print = designFingerprint(*model);
    if (copyOnDisk && print == writtenPrint)
        return false; // the copy already holds these changes
    if (!modelFitsFileLimits(*model))
        return false;
    const RecoveryInfo info{frame.document().modelPath().toStdString(),
                            frame.document().title().toStdString()};
    if (!store.write(encodeModelFile(*model), info))
        return false;
    writtenPrint = print;
    copyOnDisk = true;
    ++writeCount;
    return true;
}

void CAutosave::cleanExit() {
    if (pollTimer)
        pollTimer->stop();
    store.release();
    copyOnDisk = false;
}

bool CAutosave::recoverFrom(const RecoveryCopy& copy) {
    PromptMessageSink sink(&frame);
    if (!readModelFile(copy.copyPath, sink)) {
        userPrompts().message(
            &frame, QCoreApplication::translate("PlicatoPRO", "ファイルを読み込めませんでした"));
        return false;
    }
    // The design comes back under its own name and file, with its changes still unsaved: the
    // document stays clean only for the start-up card it replaced.
    CDave3vDoc& doc = frame.document();
    doc.setModelPath(QString::fromStdString(copy.info.designPath));
    QString title = QString::fromStdString(copy.info.title);
    if (title.isEmpty())
        title = copy.info.designPath.empty()
                    ? QCoreApplication::translate("PlicatoPRO", "無題")
                    : QString::fromStdString(fileTitle(copy.info.designPath));
    doc.setTitle(title);
    frame.updateAllViews();
    return true;
}

bool CAutosave::offerRecovery() {
    if (!active())
        return false;
    bool recovered = false;
    for (const RecoveryCopy& copy : store.orphans()) {
        if (recovered) {
            store.keep(copy);
            continue;
        }
        QString title = QString::fromStdString(copy.info.title);
        if (title.isEmpty())
            title = QCoreApplication::translate("PlicatoPRO", "無題");
        const QDateTime saved = QDateTime::fromMSecsSinceEpoch(copy.savedTime / 1'000'000);
        switch (userPrompts().askRecover(&frame, title, saved)) {
        case UserPrompts::RecoverAnswer::Recover:
            if (recoverFrom(copy)) {
                recovered = true;
                // Our own copy first, then the old one goes: the work is on disk throughout.
                if (autosaveNow() || !frame.document().isModified())
                    store.discard(copy);
                else
                    store.keep(copy);
            } else {
                store.keep(copy);
            }
            break;
        case UserPrompts::RecoverAnswer::Discard:
            store.discard(copy);
            break;
        case UserPrompts::RecoverAnswer::Later:
            store.keep(copy);
            break;
        }
    }
    return recovered;
}

} // namespace plicato
