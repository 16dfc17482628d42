// Marks a fixed English text that may reach the window, which shows it in the
// user's language: the catalogue's template collects every text so marked,
// and the window looks the text up when it shows it. The core and
// quorvane-check keep the English, which scripts read.
#pragma once

constexpr const char* Translatable(const char* english) { return english; }
