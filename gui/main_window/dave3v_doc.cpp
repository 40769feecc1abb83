// The file commands: which dialogs they show, what they change, and what a failure leaves.
#include "gui/main_window/dave3v_doc.h"

#include "gui/main_window/main_frame.h"
#include "gui/main_window/user_prompts.h"
#include "model/card_model.h"
#include "model/file_names.h"
#include "model_file/design_fingerprint.h"
#include "model_file/model_file_reader.h"
#include "model_file/model_file_writer.h"

#include <QCoreApplication>
#include <QFile>

namespace plicato {

CDave3vDoc::CDave3vDoc(CMainFrame& frame) : QObject(&frame), frame(frame) {}

bool CDave3vDoc::onNewDocument() {
    path.clear();
    setTitle(QCoreApplication::translate("PlicatoPRO", "無題"));
    markClean();
    return true;
}

void CDave3vDoc::setTitle(const QString& title) {
    docTitle = title;
    emit titleChanged();
}

bool CDave3vDoc::isModified() const {
    const CardModel* model = currentModel();
    return model != nullptr && designFingerprint(*model) != cleanPrint;
}

void CDave3vDoc::markClean() {
    const CardModel* model = currentModel();
    cleanPrint = model ? designFingerprint(*model) : 0;
    emit titleChanged();
}

bool CDave3vDoc::saveModified() {
    if (!isModified())
        return true;
    switch (userPrompts().askSaveChanges(&frame, docTitle)) {
    case UserPrompts::SaveAnswer::Yes:
        return save();
    case UserPrompts::SaveAnswer::No:
        return true;
    case UserPrompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CDave3vDoc::readDesign(const QString& file) {
    {
        QFile probe(file);
        if (file.isEmpty() || !probe.open(QIODevice::ReadOnly | QIODevice::Text)) {
            userPrompts().messageAbout(
                &frame, QCoreApplication::translate("PlicatoPRO", "ファイルを開けません"), file);
            return false;
        }
    }
    PromptMessageSink sink(&frame);
    if (!readModelFile(file.toStdString(), sink)) {
        userPrompts().messageAbout(
            &frame, QCoreApplication::translate("PlicatoPRO", "ファイルを読み込めませんでした"),
            file);
        return false;
    }
    return true;
}

void CDave3vDoc::open() {
    if (!saveModified())
        return;
    QString folder = QString::fromStdString(frame.settings().defaultFileDir);
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString file = userPrompts().openFileName(&frame, folder, QString::fromUtf8(plqFilter));
    if (file.isEmpty())
        return;
    if (!readDesign(file))
        return;
    frame.settings().defaultFileDir = folderOf(file.toStdString());
    path = file;
    setTitle(QString::fromStdString(fileTitle(file.toStdString())));
    frame.addRecentFile(file);
    markClean();
    frame.updateAllViews();
}

bool CDave3vDoc::writeDesign(const QString& file) {
    PromptMessageSink sink(&frame);
    return writeModelFile(file.toStdString(), sink);
}

QString CDave3vDoc::saveFolder() const {
    // Where a save dialog left to itself would start on the desktop this mirrors: the folder
    // last worked in, not the program's working directory.
    if (!path.isEmpty())
        return QString::fromStdString(folderOf(path.toStdString()));
    return QString::fromStdString(frame.settings().defaultFileDir);
}

bool CDave3vDoc::saveAs() {
    const QString file =
        userPrompts().saveFileName(&frame, saveFolder(), QString::fromUtf8(plqFilter));
    if (file.isEmpty())
        return false;
    // A failed write has shown its message; the design keeps its old name, file and list.
    if (!writeDesign(file))
        return false;
    path = file;
    setTitle(QString::fromStdString(fileTitle(file.toStdString())));
    frame.addRecentFile(file);
    markClean();
    return true;
}

bool CDave3vDoc::save() {
    if (!path.isEmpty()) {
        if (!writeDesign(path))
            return false;
        markClean();
        return true;
    }
    // An untitled design is written where the user says but stays untitled, so the next Save
    // asks again.
    const QString file =
        userPrompts().saveFileName(&frame, saveFolder(), QString::fromUtf8(plqFilter));
    if (file.isEmpty())
        return false;
    if (!writeDesign(file))
        return false;
    markClean();
    return true;
}

} // namespace plicato
