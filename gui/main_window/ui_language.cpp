// Translators and the Language menu. Japanese is the source language: a Japanese interface
// loads no catalogue of ours, so it shows the texts exactly as written in the code.
#include "gui/main_window/ui_language.h"

#include "gui/main_window/start_options.h"
#include "gui/main_window/user_prompts.h"
#include "settings/app_settings.h"
#include "settings/ui_language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

#include <cstdlib>

// Resources of a static library are registered by hand, and only outside any namespace.
static void initTranslationResources() {
    Q_INIT_RESOURCE(translations);
}

namespace plicato {

namespace {

QString installed = QStringLiteral("ja");
QTranslator* ours = nullptr;
QTranslator* qts = nullptr;

} // namespace

QString chosenUiLanguage(const ProfileStore& profile) {
    const std::string locale =
        messagesLocaleName(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    const std::string choice = profile.getString(settingsSection, languageKey).value_or("");
    return QString::fromStdString(uiLanguage(locale, choice));
}

bool installUiLanguage(QCoreApplication& application, const QString& language) {
    initTranslationResources();
    for (QTranslator** t : {&ours, &qts}) {
        if (*t) {
            QCoreApplication::removeTranslator(*t);
            delete *t;
            *t = nullptr;
        }
    }
    bool ok = true;
    if (language == QLatin1String(languageEnglish)) {
        ours = new QTranslator(&application);
        ok = ours->load(QStringLiteral(":/translations/plicato_en.qm"));
        if (ok) {
            QCoreApplication::installTranslator(ours);
        } else {
            delete ours;
            ours = nullptr;
        }
    }
    // Qt's own buttons and dialogs speak the same language (its source texts are English).
    if (language == QLatin1String(languageJapanese))
        qts = installQtTranslations(application, QLocale(QLocale::Japanese, QLocale::Japan));
    installed = ok ? language : QString::fromLatin1(languageJapanese);
    return ok;
}

QString uiLanguageInstalled() {
    return installed;
}

QString helpPageName() {
    return installed == QLatin1String(languageEnglish) ? QStringLiteral("en.html")
                                                       : QStringLiteral("index.html");
}

void addLanguageMenu(QMenu* settingsMenu, ProfileStore& profile, QWidget* parent) {
    QMenu* menu = settingsMenu->addMenu(QCoreApplication::translate("PlicatoPRO", "言語(&L)"));
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    const std::string current = profile.getString(settingsSection, languageKey).value_or("");
    const struct {
        const char* value;
        QString text;
    } entries[] = {
        {"", QCoreApplication::translate("PlicatoPRO", "自動（ロケールに従う）")},
        // Each language is named in its own script, whatever the interface speaks.
        {languageJapanese, QStringLiteral("日本語")}, // notr
        {languageEnglish, QStringLiteral("English")},
    };
    for (const auto& e : entries) {
        QAction* a = menu->addAction(e.text);
        a->setObjectName(QStringLiteral("language-") +
                         (*e.value ? QLatin1String(e.value) : QLatin1String("auto")));
        a->setCheckable(true);
        a->setChecked(current == e.value ||
                      (*e.value == 0 && current != languageJapanese && current != languageEnglish));
        group->addAction(a);
        const std::string value = e.value;
        QObject::connect(a, &QAction::triggered, parent, [&profile, parent, value] {
            profile.setString(settingsSection, languageKey, value);
            profile.save();
            userPrompts().message(
                parent,
                QCoreApplication::translate("PlicatoPRO", "言語は次回の起動から切り替わります。"));
        });
    }
}

} // namespace plicato
