// Menu 129 (the menu bar) and menu 135 (the list's context menu). No item is
// ever greyed or checked, and there are no accelerators: the list's keys
// (Ctrl+A, Ctrl+V, Delete) are the window's.
#pragma once

class wxMenu;
class wxMenuBar;

wxMenuBar* CreateMainMenuBar();
wxMenu* CreateContextMenu();
