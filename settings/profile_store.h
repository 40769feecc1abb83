// The program's profile: an INI file of raw text values (no escaping, backslashes kept), the
// "%i" number scan its keys are read with, and where the file lives.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plicato {

// Scans like sscanf "%i": leading blanks, an optional sign, then "0x" hex, "0" octal or decimal
// digits; whatever follows the number is ignored. Empty when no number starts the text or the
// value does not fit an int. `consumed`, when given, receives the length of text scanned.
std::optional<int> scanInt(std::string_view text, std::size_t* consumed = nullptr);

class ProfileStore {
public:
    ProfileStore() = default;
    explicit ProfileStore(std::string path) : filePath(std::move(path)) {}

    const std::string& path() const { return filePath; }

    // Reads the file; a missing file gives an empty profile. False (and an empty profile) when
    // the file exists but cannot be read or is larger than maxFileBytes.
    bool load();
    // Replaces the contents by the parse of `text`. Never fails: lines that are not a section
    // header or a key=value pair are skipped.
    void parse(std::string_view text);
    // Writes through a temporary file in the same folder (created when missing) renamed over
    // the profile, so a failed write keeps the previous profile. False on any error.
    bool save() const;
    std::string toText() const;

    // Section and key names compare without regard to ASCII case.
    std::optional<std::string> getString(std::string_view section, std::string_view key) const;
    void setString(std::string_view section, std::string_view key, std::string_view value);
    std::optional<int> getInt(std::string_view section, std::string_view key) const;
    void setInt(std::string_view section, std::string_view key, int value);
    void removeSection(std::string_view section);
    bool hasSection(std::string_view section) const;

    static constexpr std::size_t maxFileBytes = std::size_t{4} * 1024 * 1024;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::string filePath;
    std::vector<Section> sections;
};

// What decides where the profile lives; filled from the process by fromEnvironment().
struct ProfileLocationInputs {
    std::string programPath;   // the program file's own full path
    std::string profileEnv;    // PLICATO_PROFILE
    std::string xdgConfigHome; // XDG_CONFIG_HOME
    std::string home;          // HOME
    std::function<bool(const std::string& folder)> isWritableFolder;

    static ProfileLocationInputs fromEnvironment(const std::string& programPath);
};

// PLICATO_PROFILE when set; else the program's path with its extension replaced by "ini" when
// the program's folder is writable; else "<config>/PlicatoPRO/<name>.ini" with <config> the
// XDG config folder (default ~/.config), so an installed program keeps its settings per user.
std::string profilePath(const ProfileLocationInputs& in);

} // namespace plicato
