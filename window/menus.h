// Menu 129 (the menu bar) and menu 135 (the list's context menu). No item is
// ever greyed or checked, and there are no accelerators.
#pragma once

class wxMenu;
class wxMenuBar;

wxMenuBar* CreateMainMenuBar();
wxMenu* CreateContextMenu();
