// File names are UTF-8 inside the program and UTF-16 at the Windows system
// boundary. A Windows name may hold a lone surrogate, which no UTF-8 text can;
// such a unit is carried as the three bytes UTF-8 would give its code point
// (the "WTF-8" convention), so every name the system gives comes back to it
// unchanged. Pure functions, built on every platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Never fails: every sequence of 16-bit units has a form.
std::string Utf8FromWide(std::u16string_view wide);

// Empty when `text` is not UTF-8 (lone surrogates allowed): such bytes name no
// Windows file. Two three-byte surrogates that make a pair become that pair.
std::optional<std::u16string> WideFromUtf8(std::string_view text);
