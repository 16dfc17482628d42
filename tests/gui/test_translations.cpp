// The window in Japanese: under a Japanese locale the catalogue built with the
// program is found, and the menus and the core's status texts speak it.
#include <cstdlib>
#include <memory>
#include <string>

#include <wx/menu.h>
#include <wx/translation.h>

#include "gui_test_support.h"
#include "list/status_texts.h"
#include "list/ui_text.h"
#include "window/menus.h"
#include "window/translations.h"

namespace {

TEST(Translations, AJapaneseLocaleGivesJapaneseMenusAndStatusTexts) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows chooses by the user's display language, not by LANG";
#else
    const char* const variables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::string saved[4];
    for (int i = 0; i < 4; ++i) {
        const char* value = std::getenv(variables[i]);
        saved[i] = value ? value : "";
        ::setenv(variables[i], "ja_JP.UTF-8", 1);
    }
    // The test program lives in the build folder's tests/gui/, the catalogue in its locale/.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(QUORVANE_BUILD_DIR "/locale");
    InstallTranslations();
    const std::unique_ptr<wxMenuBar> bar(CreateMainMenuBar());
    const std::string file = bar->GetMenuLabel(0).utf8_string();
    const std::string check = CheckSummaryText(3, 2);
    const std::string renamed = RenamedText(2, 1);

    // English again for the tests that follow.
    wxTranslations::Set(nullptr);
    SetTextTranslators(nullptr, nullptr);
    for (int i = 0; i < 4; ++i) {
        if (saved[i].empty()) {
            ::unsetenv(variables[i]);
        } else {
            ::setenv(variables[i], saved[i].c_str(), 1);
        }
    }
    EXPECT_EQ(file, "ファイル(&F)");
    EXPECT_EQ(check, "全ファイル : 3  チェック済み : 2");
    EXPECT_EQ(renamed, "2 個のファイルの名前を変更しました、1 個は変更できませんでした");
    EXPECT_EQ(CheckSummaryText(3, 2), "All File : 3  CheckFile : 2");
#endif
}

}  // namespace
