// Files copied in a file manager, as the clipboard holds them.
#pragma once

#include <string>
#include <vector>

#ifdef __WXMSW__
// The paths of the files Explorer copied (CF_HDROP); empty when the clipboard
// holds no files.
std::vector<std::string> ClipboardFilePaths();
#else
// The raw bytes of the clipboard's list of file URIs: "text/uri-list" when
// offered, else GNOME's "x-special/gnome-copied-files"; empty when the
// clipboard holds no files. Raw, so names that are not UTF-8 stay bytes.
std::string ClipboardFileList();
#endif

// The clipboard's plain text, as UTF-8; empty when it holds none. A list of
// absolute paths, one a line, is taken in like copied files.
std::string ClipboardPlainText();
