// Numbers of the windows, controls and commands. They are also
// the wx window and command ids, so a command from the menu bar and the same
// command from the context menu reach one handler.
#pragma once

// Dialog templates.
inline constexpr int IDD_MAIN_DIALOG = 102;
inline constexpr int IDD_RENAME_DIALOG = 136;
inline constexpr int IDD_ABOUT_BOX = 137;

// Controls.
inline constexpr int IDC_FILE_LIST = 1001;
inline constexpr int IDC_BEFORE_NAME = 1007;
inline constexpr int IDC_AFTER_NAME = 1008;
inline constexpr int IDC_STATUS_LINE = 1009;

// Commands. wx takes ids up to 0x7FFF only, so the command numbers from
// 32771 (0x8003) on are given with their two top bits as 01: 0x4003 stands
// for 32771, 0x6146 for 57670. They stay distinct from every other id here.
inline constexpr int ID_FILE_NEWLIST = 1004;
inline constexpr int ID_ABOUT_BOX = 1010;
inline constexpr int ID_FILE_EXIT = 0x4003;       // 32771
inline constexpr int ID_TOOL_CHECK = 0x4004;      // 32772
inline constexpr int ID_HELP_INDEX = 0x4007;      // 32775
inline constexpr int ID_TOOL_AUTORENAME = 0x4008;  // 32776
inline constexpr int ID_TOOL_UNDORENAME = 0x4009;  // 32777
// The framework's standard Help command; no menu item issues it.
inline constexpr int ID_HELP = 0x6146;            // 57670
// Ways to add rows besides a drop, and the keys that act on the list.
inline constexpr int ID_FILE_ADDFILES = 1011;
inline constexpr int ID_FILE_ADDFOLDER = 1012;
inline constexpr int ID_EDIT_PASTE = 1013;
inline constexpr int ID_EDIT_SELECTALL = 1014;
inline constexpr int ID_EDIT_REMOVE = 1015;
// The switch for the second look inside containers.
inline constexpr int ID_TOOL_LOOKINSIDE = 1016;
// Finding the mismatches and renaming the selected rows one by one.
inline constexpr int ID_TOOL_SELECTMISMATCHES = 1017;
inline constexpr int ID_TOOL_NEXTMISMATCH = 1018;
inline constexpr int ID_TOOL_PREVMISMATCH = 1019;
inline constexpr int ID_TOOL_RENAMESELECTED = 1020;
