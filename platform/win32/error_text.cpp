#include "platform/error_text.h"

#include <cstring>

std::string ErrorText(int error) {
    char buffer[256];
    // The C library's words: the numbers are errno values on every system.
    if (strerror_s(buffer, sizeof buffer, error) != 0) return "error " + std::to_string(error);
    return buffer;
}
