#include "window/translations.h"

#include <wx/translation.h>

#include "list/ui_text.h"
#include "platform/data_location.h"
#include "window/text_convert.h"

namespace {

std::string TranslateText(const char* english) {
    return wxGetTranslation(wxString::FromUTF8(english)).utf8_string();
}

std::string TranslatePlural(const char* singular, const char* plural, uint64_t count) {
    return wxGetTranslation(wxString::FromUTF8(singular), wxString::FromUTF8(plural), static_cast<unsigned>(count))
        .utf8_string();
}

}  // namespace

void InstallTranslations() {
    for (const std::string& folder : TranslationFolders()) {
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(FromFileName(folder));
    }
    auto* translations = new wxTranslations();
    wxTranslations::Set(translations);
    // The toolkit's own texts (a stock dialog's buttons) when its catalogue is installed.
    translations->AddStdCatalog();
    translations->AddCatalog("quorvane", wxLANGUAGE_ENGLISH_US);
    SetTextTranslators(TranslateText, TranslatePlural);
}
