#include "window/startup_error.h"

#include <algorithm>
#include <vector>

#include "platform/data_location.h"
#include "platform/file_io.h"
#include "platform/path_intake.h"
#include "signature/file_id_table.h"
#include "signature/loader.h"

namespace {

std::string Absolute(const std::string& place) {
    std::string path = AbsolutePath(place);
    return path.empty() ? place : path;
}

}  // namespace

std::string StartupErrorText(const std::string& dataFile, const TableDefect& defect) {
    std::string text = defect.message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    text += "\r\n\r\nThe signature table cannot be used: " + ExplainDefect(Absolute(dataFile), defect);
    if (!EntryExists(dataFile)) {
        text += "\r\nIt was looked for in:";
        // Started in the program's own folder, the two places are one.
        std::vector<std::string> places;
        for (const std::string& place : DataFilePlaces(kDataFileName)) {
            const std::string absolute = Absolute(place);
            if (std::find(places.begin(), places.end(), absolute) == places.end()) places.push_back(absolute);
        }
        for (const std::string& place : places) text += "\r\n    " + place;
    }
    return text;
}
