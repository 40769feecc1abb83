// The settings kept between runs in section "Settings" of the profile, and the window
// placement record stored as "WindowPos".
#pragma once

#include "settings/profile_store.h"

#include <array>
#include <string>

namespace plicato {

inline constexpr char settingsSection[] = "Settings";

struct AppSettings {
    std::string defaultFileDir;
    std::string defaultImageDir;
    bool isReverseTenkaizu = false; // only stored and written back
    int tenkaizuSizeRatio = 50;     // only stored and written back
};

using ColorNumbers = std::array<int, 16>; // red + 256 x green + 65536 x blue

// Reads every key over the current values: a key that is missing or does not scan keeps the
// value it replaces, and a colour of -1 is ignored.
void loadSettings(const ProfileStore& profile, AppSettings& settings, ColorNumbers& colors);
void saveSettings(ProfileStore& profile, const AppSettings& settings, const ColorNumbers& colors);

// The ten fields of a window placement, in the order they are stored.
struct WindowPlacement {
    static constexpr int restoreToMaximized = 2; // flag: a minimised window comes back maximised
    static constexpr int showNormal = 1;
    static constexpr int showMinimized = 2;
    static constexpr int showMaximized = 3;

    int flags = 0;
    int showCommand = showNormal;
    int minX = -1, minY = -1;
    int maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0; // normal rectangle, right/bottom exclusive

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

std::string formatPlacement(const WindowPlacement& p);
// True only for non-empty text holding all ten colon-separated integers.
bool parsePlacement(const std::string& text, WindowPlacement& out);
bool readPlacement(const ProfileStore& profile, WindowPlacement& out);
void writePlacement(ProfileStore& profile, const WindowPlacement& p);

} // namespace plicato
