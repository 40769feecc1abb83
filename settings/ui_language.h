// Which language the user interface speaks: the profile's choice when it makes one, else the
// locale's (Japanese for a Japanese locale, English for any other).
#pragma once

#include <string>
#include <string_view>

namespace plicato {

// Profile key (section "Settings") and its values; "" or anything else means "follow the
// locale".
inline constexpr char languageKey[] = "language";
inline constexpr char languageJapanese[] = "ja";
inline constexpr char languageEnglish[] = "en";

// `localeName` as the C library or Qt gives it ("ja_JP.UTF-8", "ja_JP", "en_US", "C", "");
// `choice` the profile value. Returns "ja" or "en".
std::string uiLanguage(std::string_view localeName, std::string_view choice);

// The locale name the process runs under, by the POSIX rules: LC_ALL, then LC_MESSAGES, then
// LANG, the first one set and not empty.
std::string messagesLocaleName(const char* lcAll, const char* lcMessages, const char* lang);

} // namespace plicato
