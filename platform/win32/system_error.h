// Win32 error codes as the error numbers the rest of the program speaks, and
// the system's own words for them. Internal to the Win32 system layer.
#pragma once

#include <windows.h>

#include <string>

// The C library's number for a Win32 error code (ENOENT for a missing file,
// EACCES for a denied or shared one, EEXIST for a taken name...), EIO when
// none fits.
int ErrnoFromWin32(DWORD code);

// Sets errno from GetLastError() and gives the number.
int ErrnoFromLastError();

// The system's message for a Win32 error code, UTF-8, without the line end.
std::string Win32ErrorText(DWORD code);
