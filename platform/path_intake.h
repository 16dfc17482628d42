// Paths that come in from outside the window: the command line and the
// clipboard. They become the same bytes a drop of the same files would give.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// An argument as an absolute path: a relative one is taken from the current
// folder, "." components and repeated or trailing separators go. ".." stays:
// behind a symbolic link it does not mean the folder the text suggests.
// Empty for an empty argument.
std::string AbsolutePath(std::string_view argument);

// A folder as an absolute path, in the same way; a trailing separator stays.
// An empty folder is the current one, with a trailing separator.
std::string AbsoluteFolder(std::string_view folder);

// The paths in a clipboard's list of URIs, in order: "text/uri-list" (lines
// ending in CR LF, '#' comments) or "x-special/gnome-copied-files" (a first
// line "copy" or "cut", then one URI per line). Each "file:" URI names a local
// path, its %XX escapes decoded to the raw bytes (which need not be UTF-8);
// lines that name no local file are skipped.
std::vector<std::string> PathsFromUriList(std::string_view text);
