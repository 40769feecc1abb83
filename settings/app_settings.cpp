// Reading and writing the "Settings" keys and the window placement of the profile.
#include "settings/app_settings.h"

#include <string_view>

namespace plicato {

void loadSettings(const ProfileStore& profile, AppSettings& settings, ColorNumbers& colors) {
    if (auto v = profile.getString(settingsSection, "defaultFileDir"))
        settings.defaultFileDir = *v;
    if (auto v = profile.getString(settingsSection, "defaultImageDir"))
        settings.defaultImageDir = *v;
    if (auto v = profile.getInt(settingsSection, "isReverseTenkaizu"))
        settings.isReverseTenkaizu = *v != 0;
    if (auto v = profile.getInt(settingsSection, "tenkaizuSizeRatio"))
        settings.tenkaizuSizeRatio = *v;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const auto v = profile.getInt(settingsSection, "color" + std::to_string(i));
        if (v && *v != -1)
            colors[i] = *v;
    }
}

void saveSettings(ProfileStore& profile, const AppSettings& settings, const ColorNumbers& colors) {
    profile.setString(settingsSection, "defaultFileDir", settings.defaultFileDir);
    profile.setString(settingsSection, "defaultImageDir", settings.defaultImageDir);
    profile.setString(settingsSection, "isReverseTenkaizu", settings.isReverseTenkaizu ? "1" : "0");
    profile.setInt(settingsSection, "tenkaizuSizeRatio", settings.tenkaizuSizeRatio);
    for (std::size_t i = 0; i < colors.size(); ++i)
        profile.setInt(settingsSection, "color" + std::to_string(i), colors[i]);
}

std::string formatPlacement(const WindowPlacement& p) {
    const int fields[10] = {p.flags, p.showCommand, p.minX, p.minY,  p.maxX,
                            p.maxY,  p.left,        p.top,  p.right, p.bottom};
    std::string out;
    for (int i = 0; i < 10; ++i) {
        if (i > 0)
            out += ':';
        out += std::to_string(fields[i]);
    }
    return out;
}

bool parsePlacement(const std::string& text, WindowPlacement& out) {
    int fields[10];
    std::string_view rest(text);
    for (int i = 0; i < 10; ++i) {
        // As the "%i:%i:..." scan: blanks may precede a number, each colon must follow at once.
        std::size_t used = 0;
        const auto v = scanInt(rest, &used);
        if (!v)
            return false;
        fields[i] = *v;
        rest.remove_prefix(used);
        if (i < 9) {
            if (rest.empty() || rest.front() != ':')
                return false;
            rest.remove_prefix(1);
        }
    }
    WindowPlacement p;
    p.flags = fields[0];
    p.showCommand = fields[1];
    p.minX = fields[2];
    p.minY = fields[3];
    p.maxX = fields[4];
    p.maxY = fields[5];
    p.left = fields[6];
    p.top = fields[7];
    p.right = fields[8];
    p.bottom = fields[9];
    out = p;
    return true;
}

bool readPlacement(const ProfileStore& profile, WindowPlacement& out) {
    const auto text = profile.getString(settingsSection, "WindowPos");
    if (!text || text->empty())
        return false;
    return parsePlacement(*text, out);
}

void writePlacement(ProfileStore& profile, const WindowPlacement& p) {
    profile.setString(settingsSection, "WindowPos", formatPlacement(p));
}

} // namespace plicato
