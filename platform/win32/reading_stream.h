// A C stream over a handle the Win32 layer opened itself. Internal to the
// Win32 system layer.
#pragma once

#include <windows.h>

#include "platform/failure.h"
#include "platform/file_io.h"

// A buffered binary stream for reading `handle`, which it takes over; on a
// failure the handle is closed.
Result<FileHandle> ReadingStreamOf(HANDLE handle);
