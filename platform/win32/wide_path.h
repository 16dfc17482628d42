// Paths at the Win32 boundary: UTF-8 inside, UTF-16 for the W functions.
// Internal to the Win32 system layer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The wide form of a UTF-8 path, or empty when the bytes are not UTF-8 (or
// hold a NUL) and so name no Windows file.
std::optional<std::wstring> WidePath(std::string_view path);

std::string Utf8Path(std::wstring_view path);

// The value of an environment variable as UTF-8, empty when unset.
std::string EnvironmentText(const wchar_t* name);
