// A private temporary folder per test and small file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace plicato::test {

using Bytes = std::vector<unsigned char>;

class TempDir {
public:
    TempDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "plicato-XXXXXX").string();
        path = mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::filesystem::path path;
};

inline void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline std::string dataFile(const std::string& relative) {
    return std::string(PLICATO_TEST_DATA) + "/" + relative;
}

} // namespace plicato::test
