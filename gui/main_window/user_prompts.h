// Every place where the application waits for the user: file dialogs, message boxes, the save
// question, modal dialogs and opening pages in the browser. Tests install their own answers.
#pragma once

#include "model/message_sink.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

class QDialog;
class QFileDialog;
class QWidget;

namespace plicato {

inline constexpr char appTitle[] = "PlicatoPRO";
inline constexpr char plqFilter[] = "PlicatoPRO (*.plq)";

class UserPrompts {
public:
    enum class SaveAnswer { Yes, No, Cancel };
    enum class RecoverAnswer { Recover, Discard, Later };

    virtual ~UserPrompts() = default;
    // Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filter);
    // Asks before overwriting; empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filter);
    // A modal message with caption "PlicatoPRO" and an OK button.
    virtual void message(QWidget* parent, const QString& text);
    // The same message naming the file it is about under the text.
    virtual void messageAbout(QWidget* parent, const QString& text, const QString& file);
    // "変更内容を保存しますか?" with はい / いいえ / キャンセル.
    virtual SaveAnswer askSaveChanges(QWidget* parent, const QString& title);
    // "復元しますか?" about a recovery copy of design `title` written at `saved`: recover it,
    // discard it, or keep it for a later start.
    virtual RecoverAnswer askRecover(QWidget* parent, const QString& title, const QDateTime& saved);
    // Runs a modal dialog; the result of QDialog::exec.
    virtual int runDialog(QDialog& dialog);
    virtual bool openUrl(const QUrl& url);
};

// The save dialog of the file commands: asks before overwriting, and a name typed without an
// extension gets the filter's one, so the file shows in the Open dialog afterwards.
void prepareSaveDialog(QFileDialog& dialog, const QString& folder, const QString& filter);

// The process-wide instance (a default one until something else is installed).
UserPrompts& userPrompts();
// Installs `prompts` (not owned); nullptr restores the default.
void installUserPrompts(UserPrompts* prompts);

// Sends core messages to the user through the installed prompts.
class PromptMessageSink : public MessageSink {
public:
    explicit PromptMessageSink(QWidget* parent) : parent(parent) {}
    void show(const std::string& text) override;

private:
    QWidget* parent;
};

} // namespace plicato
