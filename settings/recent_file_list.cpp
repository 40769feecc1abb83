// Recent-file list: ordering rules and its profile section.
#include "settings/recent_file_list.h"

#include <algorithm>

namespace plicato {

void RecentFileList::add(const std::string& path) {
    if (path.empty() || maxCount == 0)
        return;
    entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
    entries.insert(entries.begin(), path);
    if (entries.size() > maxCount)
        entries.resize(maxCount);
}

void RecentFileList::remove(std::size_t index) {
    if (index < entries.size())
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFileList::load(const ProfileStore& profile) {
    entries.clear();
    for (std::size_t i = 1; i <= maxCount; ++i) {
        const auto v = profile.getString(recentFileSection, "File" + std::to_string(i));
        if (v && !v->empty() && std::find(entries.begin(), entries.end(), *v) == entries.end())
            entries.push_back(*v);
    }
}

void RecentFileList::save(ProfileStore& profile) const {
    profile.removeSection(recentFileSection);
    for (std::size_t i = 0; i < entries.size(); ++i)
        profile.setString(recentFileSection, "File" + std::to_string(i + 1), entries[i]);
}

std::string RecentFileList::menuText(std::size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

} // namespace plicato
