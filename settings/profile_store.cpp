// The profile file: parsing, writing and the number scan of its values, and its location.
#include "settings/profile_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace plicato {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

std::optional<int> scanInt(std::string_view text, std::size_t* consumed) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '0') {
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            digitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        } else {
            base = 8;
        }
    }
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long value = 0;
    std::size_t digits = 0;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i]);
        if (d >= base)
            break;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (consumed)
        *consumed = i;
    return static_cast<int>(negative ? -value : value);
}

bool ProfileStore::load() {
    sections.clear();
    std::error_code ec;
    if (!std::filesystem::exists(filePath, ec))
        return !ec;
    std::ifstream in(filePath, std::ios::binary);
    if (!in)
        return false;
    std::string text;
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxFileBytes)
            return false;
    }
    if (in.bad())
        return false;
    parse(text);
    return true;
}

void ProfileStore::parse(std::string_view text) {
    sections.clear();
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        line = trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            const std::string_view name = trim(line.substr(1, close - 1));
            current = findSection(name);
            if (!current) {
                sections.push_back(Section{std::string(name), {}});
                current = &sections.back();
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || current == nullptr)
            continue;
        const std::string_view key = trim(line.substr(0, eq));
        if (key.empty())
            continue;
        const std::string_view value = trim(line.substr(eq + 1));
        bool replaced = false;
        for (auto& entry : current->entries) {
            if (sameName(entry.first, key)) {
                entry.second = std::string(value); // the last one wins, as it is written
                replaced = true;
                break;
            }
        }
        if (!replaced)
            current->entries.emplace_back(std::string(key), std::string(value));
    }
}

std::string ProfileStore::toText() const {
    std::string out;
    for (const Section& s : sections) {
        if (!out.empty())
            out += '\n';
        out += '[';
        out += s.name;
        out += "]\n";
        for (const auto& [key, value] : s.entries) {
            out += key;
            out += '=';
            out += value;
            out += '\n';
        }
    }
    return out;
}

bool ProfileStore::save() const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(filePath);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temp = filePath + ".tmp" + std::to_string(::getpid());
    const std::string text = toText();
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok)
        ok = std::rename(temp.c_str(), filePath.c_str()) == 0;
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

ProfileStore::Section* ProfileStore::findSection(std::string_view name) {
    for (Section& s : sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

const ProfileStore::Section* ProfileStore::findSection(std::string_view name) const {
    for (const Section& s : sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

std::optional<std::string> ProfileStore::getString(std::string_view section,
                                                   std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const auto& entry : s->entries)
        if (sameName(entry.first, key))
            return entry.second;
    return std::nullopt;
}

void ProfileStore::setString(std::string_view section, std::string_view key,
                             std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        sections.push_back(Section{std::string(section), {}});
        s = &sections.back();
    }
    // A line break inside a value would start a new line of the file; keep only its first line.
    value = value.substr(0, value.find_first_of("\r\n"));
    for (auto& entry : s->entries) {
        if (sameName(entry.first, key)) {
            entry.second = std::string(value);
            return;
        }
    }
    s->entries.emplace_back(std::string(key), std::string(value));
}

std::optional<int> ProfileStore::getInt(std::string_view section, std::string_view key) const {
    const auto text = getString(section, key);
    if (!text)
        return std::nullopt;
    return scanInt(*text);
}

void ProfileStore::setInt(std::string_view section, std::string_view key, int value) {
    setString(section, key, std::to_string(value));
}

void ProfileStore::removeSection(std::string_view section) {
    for (auto it = sections.begin(); it != sections.end(); ++it) {
        if (sameName(it->name, section)) {
            sections.erase(it);
            return;
        }
    }
}

bool ProfileStore::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

ProfileLocationInputs ProfileLocationInputs::fromEnvironment(const std::string& programPath) {
    ProfileLocationInputs in;
    in.programPath = programPath;
    auto env = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    in.profileEnv = env("PLICATO_PROFILE");
    in.xdgConfigHome = env("XDG_CONFIG_HOME");
    in.home = env("HOME");
    in.isWritableFolder = [](const std::string& folder) {
        return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
    };
    return in;
}

std::string profilePath(const ProfileLocationInputs& in) {
    namespace fs = std::filesystem;
    if (!in.profileEnv.empty())
        return in.profileEnv;
    const fs::path program(in.programPath);
    fs::path name = program.filename();
    if (name.empty())
        name = "PlicatoPRO";
    name.replace_extension("ini");
    const std::string folder = program.parent_path().string();
    if (!folder.empty() && in.isWritableFolder && in.isWritableFolder(folder))
        return (program.parent_path() / name).string();
    fs::path config;
    if (!in.xdgConfigHome.empty() && fs::path(in.xdgConfigHome).is_absolute())
        config = in.xdgConfigHome;
    else if (!in.home.empty())
        config = fs::path(in.home) / ".config";
    else
        config = fs::temp_directory_path();
    return (config / "PlicatoPRO" / name).string();
}

} // namespace plicato
