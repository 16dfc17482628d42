// Splitting a path into drive, directory, base name and extension, by the
// rules of the system we run on.
#pragma once

#include <string>
#include <string_view>

// The characters that separate a path's components on the platform we run on.
#ifdef _WIN32
inline constexpr char kPathSeparators[] = "\\/";
#else
inline constexpr char kPathSeparators[] = "/";
#endif

struct PathParts {
    std::string drive;      // "C:" on Windows, always empty on Linux
    std::string directory;  // up to and including the last separator, or empty
    std::string baseName;   // the last component up to its last dot
    std::string extension;  // from the last dot on, dot included, or empty
};

PathParts SplitPath(std::string_view path);

// The extension of the last component, dot included, as SplitPath gives it.
std::string PathExtension(std::string_view path);

// Location (drive + directory) and file name (base name + extension).
std::string LocationOf(const PathParts& parts);
std::string FileNameOf(const PathParts& parts);

// Whether `name` names one entry of a folder: not empty, not "." or "..", and
// without a separator or a NUL byte. On Windows '\' and ':' are refused too.
bool IsSingleName(std::string_view name);
