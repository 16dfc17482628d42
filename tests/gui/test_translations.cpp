// The window in Japanese: under a Japanese locale the catalogue built with the
// program is found, the menus, the core's status texts and the report's
// reasons speak it, and Help opens the Japanese page when it is there.
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/translation.h>

#include "gui_test_support.h"
#include "list/status_texts.h"
#include "list/ui_text.h"
#include "window/help_page.h"
#include "window/menus.h"
#include "window/rename_report_dialog.h"
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
    // A fixed reason, a system error with a usual cause, one without.
    std::string reasons[3];
    {
        CRenameReportDialog report(nullptr, {RenameFailure{"/x/a.gif", "/x/a.png", "the new name is taken"},
                                             RenameFailure{"/x/b.gif", "/x/b.png", "File exists", EEXIST},
                                             RenameFailure{"/x/c.gif", "/x/c.png", "Too many links", EMLINK}});
        for (int row = 0; row < 3; ++row) reasons[row] = report.List()->GetItemText(row, 2).utf8_string();
    }
    TempDir pages;
    fs::create_directory(pages.Path() / "html");
    pages.Write("html/index.htm", "<html lang=en></html>");
    pages.Write("html/index.ja.htm", "<html lang=ja></html>");
    const fs::path home = fs::current_path();
    fs::current_path(pages.Path());
    const std::string helpJapanese = HelpPagePath();
    fs::remove(pages.Path() / "html" / "index.ja.htm");
    const std::string helpWithoutJapanesePage = HelpPagePath();
    pages.Write("html/index.ja.htm", "<html lang=ja></html>");

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
    EXPECT_EQ(reasons[0], "新しい名前は既に使われています");
    EXPECT_EQ(reasons[1], "新しい名前のファイルが既にあります");
    EXPECT_EQ(reasons[2], "Too many links");
    EXPECT_EQ(CheckSummaryText(3, 2), "All File : 3  CheckFile : 2");
    EXPECT_EQ(helpJapanese, "html/index.ja.htm");
    EXPECT_EQ(helpWithoutJapanesePage, "html/index.htm");
    EXPECT_EQ(HelpPagePath(), "html/index.htm");
    fs::current_path(home);
#endif
}

}  // namespace
