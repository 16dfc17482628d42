// Comparison that folds the ASCII letters only; every other byte compares exactly.
#pragma once

#include <string_view>

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
