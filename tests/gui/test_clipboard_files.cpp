// Files copied in a file manager, pasted with Ctrl+V: each clipboard format gives the rows a drop of them gives.
#include <cctype>
#include <string>
#include <vector>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/uiaction.h>

#include "gui_test_support.h"

namespace {

std::string FileUri(const std::string& path) {
    std::string uri = "file://";
    const char* hex = "0123456789ABCDEF";
    for (unsigned char byte : path) {
        if (std::isalnum(byte) || byte == '/' || byte == '.' || byte == '-' || byte == '_') {
            uri += static_cast<char>(byte);
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 15];
        }
    }
    return uri;
}

struct ClipboardCase {
    const char* name;
    const char* format;
    const char* firstLine;
    const char* lineEnd;
};

class PasteFiles : public WaysIn, public ::testing::WithParamInterface<ClipboardCase> {};

TEST_P(PasteFiles, GiveTheRowsADropGives) {
    const ClipboardCase& c = GetParam();
    std::string text = c.firstLine;
    for (const fs::path& path : MakeFiles()) text += FileUri(path.string()) + c.lineEnd;
    auto* data = new wxCustomDataObject(wxDataFormat(wxString(c.format)));
    data->SetData(text.size(), text.data());
    {
        wxClipboardLocker locker;
        ASSERT_FALSE(!locker);
        ASSERT_TRUE(wxTheClipboard->SetData(data));
    }
    OpenWindow();
    PressInList([](wxUIActionSimulator& keys) { keys.Char('v', wxMOD_CONTROL); });
    {
        wxClipboardLocker locker;
        wxTheClipboard->Clear();
    }
    ExpectTheRowsADropGives();
}

INSTANTIATE_TEST_SUITE_P(Formats, PasteFiles,
                         ::testing::Values(ClipboardCase{"UriList", "text/uri-list", "# copied\r\n", "\r\n"},
                                           ClipboardCase{"GnomeCopiedFiles", "x-special/gnome-copied-files",
                                                         "copy\n", "\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A list of paths copied as text (a terminal's, an editor's): its absolute
// paths become rows, its other lines are left out.
TEST_F(MainWindowTest, PlainTextPathsArePastedAsRows) {
    const fs::path first = m_files.Write("first.gif", "GIF89a");
    const fs::path second = m_files.Write("with space.png", "GIF89a");
    const std::string text = first.string() + "\nnot a path\n" + second.string() + "\r\n";
    {
        wxClipboardLocker locker;
        ASSERT_FALSE(!locker);
        ASSERT_TRUE(wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text))));
    }
    OpenWindow();
    PressInList([](wxUIActionSimulator& keys) { keys.Char('v', wxMOD_CONTROL); });
    {
        wxClipboardLocker locker;
        wxTheClipboard->Clear();
    }
    ASSERT_TRUE(PumpUntil([this] { return Rows().RowCount() == 2; })) << "rows: " << Rows().RowCount();
    WaitUntilIdle();
    EXPECT_EQ(Rows().PathOf(0), first.string());
    EXPECT_EQ(Rows().PathOf(1), second.string());
}

}  // namespace
