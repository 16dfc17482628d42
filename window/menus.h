// Menu 129 (the menu bar) and menu 135 (the list's context menu). The keys
// stand in the labels so the menus document them; the main window's key hook
// issues the commands, and its update handler greys what cannot run now.
#pragma once

class wxMenu;
class wxMenuBar;

wxMenuBar* CreateMainMenuBar();
wxMenu* CreateContextMenu();
