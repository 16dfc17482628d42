// The About dialog: title, version line and the layout of its text and OK button.
#include <wx/button.h>
#include <wx/stattext.h>

#include "gui_test_support.h"
#include "window/about_dialog.h"
#include "window/resource_ids.h"

namespace {

// Inspects the About dialog instead of showing it.
class InspectAbout : public wxExpectModalBase<CAboutDialog, InspectAbout> {
public:
    explicit InspectAbout(bool* seen) : m_seen(seen) {}

protected:
    int OnInvoked(CAboutDialog* dialog) const override {
        *m_seen = true;
        EXPECT_EQ(dialog->GetTitle(), "About Quorvane");
        EXPECT_EQ(dialog->GetClientSize(), dialog->ConvertDialogToPixels(wxSize(150, 83)));
        auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK));
        EXPECT_NE(ok, nullptr);
        if (ok) {
            EXPECT_EQ(ok->GetLabel(), "OK");
            EXPECT_EQ(ok->GetRect(), wxRect(dialog->ConvertDialogToPixels(wxPoint(7, 64)),
                                            dialog->ConvertDialogToPixels(wxSize(136, 12))));
        }
        wxStaticText* text = nullptr;
        for (wxWindow* child : dialog->GetChildren()) {
            if (auto* label = dynamic_cast<wxStaticText*>(child)) text = label;
        }
        EXPECT_NE(text, nullptr);
        if (text) {
            EXPECT_EQ(text->GetLabel().BeforeFirst('\n'), "Quorvane Version1.10");
            EXPECT_GE(text->GetLabel().Freq('\n'), 1);
            EXPECT_EQ(text->GetRect(), wxRect(dialog->ConvertDialogToPixels(wxPoint(7, 7)),
                                              dialog->ConvertDialogToPixels(wxSize(136, 51))));
        }
        return wxID_OK;
    }

private:
    bool* m_seen;
};

TEST_F(MainWindowTest, AboutShowsTitleAndVersion) {
    OpenWindow();
    bool seen = false;
    m_dialogs->Expect(InspectAbout(&seen));
    SendCommand(ID_ABOUT_BOX);
    EXPECT_TRUE(seen);
}

}  // namespace
