// Win32 error codes as the error numbers the rest of the program speaks, and
// the words for them. Internal to the Win32 system layer.
#pragma once

#include <windows.h>

#include <string>

#include "platform/failure.h"

// The C library's number for a Win32 error code (ENOENT for a missing file,
// EACCES for a denied or shared one, EEXIST for a taken name...), EIO when
// none fits.
int ErrnoFromWin32(DWORD code);

// The system's message for a Win32 error code, UTF-8, without the line end.
std::string Win32ErrorText(DWORD code);

// A failure in the system's own words.
Failure Win32Failure(DWORD code);

// A failure in the C library's words for the number the code maps to: what a
// check reports, so that it reads the same as on Linux.
Failure ErrnoFailureOf(DWORD code);
