// The Rename File dialog: its layout and focus, what each answer does to the file, a name that is not UTF-8.
#include <optional>
#include <string>

#include <wx/button.h>
#include <wx/textctrl.h>

#include "gui_test_support.h"
#include "list/file_list.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

namespace {

struct DialogCase {
    const char* name;
    int answer;
    std::optional<const char*> typed;
    const char* expectedName;  // the file's name afterwards
};

class RenameDialogAnswers : public RenameTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(RenameDialogAnswers, ProposesTheExpectedExtension) {
    const DialogCase& c = GetParam();
    DropAndCheck({{"photo.gif", kPngBytes}});
    SelectRows({0});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(c.answer, &seen,
                                   c.typed ? std::optional<wxString>(*c.typed) : std::nullopt));
    DoubleClickList();
    WaitUntilIdle();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].before, "photo.gif");
    EXPECT_EQ(seen[0].after, "photo.png");
    EXPECT_TRUE(Exists(c.expectedName));
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), c.expectedName);
    EXPECT_EQ(m_window->FileListView()->GetItemText(0, 1), c.expectedName);
    const bool renamed = std::string(c.expectedName) != "photo.gif";
    EXPECT_EQ(Rows().VerdictOf(0).status, renamed ? STATUS_MATCH : STATUS_MISMATCH);
    EXPECT_EQ(State().CellText(0, kColumnExpectType).empty(), renamed);
    if (renamed) {
        EXPECT_FALSE(Exists("photo.gif"));
        EXPECT_EQ(ReadFile(m_files.Path() / c.expectedName), kPngBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RenameDialogAnswers,
    ::testing::Values(DialogCase{"OkAsProposed", wxID_OK, std::nullopt, "photo.png"},
                      DialogCase{"Cancel", wxID_CANCEL, std::nullopt, "photo.gif"},
                      DialogCase{"OkWithTypedName", wxID_OK, "typed.png", "typed.png"},
                      DialogCase{"OkWithCurrentName", wxID_OK, "photo.gif", "photo.gif"},
                      DialogCase{"CancelAfterTyping", wxID_CANCEL, "typed.png", "photo.gif"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenameTest, DialogLayoutAndFocus) {
    DropAndCheck({{"photo.gif", kPngBytes}});
    SelectRows({0});
    struct Inspect : wxExpectModalBase<CRenameDialog, Inspect> {
        int OnInvoked(CRenameDialog* dialog) const override {
            EXPECT_EQ(dialog->GetTitle(), "Rename File");
            EXPECT_EQ(dialog->GetClientSize(), dialog->ConvertDialogToPixels(wxSize(223, 86)));
            const auto rect = [dialog](int x, int y, int w, int h) {
                return wxRect(dialog->ConvertDialogToPixels(wxPoint(x, y)), dialog->ConvertDialogToPixels(wxSize(w, h)));
            };
            EXPECT_EQ(dialog->OkButton()->GetRect(), rect(7, 67, 66, 12));
            EXPECT_EQ(dialog->FindWindow(wxID_CANCEL)->GetRect(), rect(78, 67, 66, 12));
            EXPECT_EQ(dialog->CancelAllButton()->GetRect(), rect(150, 67, 66, 12));
            EXPECT_EQ(dialog->CancelAllButton()->GetLabel(), "Cancel &All");
            EXPECT_EQ(dialog->BeforeField()->GetRect(), rect(7, 19, 209, 12));
            EXPECT_EQ(dialog->AfterField()->GetRect(), rect(7, 47, 209, 12));
            EXPECT_EQ(dialog->BeforeField()->GetId(), IDC_BEFORE_NAME);
            EXPECT_EQ(dialog->AfterField()->GetId(), IDC_AFTER_NAME);
            EXPECT_FALSE(dialog->BeforeField()->IsEditable());
            EXPECT_TRUE(dialog->AfterField()->IsEditable());
            EXPECT_EQ(dialog->GetDefaultItem(), dialog->OkButton());
            // The new name is chosen up to its extension, so typing keeps ".png".
            long from = -1, to = -1;
            dialog->AfterField()->GetSelection(&from, &to);
            EXPECT_EQ(from, 0);
            EXPECT_EQ(to, 5) << "photo of photo.png";
            // Tab order is creation order: the two fields, OK, Cancel, Cancel All, the two labels.
            const wxWindowList& children = dialog->GetChildren();
            EXPECT_EQ(children[0], dialog->BeforeField());
            EXPECT_EQ(children[1], dialog->AfterField());
            EXPECT_EQ(children[2], dialog->OkButton());
            EXPECT_EQ(children[3]->GetId(), wxID_CANCEL);
            EXPECT_EQ(children[4], dialog->CancelAllButton());
            EXPECT_EQ(children[5]->GetLabel(), "Before filename:");
            EXPECT_EQ(children[6]->GetLabel(), "After filename:");
            return wxID_CANCEL;
        }
    };
    m_dialogs->Expect(Inspect());
    DoubleClickList();
}

TEST_F(RenameTest, NonUtf8NameRoundTripsThroughTheDialog) {
    const std::string name = "f\xe9te.gif";
    DropAndCheck({{name, kPngBytes}});
    SelectRows({0});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    DoubleClickList();
    WaitUntilIdle();
    EXPECT_TRUE(Exists("f\xe9te.png"));
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "f\xe9te.png");
}

}  // namespace
