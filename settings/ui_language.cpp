// The language rule, kept free of Qt so the command line and tests share it.
#include "settings/ui_language.h"

namespace plicato {

std::string uiLanguage(std::string_view localeName, std::string_view choice) {
    if (choice == languageJapanese || choice == languageEnglish)
        return std::string(choice);
    // "ja", "ja_JP", "ja_JP.UTF-8", "ja_JP@variant": the language is what precedes _ . @
    const std::size_t end = localeName.find_first_of("_.@");
    const std::string_view language = localeName.substr(0, end);
    return language == "ja" ? languageJapanese : languageEnglish;
}

std::string messagesLocaleName(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* v : {lcAll, lcMessages, lang})
        if (v && *v)
            return v;
    return {};
}

} // namespace plicato
