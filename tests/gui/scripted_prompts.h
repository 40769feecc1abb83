// Test answers for every question the application asks: file dialogs, the save question,
// modal dialogs and the browser; messages are collected instead of shown.
#pragma once

#include "gui/main_window/user_prompts.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

namespace plicato::test {

class ScriptedPrompts : public UserPrompts {
public:
    ScriptedPrompts() { installUserPrompts(this); }
    ~ScriptedPrompts() override { installUserPrompts(nullptr); }

    QString openFileName(QWidget*, const QString& folder, const QString& filter) override {
        openFolders.push_back(folder);
        filters.push_back(filter);
        return take(openAnswers);
    }
    QString saveFileName(QWidget*, const QString& folder, const QString& filter) override {
        saveFolders.push_back(folder);
        filters.push_back(filter);
        return take(saveAnswers);
    }
    void message(QWidget*, const QString& text) override { messages.push_back(text); }
    void messageAbout(QWidget*, const QString& text, const QString& file) override {
        messages.push_back(text);
        messageFiles.push_back(file);
    }
    SaveAnswer askSaveChanges(QWidget*, const QString&) override {
        ++saveQuestions;
        return saveAnswer;
    }
    RecoverAnswer askRecover(QWidget*, const QString& title, const QDateTime&) override {
        recoverTitles.push_back(title);
        return recoverAnswers.empty() ? RecoverAnswer::Later : takeAnswer(recoverAnswers);
    }
    int runDialog(QDialog& dialog) override {
        dialogTitles.push_back(dialog.windowTitle());
        return dialogAnswer ? dialogAnswer(dialog) : int(QDialog::Rejected);
    }
    bool openUrl(const QUrl& url) override {
        urls.push_back(url);
        return urlResult;
    }

    std::deque<QString> openAnswers; // an empty string is a cancelled dialog
    std::deque<QString> saveAnswers;
    SaveAnswer saveAnswer = SaveAnswer::Cancel;
    std::function<int(QDialog&)> dialogAnswer;
    bool urlResult = true;
    std::deque<RecoverAnswer> recoverAnswers; // none left: keep for later

    QStringList messages;
    QStringList messageFiles; // the file each message naming one is about
    QStringList openFolders;
    QStringList saveFolders;
    QStringList filters;
    QStringList dialogTitles;
    QList<QUrl> urls;
    QStringList recoverTitles;
    int saveQuestions = 0;

private:
    template <typename T> static T takeAnswer(std::deque<T>& q) {
        T a = q.front();
        q.pop_front();
        return a;
    }
    static QString take(std::deque<QString>& q) {
        if (q.empty())
            return QString();
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

} // namespace plicato::test
