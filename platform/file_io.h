// Plain file operations on paths as the program holds them (bytes on Linux,
// UTF-8 on Windows), for the few places that are not checks: the journal's
// folders and the test for a taken name.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/failure.h"

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Creates a folder and the folders above it that are missing.
std::optional<Failure> CreateFolders(const std::string& folder);

// Whether the path names an entry, a dangling symbolic link included.
bool EntryExists(const std::string& path);

enum class SymbolicLinks { Follow, DoNotFollow };

// Whether two paths name the same file (one may be another spelling of the
// other). Followed, a symbolic link is the file it points to; not followed,
// it is an entry of its own, and a dangling one is still itself.
bool SameFile(const std::string& a, const std::string& b, SymbolicLinks links);
