// The Auto Rename report: thousands of failures open at once within the screen; Copy and Save hold every byte.
#include <chrono>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/listctrl.h>

#include "gui_test_support.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"
#include "window/text_convert.h"

namespace {

TEST_F(RenameTest, TwoThousandFailuresGiveAReportThatFitsTheScreenAtOnce) {
    constexpr int kFailures = 2000;
    OpenWindow();
    std::vector<fs::path> paths;
    for (int i = 0; i < kFailures; ++i) {
        const std::string name = "photo" + std::to_string(i);
        paths.push_back(m_files.Write(name + ".gif", kPngBytes));
        m_files.Write(name + ".png", "in the way");
    }
    DropPaths(paths);
    SendCommand(ID_TOOL_CHECK);
    WaitUntilIdle();
    m_window->FileListView()->SelectAllRows();

    std::vector<SeenReport> reports;
    m_dialogs->Expect(ShowReport(&reports));
    const auto start = std::chrono::steady_clock::now();
    SendCommand(ID_TOOL_AUTORENAME);
    // Generous: it catches a window that freezes, it measures nothing.
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); }, std::chrono::seconds(5)))
        << "no report within 5 s";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(reports[0].shownOnScreen);
    EXPECT_TRUE(reports[0].insideTheScreen);
    EXPECT_EQ(reports[0].summary, "2000 files were not renamed");
    EXPECT_EQ(reports[0].rows, kFailures);
    WaitUntilIdle();
    EXPECT_EQ(ReadFile(m_files.Path() / "photo1999.png"), "in the way");
}

enum class ReportOutputWay { Copy, Save, SaveWhereNoFileCanBe };

std::string WayName(ReportOutputWay way) {
    switch (way) {
        case ReportOutputWay::Copy: return "Copy";
        case ReportOutputWay::Save: return "Save";
        default: return "SaveWhereNoFileCanBe";
    }
}

void PrintTo(ReportOutputWay way, std::ostream* os) { *os << WayName(way); }

class ReportOutput : public RenameTest, public ::testing::WithParamInterface<ReportOutputWay> {};

TEST_P(ReportOutput, HoldsEveryFailureWithItsBytesOrSaysItFailed) {
    OpenWindow();
    const std::string folder = m_files.Path().string() + "/";
    const std::string odd = folder + "f\xe9te.gif";
    const std::vector<RenameFailure> failures = {{odd, folder + "f\xe9te.png", "File exists"},
                                                 {folder + "b.gif", folder + "b.png", "Permission denied"}};
    CRenameReportDialog dialog(m_window.get(), failures);
    std::string text;
    switch (GetParam()) {
        case ReportOutputWay::Copy: {
            wxCommandEvent click(wxEVT_BUTTON, dialog.CopyButton()->GetId());
            dialog.CopyButton()->GetEventHandler()->ProcessEvent(click);
            wxTextDataObject data;
            ASSERT_TRUE(wxTheClipboard->Open());
            EXPECT_TRUE(wxTheClipboard->GetData(data));
            wxTheClipboard->Close();
            text = FileNameBytes(data.GetText());
            break;
        }
        case ReportOutputWay::Save:
            ASSERT_TRUE(dialog.SaveReport(FromFileName(folder + "list.txt")));
            text = ReadFile(folder + "list.txt");
            break;
        case ReportOutputWay::SaveWhereNoFileCanBe:
            EXPECT_FALSE(dialog.SaveReport(FromFileName(folder + "missing/list.txt")));
            return;
    }
    EXPECT_EQ(text, RenameFailureReport(failures));
    EXPECT_NE(text.find(odd), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ways, ReportOutput,
                         ::testing::Values(ReportOutputWay::Copy, ReportOutputWay::Save,
                                           ReportOutputWay::SaveWhereNoFileCanBe),
                         [](const auto& info) { return WayName(info.param); });

}  // namespace
