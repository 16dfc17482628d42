#include "window/startup_error.h"

#include <filesystem>
#include <system_error>

#include "platform/data_location.h"
#include "signature/file_id_table.h"
#include "signature/loader.h"

namespace {

// Paths are the program's UTF-8 on Windows and the file system's bytes elsewhere: both pass as char8_t unchanged.
std::filesystem::path PathOf(const std::string& text) { return std::u8string(text.begin(), text.end()); }

std::string Absolute(const std::string& place) {
    std::error_code error;
    const std::u8string path = std::filesystem::absolute(PathOf(place), error).u8string();
    return error ? place : std::string(path.begin(), path.end());
}

}  // namespace

std::string StartupErrorText(const std::string& dataFile, const TableDefect& defect) {
    std::string text = defect.message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    text += "\r\n\r\nThe signature table cannot be used: " + ExplainDefect(Absolute(dataFile), defect);
    std::error_code error;
    if (!std::filesystem::exists(PathOf(dataFile), error)) {
        text += "\r\nIt was looked for in:";
        for (const std::string& place : DataFilePlaces(kDataFileName)) text += "\r\n    " + Absolute(place);
    }
    return text;
}
