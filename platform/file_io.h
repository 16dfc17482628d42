// Plain file operations on paths as the program holds them (bytes on POSIX,
// UTF-8 on Windows), for the few places that are not checks: the journal of
// renames and the test for a taken name.
#pragma once

#include <cstdio>
#include <string>

// fopen with the path handed to the system unchanged in meaning.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Creates a folder and the folders above it that are missing; 0 or the error number.
int CreateFolders(const std::string& folder);

// Whether the path names an entry, a dangling symbolic link included.
bool EntryExists(const std::string& path);

// Whether two paths name the same file (one may be another spelling of the other).
bool SameFile(const std::string& a, const std::string& b);
