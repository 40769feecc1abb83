// The language rule: the profile's choice wins, else a Japanese locale gives Japanese and every
// other locale English; the locale comes from LC_ALL, LC_MESSAGES, LANG in that order.
#include "settings/ui_language.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

TEST(UiLanguageTest, ChoiceThenLocale) {
    struct Row {
        const char* locale;
        const char* choice;
        const char* language;
    };
    const Row rows[] = {
        {"ja_JP.UTF-8", "", "ja"},
        {"ja_JP", "", "ja"},
        {"ja", "", "ja"},
        {"ja_JP@euro", "", "ja"},
        {"ja.eucJP", "", "ja"},
        {"en_US.UTF-8", "", "en"},
        {"de_DE", "", "en"},
        {"C", "", "en"},
        {"POSIX", "", "en"},
        {"", "", "en"},
        {"jaa_XX", "", "en"},
        {"j", "", "en"},
        {"ja_JP.UTF-8", "en", "en"},
        {"en_US.UTF-8", "ja", "ja"},
        {"C", "ja", "ja"},
        {"ja_JP.UTF-8", "auto", "ja"},
        {"en_GB", "fr", "en"},
        {"ja_JP", "JA", "ja"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(uiLanguage(r.locale, r.choice), r.language) << r.locale << " / " << r.choice;
}

TEST(UiLanguageTest, TheFirstLocaleVariableSetWins) {
    struct Row {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        const char* name;
    };
    const Row rows[] = {
        {"ja_JP.UTF-8", "en_US", "de_DE", "ja_JP.UTF-8"},
        {"", "en_US", "ja_JP", "en_US"},
        {nullptr, nullptr, "ja_JP", "ja_JP"},
        {"", "", "", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(messagesLocaleName(r.lcAll, r.lcMessages, r.lang), r.name);
}

} // namespace
} // namespace plicato
