// The system's words for an error number.
#pragma once

#include <string>

std::string ErrorText(int error);
