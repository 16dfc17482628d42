#include "window/menus.h"

#include <wx/menu.h>

#include "window/resource_ids.h"

namespace {

void AppendAddItems(wxMenu* file) {
    file->Append(ID_FILE_ADDFILES, "Add &Files...");
    file->Append(ID_FILE_ADDFOLDER, "Add Folder &Contents...");
}

}  // namespace

wxMenuBar* CreateMainMenuBar() {
    auto* file = new wxMenu;
    file->Append(ID_FILE_NEWLIST, "&New");
    AppendAddItems(file);
    file->AppendSeparator();
    file->Append(ID_FILE_EXIT, "&Exit");

    auto* edit = new wxMenu;
    edit->Append(ID_EDIT_PASTE, "&Paste Files\tCtrl+V");
    edit->Append(ID_EDIT_SELECTALL, "Select &All\tCtrl+A");
    edit->Append(ID_EDIT_REMOVE, "&Remove from List\tDelete");

    auto* tool = new wxMenu;
    tool->Append(ID_TOOL_CHECK, "&Check");
    tool->AppendSeparator();
    tool->Append(ID_TOOL_SELECTMISMATCHES, "Select &Mismatches\tCtrl+M");
    tool->Append(ID_TOOL_NEXTMISMATCH, "&Next Mismatch\tF3");
    tool->Append(ID_TOOL_PREVMISMATCH, "&Previous Mismatch\tShift+F3");
    tool->AppendSeparator();
    tool->Append(ID_TOOL_RENAMESELECTED, "&Rename One by One...\tF2");
    tool->Append(ID_TOOL_AUTORENAME, "Auto Rename");
    tool->Append(ID_TOOL_UNDORENAME, "&Undo Last Rename Run");
    // Last, so the items above keep their places under the keyboard.
    tool->AppendSeparator();
    tool->AppendCheckItem(ID_TOOL_LOOKINSIDE, "&Look Inside Documents");

    auto* about = new wxMenu;
    about->Append(ID_HELP_INDEX, "&Help");
    about->AppendSeparator();
    about->Append(ID_ABOUT_BOX, "&About Quorvane");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(tool, "&Tool");
    bar->Append(about, "&About");
    return bar;
}

wxMenu* CreateContextMenu() {
    auto* file = new wxMenu;
    file->Append(ID_FILE_NEWLIST, "&New");
    AppendAddItems(file);
    file->AppendSeparator();
    file->Append(ID_FILE_EXIT, "E&xit");

    auto* tool = new wxMenu;
    tool->Append(ID_TOOL_CHECK, "&Check");

    auto* popup = new wxMenu;
    popup->AppendSubMenu(file, "&File");
    popup->AppendSubMenu(tool, "&Tool");
    return popup;
}
