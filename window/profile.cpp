#include "window/profile.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>

#include <wx/display.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

namespace {

const wxString kSection = "/Quorvaner/";

std::unique_ptr<wxFileConfig> OpenProfile() {
    return std::make_unique<wxFileConfig>(wxString(), wxString(), ProfilePath(), wxString(),
                                          wxCONFIG_USE_LOCAL_FILE);
}

// A decimal integer, optionally signed; one beyond the range of int gives the
// nearest end of it instead of wrapping.
std::optional<int> ParseSaturated(const wxString& text) {
    size_t i = 0;
    const bool negative = i < text.length() && text[i] == '-';
    if (i < text.length() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.length()) return std::nullopt;
    long long value = 0;
    for (; i < text.length(); ++i) {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

std::optional<int> ReadNumber(wxFileConfig& config, const char* key) {
    wxString text;
    if (!config.Read(kSection + key, &text)) return std::nullopt;
    return ParseSaturated(text);
}

int ReadKey(wxFileConfig& config, const char* key, int fallback) { return ReadNumber(config, key).value_or(fallback); }

}  // namespace

wxString ProfilePath() {
    wxStandardPaths& paths = wxStandardPaths::Get();
#ifdef __WXMSW__
    // A private profile in the program's folder of the user's roaming
    // application data (%APPDATA%\Quorvane), beside the user's own table,
    // rather than in the Windows folder.
    return wxFileName(paths.GetUserConfigDir() + "\\Quorvane", "Quorvane.ini").GetFullPath();
#else
    paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
    return wxFileName(paths.GetUserConfigDir(), "Quorvane.conf").GetFullPath();
#endif
}

WindowProfile ReadProfile() {
    wxLogNull quiet;
    WindowProfile profile;
    const std::unique_ptr<wxFileConfig> config = OpenProfile();
    const std::optional<int> xSize = ReadNumber(*config, "XSize");
    const std::optional<int> ySize = ReadNumber(*config, "YSize");
    profile.sizeStored = xSize && ySize;
    profile.xSize = xSize.value_or(profile.xSize);
    profile.ySize = ySize.value_or(profile.ySize);
    profile.c00 = ReadKey(*config, "C00", profile.c00);
    profile.c01 = ReadKey(*config, "C01", profile.c01);
    profile.c02 = ReadKey(*config, "C02", profile.c02);
    profile.lookInside = ReadKey(*config, "LookInside", profile.lookInside);
    return profile;
}

WindowProfile FitToScreen(WindowProfile profile) {
    // The window opens at the top-left corner, so the screen holding that corner counts.
    const int found = wxDisplay::GetFromPoint(wxPoint(0, 0));
    const wxDisplay display(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found));
    const wxSize area = display.GetClientArea().GetSize();
    const int screenWidth = display.GetGeometry().GetWidth();
    profile.xSize = std::min(profile.xSize, area.x);
    profile.ySize = std::min(profile.ySize, area.y);
    for (int* width : {&profile.c00, &profile.c01, &profile.c02}) *width = std::clamp(*width, 0, screenWidth);
    return profile;
}

void WriteProfile(const WindowProfile& profile) {
    // A failed write would otherwise turn into a message box.
    wxLogNull quiet;
    const wxFileName path(ProfilePath());
    if (!path.DirExists()) wxFileName::Mkdir(path.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    const std::unique_ptr<wxFileConfig> config = OpenProfile();
    config->Write(kSection + "XSize", static_cast<long>(profile.xSize));
    config->Write(kSection + "YSize", static_cast<long>(profile.ySize));
    config->Write(kSection + "C00", static_cast<long>(profile.c00));
    config->Write(kSection + "C01", static_cast<long>(profile.c01));
    config->Write(kSection + "C02", static_cast<long>(profile.c02));
    config->Write(kSection + "LookInside", static_cast<long>(profile.lookInside != 0));
    config->Flush();
}
