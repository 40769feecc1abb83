// fontconfig queries behind the font list and the face lookup.
#include "text/font_list.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

namespace plicato {

namespace {

std::string stringOf(FcPattern* p, const char* object, int n = 0) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, object, n, &s) != FcResultMatch || !s)
        return {};
    return reinterpret_cast<const char*>(s);
}

bool isTrueType(FcPattern* p) {
    return stringOf(p, FC_FONTFORMAT) == "TrueType";
}

bool hasFamily(FcPattern* p, const std::string& family) {
    for (int n = 0;; ++n) {
        FcChar8* s = nullptr;
        if (FcPatternGetString(p, FC_FAMILY, n, &s) != FcResultMatch || !s)
            return false;
        if (family == reinterpret_cast<const char*>(s))
            return true;
    }
}

std::string realPath(const std::string& path) {
    std::error_code ec;
    const auto canonical = std::filesystem::canonical(path, ec);
    return ec ? path : canonical.string();
}

// fontconfig's best TrueType match for the pattern, if it passes `accept`.
template <typename Accept> std::optional<FontFile> bestMatch(FcPattern* pattern, Accept accept) {
    std::optional<FontFile> found;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match && result == FcResultMatch && isTrueType(match) && accept(match)) {
        FontFile f;
        f.path = stringOf(match, FC_FILE);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            f.index = index;
        f.family = stringOf(match, FC_FAMILY);
        if (!f.path.empty())
            found = std::move(f);
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return found;
}

std::optional<FontFile> installedFamily(const std::string& family) {
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(p, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    return bestMatch(p, [&](FcPattern* m) { return hasFamily(m, family); });
}

} // namespace

bool isWindowsGothicName(const std::string& family) {
    static const std::set<std::string> names = {
        "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS Gothic", "MS PGothic", "MS UI Gothic",
    };
    return names.count(family) != 0;
}

std::vector<std::string> trueTypeFamilies() {
    std::vector<std::string> families;
    if (!FcInit())
        return families;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_FONTFORMAT, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    std::set<std::pair<std::string, int>> seenFiles;
    std::set<std::string> names;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        if (!isTrueType(font))
            continue;
        int index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        const std::string file = stringOf(font, FC_FILE);
        if (file.empty() || !seenFiles.insert({realPath(file), index}).second)
            continue;
        const std::string family = stringOf(font, FC_FAMILY);
        if (!family.empty())
            names.insert(family);
    }
    if (set)
        FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    families.assign(names.begin(), names.end());
    return families;
}

std::optional<FontFile> findFontFile(const std::string& family) {
    if (!FcInit())
        return std::nullopt;
    if (auto f = installedFamily(family))
        return f;
    if (isWindowsGothicName(family)) {
        for (const char* gothic : {"IPAGothic", "IPAexGothic", "VL Gothic", "TakaoGothic"})
            if (auto f = installedFamily(gothic))
                return f;
        // Any TrueType font that covers Japanese.
        FcPattern* p = FcPatternCreate();
        FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcPatternAddString(p, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
        FcPatternAddString(p, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
        if (auto f = bestMatch(p, [](FcPattern* m) {
                FcLangSet* langs = nullptr;
                return FcPatternGetLangSet(m, FC_LANG, 0, &langs) == FcResultMatch &&
                       FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) ==
                           FcLangEqual;
            }))
            return f;
    }
    // Like a font request on Windows, an unknown face gets the nearest installed one.
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    return bestMatch(p, [](FcPattern*) { return true; });
}

} // namespace plicato
