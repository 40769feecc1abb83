// The interactive answers: Qt's file dialogs, message boxes and the desktop's browser.
#include "gui/main_window/user_prompts.h"

#include "gui/main_window/ui_language.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace plicato {

namespace {
UserPrompts defaultPrompts;
UserPrompts* installed = nullptr;
} // namespace

QString UserPrompts::openFileName(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("PlicatoPRO", "開く"),
                                        folder, filter);
}

void prepareSaveDialog(QFileDialog& dialog, const QString& folder, const QString& filter) {
    dialog.setWindowTitle(QCoreApplication::translate("PlicatoPRO", "名前を付けて保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    // "PlicatoPRO (*.plq)" -> "plq"
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (m.hasMatch())
        dialog.setDefaultSuffix(m.captured(1));
    // A path that is not a folder presets the file name in its folder (save pattern).
    const QFileInfo info(folder);
    if (!folder.isEmpty() && !info.isDir() && info.dir().exists()) {
        dialog.setDirectory(info.path());
        dialog.selectFile(info.fileName());
    } else if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
}

QString UserPrompts::saveFileName(QWidget* parent, const QString& folder, const QString& filter) {
    QFileDialog dialog(parent);
    prepareSaveDialog(dialog, folder, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void UserPrompts::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(appTitle), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void UserPrompts::messageAbout(QWidget* parent, const QString& text, const QString& file) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(appTitle), text, QMessageBox::Ok,
                    parent);
    box.setInformativeText(QDir::toNativeSeparators(file));
    box.exec();
}

UserPrompts::SaveAnswer UserPrompts::askSaveChanges(QWidget* parent, const QString& title) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(appTitle),
                    QCoreApplication::translate("PlicatoPRO", "変更内容を保存しますか?"),
                    QMessageBox::NoButton, parent);
    box.setInformativeText(title);
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("PlicatoPRO", "はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(QCoreApplication::translate("PlicatoPRO", "いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("PlicatoPRO", "キャンセル"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return SaveAnswer::Yes;
    if (box.clickedButton() == no)
        return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

UserPrompts::RecoverAnswer UserPrompts::askRecover(QWidget* parent, const QString& title,
                                                   const QDateTime& saved) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(appTitle),
                    QCoreApplication::translate("PlicatoPRO", "復元しますか?"),
                    QMessageBox::NoButton, parent);
    box.setInformativeText(
        QStringLiteral("%1\n%2").arg(title, QLocale().toString(saved, QLocale::ShortFormat)));
    QPushButton* recover = box.addButton(QCoreApplication::translate("PlicatoPRO", "復元する(&R)"),
                                         QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QCoreApplication::translate("PlicatoPRO", "破棄する(&D)"),
                                         QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QCoreApplication::translate("PlicatoPRO", "後で(&L)"),
                                       QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == recover)
        return RecoverAnswer::Recover;
    if (box.clickedButton() == discard)
        return RecoverAnswer::Discard;
    return RecoverAnswer::Later;
}

int UserPrompts::runDialog(QDialog& dialog) {
    return dialog.exec();
}

bool UserPrompts::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

UserPrompts& userPrompts() {
    return installed ? *installed : defaultPrompts;
}

void installUserPrompts(UserPrompts* prompts) {
    installed = prompts;
}

void PromptMessageSink::show(const std::string& text) {
    userPrompts().message(parent, translateCoreMessage(text));
}

} // namespace plicato
