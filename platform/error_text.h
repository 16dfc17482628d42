// The system's words for an error number, and the Failure they make.
#pragma once

#include <string>

#include "platform/failure.h"

// The C library's words for an error number: the numbers are errno values on every system.
std::string ErrorText(int error);

// The failure of a system call that gave `error`.
inline Failure ErrnoFailure(int error) { return Failure{ErrorText(error), error}; }
