// Files for tests, shared by the core and the window tests: a temporary
// folder removed with its contents, whole-file reads and writes, and the
// leading bytes of a few real formats.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "quorvane-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return m_path; }
    // The folder with a trailing separator, as a row's location holds it.
    std::string Folder() const { return m_path.string() + "/"; }
    std::string operator/(const std::string& name) const { return m_path.string() + "/" + name; }
    // Writes `bytes` to a file of that name and gives its path.
    fs::path Write(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_path / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    fs::path m_path;
};

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline const std::string kPngBytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
inline const std::string kPdfBytes = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<<>>\nendobj\n";
inline const std::string kJpegBytes("\xFF\xD8\xFF\xE0\0\x10JFIF", 10);

}  // namespace testfiles
