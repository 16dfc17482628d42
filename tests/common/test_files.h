// Files for tests, shared by the core and the window tests: a temporary
// folder removed with its contents, whole-file reads and writes, and the
// leading bytes of a few real formats.
//
// Paths in tests are UTF-8 text, as the program's are. A std::filesystem
// path made from narrow text would be converted with the ANSI code page on
// Windows, so they cross over only through PathOf and Utf8Of.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

inline fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

inline std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A relative path written with '/' as the system writes it: with '\' on Windows.
inline std::string Native(std::string path) {
#ifdef _WIN32
    for (char& c : path) c = c == '/' ? '\\' : c;
#endif
    return path;
}

class TempDir {
public:
    TempDir() {
        std::random_device random;
        const fs::path parent = fs::temp_directory_path();
        const std::string letters = "abcdefghijklmnopqrstuvwxyz0123456789";
        for (;;) {
            std::string name = "quorvane-test-";
            for (int i = 0; i < 8; ++i) name += letters[random() % letters.size()];
            m_path = parent / name;
            if (fs::create_directory(m_path)) break;
        }
        m_text = Utf8Of(m_path);
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
    std::string Folder() const { return m_text + Native("/"); }
    // A path below the folder; '/' in `name` separates as the system does.
    std::string operator/(const std::string& name) const { return Folder() + Native(name); }
    // Writes `bytes` to a file of that name and gives its path.
    fs::path Write(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_path / PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    fs::path m_path;
    std::string m_text;
};

inline void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
inline void WriteFile(const std::string& path, const std::string& bytes) { WriteFile(PathOf(path), bytes); }
inline void WriteFile(const char* path, const std::string& bytes) { WriteFile(PathOf(path), bytes); }

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline std::string ReadFile(const std::string& path) { return ReadFile(PathOf(path)); }
inline std::string ReadFile(const char* path) { return ReadFile(PathOf(path)); }

inline const std::string kPngBytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
inline const std::string kPdfBytes = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<<>>\nendobj\n";
inline const std::string kJpegBytes("\xFF\xD8\xFF\xE0\0\x10JFIF", 10);

}  // namespace testfiles
