// The attribute byte Linux makes from a mode and a name (see file_status.h).
// Internal to the Linux system layer; declared here for its test.
#pragma once

#include <cstdint>
#include <string>

uint8_t AttributesFromMode(unsigned mode, bool isDirectory, const std::string& path);
