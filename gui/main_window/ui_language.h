// The user interface's language: the English catalogue (built from the .ts files kept in the
// repository) or the Japanese source texts, Qt's own texts to match, the core's messages
// translated where they are shown, and the help page of that language.
#pragma once

#include "gui/dialogs/core_text.h"
#include "settings/profile_store.h"

#include <QString>

#include <string>

class QCoreApplication;
class QMenu;
class QWidget;

namespace plicato {

// "ja" or "en", from the profile's "language" key and the process's locale.
QString chosenUiLanguage(const ProfileStore& profile);
// Installs the translators for `language` ("ja" or "en"); false when the English catalogue
// could not be loaded (the texts then stay Japanese).
bool installUiLanguage(QCoreApplication& application, const QString& language);
// The language installed last; "ja" until one is installed.
QString uiLanguageInstalled();

// The help page for the interface's language, inside the help folder.
QString helpPageName();

// Adds the Language entry (automatic, 日本語, English) to `settingsMenu`; the choice is kept in
// `profile` and takes effect at the next start.
void addLanguageMenu(QMenu* settingsMenu, ProfileStore& profile, QWidget* parent);

} // namespace plicato
