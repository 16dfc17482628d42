// Numbers of the windows, controls, menus, icons and commands. They are also
// the wx window and command ids, so a command from the menu bar and the same
// command from the context menu reach one handler.
#pragma once

// wx accepts menu ids below 0x7FFF only. A command number above that (the
// 327xx tool commands, 57670) goes to wx with its two top bits replaced by
// 01: 32771 (0x8003) becomes 0x4003. The numbers stay distinct.
constexpr int WxCommandId(int number) { return number < 0x7FFF ? number : (number & 0x3FFF) | 0x4000; }

// Dialog templates.
inline constexpr int IDD_MAIN_DIALOG = 102;
inline constexpr int IDD_RENAME_DIALOG = 136;
inline constexpr int IDD_ABOUT_BOX = 137;

// Menus: the menu bar and the list's context menu.
inline constexpr int IDR_MAIN_MENU = 129;
inline constexpr int IDR_CONTEXT_MENU = 135;

// Icons: the application, then the status images in status order.
inline constexpr int IDI_APP_ICON = 128;
inline constexpr int IDI_STATUS_UNKNOWN = 130;
inline constexpr int IDI_STATUS_MISMATCH = 132;
inline constexpr int IDI_STATUS_MATCH = 133;
inline constexpr int IDI_STATUS_FOLDER = 134;

// Controls.
inline constexpr int IDC_FILE_LIST = 1001;
inline constexpr int IDC_BEFORE_NAME = 1007;
inline constexpr int IDC_AFTER_NAME = 1008;
inline constexpr int IDC_STATUS_LINE = 1009;

// Commands.
inline constexpr int ID_FILE_NEWLIST = 1004;
inline constexpr int ID_ABOUT_BOX = 1010;
inline constexpr int ID_FILE_EXIT = WxCommandId(32771);
inline constexpr int ID_TOOL_CHECK = WxCommandId(32772);
inline constexpr int ID_HELP_INDEX = WxCommandId(32775);
inline constexpr int ID_TOOL_AUTORENAME = WxCommandId(32776);
inline constexpr int ID_TOOL_UNDORENAME = WxCommandId(32777);
// The framework's standard Help command; no menu item issues it.
inline constexpr int ID_HELP = WxCommandId(57670);
// Ways to add rows besides a drop, and the keys that act on the list.
inline constexpr int ID_FILE_ADDFILES = 1011;
inline constexpr int ID_FILE_ADDFOLDER = 1012;
inline constexpr int ID_EDIT_PASTE = 1013;
inline constexpr int ID_EDIT_SELECTALL = 1014;
inline constexpr int ID_EDIT_REMOVE = 1015;
// The switch for the second look inside containers.
inline constexpr int ID_TOOL_LOOKINSIDE = 1016;
