// The Rename File dialogs of a sequence, shown for real beside their window:
// each answer, and the end of the sequence from outside (the close box).
#include <memory>
#include <string>

#include <wx/button.h>
#include <wx/frame.h>

#include "gui_test_support.h"
#include "window/rename_sequence.h"

namespace {

struct SequenceCase {
    const char* name;
    int pressed;  // the button pressed once the dialog is up; 0: the sequence is ended instead
    int expected;
    bool ended;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class RenameSequenceAnswers : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(RenameSequenceAnswers, EndTheShownDialog) {
    const SequenceCase& c = GetParam();
    // Destroyed as the program's windows are, after the dialogs of this scope.
    std::unique_ptr<wxFrame, void (*)(wxFrame*)> owner(new wxFrame(nullptr, wxID_ANY, "owner"), [](wxFrame* frame) {
        frame->Destroy();
        Pump();
    });
    wxFrame& frame = *owner;
    frame.Show();
    RenameSequence sequence;
    CRenameDialog dialog(&frame, "photo.gif", "photo.png");
    bool shownBeside = false;
    dialog.Bind(wxEVT_SHOW, [&](wxShowEvent& event) {
        if (event.IsShown()) {
            // Not modal: the window beside it stays usable, its close box included.
            shownBeside = !dialog.IsModal() && frame.IsEnabled();
            dialog.CallAfter([&] {
                if (c.pressed == 0) {
                    sequence.EndSequence();
                    return;
                }
                wxWindow* button = dialog.FindWindow(c.pressed);
                wxCommandEvent press(wxEVT_BUTTON, c.pressed);
                press.SetEventObject(button);
                button->GetEventHandler()->ProcessEvent(press);
            });
        }
        event.Skip();
    });
    EXPECT_EQ(sequence.Show(dialog), c.expected);
    EXPECT_TRUE(shownBeside);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_EQ(sequence.Ended(), c.ended);
    // Once ended, a later dialog is not shown at all.
    if (c.ended) {
        CRenameDialog later(&frame, "b.gif", "b.png");
        EXPECT_EQ(sequence.Show(later), wxID_ABORT);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RenameSequenceAnswers,
                         ::testing::Values(SequenceCase{"Ok", wxID_OK, wxID_OK, false},
                                           SequenceCase{"Cancel", wxID_CANCEL, wxID_CANCEL, false},
                                           SequenceCase{"CancelAll", wxID_ABORT, wxID_ABORT, false},
                                           SequenceCase{"EndedFromOutside", 0, wxID_ABORT, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
