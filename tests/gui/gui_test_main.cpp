// Runs the window tests inside a real wx application (under Xvfb).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include "window/checker_app.h"

namespace {

// The real application's routing, without its window: each test opens its own.
class TestApp : public CCheckerApp {
public:
    bool OnInit() override { return true; }
};

void AssertToFailure(const wxString& file, int line, const wxString& function, const wxString& condition,
                     const wxString& message) {
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assert in " << function.utf8_string() << ": "
                                          << condition.utf8_string() << " " << message.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(AssertToFailure);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) return 255;
    wxTheApp->CallOnInit();
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
