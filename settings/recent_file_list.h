// The most recently opened or saved designs, newest first, kept in the profile section
// "Recent File List" as "File1".."File4".
#pragma once

#include "settings/profile_store.h"

#include <string>
#include <vector>

namespace plicato {

inline constexpr char recentFileSection[] = "Recent File List";

class RecentFileList {
public:
    explicit RecentFileList(std::size_t capacity = 4) : maxCount(capacity) {}

    // Puts `path` first; an equal entry further down moves up instead of appearing twice, and
    // the oldest entry falls off when the list is full. Empty paths are ignored.
    void add(const std::string& path);
    void remove(std::size_t index);
    const std::vector<std::string>& files() const { return entries; }
    std::size_t capacity() const { return maxCount; }

    // Reads "File1".."FileN"; empty or missing keys are skipped, duplicates dropped.
    void load(const ProfileStore& profile);
    // Rewrites the section so that stale keys of a longer list do not come back.
    void save(ProfileStore& profile) const;

    // The menu text of entry `index`: "&1 /path/name.plq", with '&' of the path doubled.
    static std::string menuText(std::size_t index, const std::string& path);

private:
    std::size_t maxCount;
    std::vector<std::string> entries;
};

} // namespace plicato
