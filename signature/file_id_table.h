// The signature table: one entry per data line of the signature file, in file order.
#pragma once

#include <cstdint>

struct FileIdEntry {
    int32_t offset;             // where `pattern` must stand, in bytes from the start
    unsigned char pattern[64];  // followed by a zero byte
    int32_t patternLength;
    int32_t offset2;            // the second position and pattern are stored, never matched
    unsigned char pattern2[64];
    int32_t pattern2Length;
    char typeName[128];         // zero-terminated
    char extension[16];         // zero-terminated, without the dot
};

inline constexpr int32_t kFileIdTableSize = 2000;

// Filled once before the window is shown, then only read.
extern FileIdEntry FileIdTable[kFileIdTableSize];
extern int32_t g_entryCount;
