// libFuzzer target for the profile reader: any bytes parse, every key reads without harm, and
// writing the parsed profile out and reading it again gives the same profile.
#include "settings/app_settings.h"
#include "settings/profile_store.h"
#include "settings/recent_file_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace plicato;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ProfileStore profile;
    profile.parse(text);

    AppSettings settings;
    ColorNumbers colors{};
    loadSettings(profile, settings, colors);
    WindowPlacement placement;
    readPlacement(profile, placement);
    RecentFileList recent;
    recent.load(profile);
    if (recent.files().size() > recent.capacity())
        std::abort();
    scanInt(text);

    const std::string once = profile.toText();
    ProfileStore again;
    again.parse(once);
    if (again.toText() != once)
        std::abort();

    saveSettings(again, settings, colors);
    writePlacement(again, placement);
    recent.save(again);
    AppSettings reread;
    ColorNumbers rereadColors{};
    ProfileStore third;
    third.parse(again.toText());
    loadSettings(third, reread, rereadColors);
    if (rereadColors != colors || reread.tenkaizuSizeRatio != settings.tenkaizuSizeRatio ||
        reread.isReverseTenkaizu != settings.isReverseTenkaizu)
        std::abort();
    return 0;
}
