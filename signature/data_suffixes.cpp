#include "signature/data_suffixes.h"

#include <algorithm>
#include <array>

#include "platform/text_compare.h"

namespace {

// Kept in the README's order ("Writing Quorvane.dat").
constexpr std::array<std::string_view, 66> kDataSuffixes = {
    // text and documents
    "txt", "text", "log", "md", "markdown", "rst", "tex", "nfo", "diff", "patch", "po", "srt", "vtt",
    // data and settings
    "csv", "tsv", "json", "xml", "yaml", "yml", "toml", "ini", "cfg", "conf", "config", "properties", "sql", "dat",
    // web
    "html", "htm", "xhtml", "css", "scss",
    // source code
    "c", "h", "cc", "cpp", "cxx", "hpp", "hh", "hxx", "cs", "java", "kt", "go", "rs", "swift", "m", "py", "pl", "pm",
    "rb", "js", "mjs", "ts", "tsx", "jsx", "php", "sh", "bash", "zsh", "ps1", "bat", "cmd", "lua", "tcl", "awk",
};

}  // namespace

bool CommonDataSuffix(std::string_view suffix) {
    return std::any_of(kDataSuffixes.begin(), kDataSuffixes.end(),
                       [suffix](std::string_view known) { return EqualsIgnoreAsciiCase(suffix, known); });
}
