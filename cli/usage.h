// The text --help prints, and a usage error shows on standard error.
#pragma once

extern const char kUsage[];
