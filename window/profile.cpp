#include "window/profile.h"

#include <memory>

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

int ReadKey(wxFileConfig& config, const char* key, int fallback) {
    long value = fallback;
    config.Read(kSection + key, &value, fallback);
    return static_cast<int>(value);
}

}  // namespace

wxString ProfilePath() {
    wxStandardPaths& paths = wxStandardPaths::Get();
    paths.SetFileLayout(wxStandardPaths::FileLayout_XDG);
    return wxFileName(paths.GetUserConfigDir(), "Quorvane.conf").GetFullPath();
}

WindowProfile ReadProfile() {
    wxLogNull quiet;
    WindowProfile profile;
    const std::unique_ptr<wxFileConfig> config = OpenProfile();
    profile.xSize = ReadKey(*config, "XSize", profile.xSize);
    profile.ySize = ReadKey(*config, "YSize", profile.ySize);
    profile.c00 = ReadKey(*config, "C00", profile.c00);
    profile.c01 = ReadKey(*config, "C01", profile.c01);
    profile.c02 = ReadKey(*config, "C02", profile.c02);
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
    config->Flush();
}
