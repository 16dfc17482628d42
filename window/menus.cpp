#include "window/menus.h"

#include <wx/intl.h>
#include <wx/menu.h>

#include "window/resource_ids.h"

namespace {

void AppendAddItems(wxMenu* file) {
    file->Append(ID_FILE_ADDFILES, _("Add &Files..."));
    file->Append(ID_FILE_ADDFOLDER, _("Add Folder &Contents..."));
}

}  // namespace

wxMenuBar* CreateMainMenuBar() {
    auto* file = new wxMenu;
    file->Append(ID_FILE_NEWLIST, _("&New"));
    AppendAddItems(file);
    file->AppendSeparator();
    file->Append(ID_FILE_EXIT, _("&Exit"));

    auto* edit = new wxMenu;
    edit->Append(ID_EDIT_PASTE, _("&Paste Files\tCtrl+V"));
    edit->Append(ID_EDIT_SELECTALL, _("Select &All\tCtrl+A"));
    edit->Append(ID_EDIT_REMOVE, _("&Remove from List\tDelete"));

    auto* tool = new wxMenu;
    tool->Append(ID_TOOL_CHECK, _("&Check"));
    tool->AppendSeparator();
    tool->Append(ID_TOOL_SELECTMISMATCHES, _("Select &Mismatches\tCtrl+M"));
    tool->Append(ID_TOOL_NEXTMISMATCH, _("&Next Mismatch\tF3"));
    tool->Append(ID_TOOL_PREVMISMATCH, _("&Previous Mismatch\tShift+F3"));
    tool->AppendSeparator();
    tool->Append(ID_TOOL_RENAMESELECTED, _("&Rename One by One...\tF2"));
    tool->Append(ID_TOOL_AUTORENAME, _("Auto Rename"));
    tool->Append(ID_TOOL_UNDORENAME, _("&Undo Last Rename Run"));
    // Last, so the items above keep their places under the keyboard.
    tool->AppendSeparator();
    tool->AppendCheckItem(ID_TOOL_LOOKINSIDE, _("&Look Inside Documents"));

    auto* about = new wxMenu;
    about->Append(ID_HELP_INDEX, _("&Help"));
    about->AppendSeparator();
    about->Append(ID_ABOUT_BOX, _("&About Quorvane"));

    auto* bar = new wxMenuBar;
    bar->Append(file, _("&File"));
    bar->Append(edit, _("&Edit"));
    bar->Append(tool, _("&Tool"));
    bar->Append(about, _("&About"));
    return bar;
}

wxMenu* CreateContextMenu() {
    auto* file = new wxMenu;
    file->Append(ID_FILE_NEWLIST, _("&New"));
    AppendAddItems(file);
    file->AppendSeparator();
    file->Append(ID_FILE_EXIT, _("E&xit"));

    auto* tool = new wxMenu;
    tool->Append(ID_TOOL_CHECK, _("&Check"));

    auto* popup = new wxMenu;
    popup->AppendSubMenu(file, _("&File"));
    popup->AppendSubMenu(tool, _("&Tool"));
    return popup;
}
