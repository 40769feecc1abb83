// The installed TrueType fonts as fontconfig knows them: the family names for the font list, and
// the file that serves a family, with a Japanese Gothic stand-in for the usual Windows faces.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plicato {

struct FontFile {
    std::string path;
    int index = 0; // face inside a collection
    std::string family;
};

// Every TrueType family once, sorted; a file reached by several paths (links) counts once.
std::vector<std::string> trueTypeFamilies();
// The regular face of `family`. When it is not installed, the Windows Gothic faces
// ("ＭＳ ゴシック", "MS Gothic", ...) fall back to an installed Japanese Gothic font, any other
// name to fontconfig's nearest scalable font. Nothing when no font is installed at all.
std::optional<FontFile> findFontFile(const std::string& family);
// True for the Windows Japanese Gothic face names that the fallback above replaces.
bool isWindowsGothicName(const std::string& family);

} // namespace plicato
