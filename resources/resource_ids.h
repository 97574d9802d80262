#pragma once

// The numbers of the viewer's templates, menu, icon, string and controls. The templates name
// their objects with these numbers, so a control's window id is its number.

namespace res {

// Templates and menu.
constexpr int kAboutTemplate = 100;
constexpr int kMainTemplate = 102;
constexpr int kMainMenu = 131;

// Icon and string table.
constexpr int kAppIcon = 128;
constexpr int kAboutCommandString = 101;

// Controls of the main dialog, in tab order, with the two labels last.
constexpr int kSearchEdit = 1000;
constexpr int kSearchButton = 1001;
constexpr int kAllButton = 1002;
constexpr int kFirstKanaButton = 1003;  // あ; the rows follow up to わ
constexpr int kLastKanaButton = 1012;
constexpr int kTitleList = 1013;
constexpr int kDetailEdit = 1014;
constexpr int kFontButton = 1018;
constexpr int kCounterLabel = 1015;
constexpr int kSearchLabel = 1017;

// Menu commands, as menu 131 names its items.
constexpr int kOpenCommand = 32771;
constexpr int kExitCommand = 32773;
constexpr int kCsvExportCommand = 32776;
constexpr int kTextExportCommand = 32777;
constexpr int kMenuCommands[] = {kOpenCommand, kExitCommand, kCsvExportCommand, kTextExportCommand};

/// The window id that menu command `command` has in the toolkit, whose ids stop at 0x7FFF:
/// the command number less 0x8000, where the commands begin.
constexpr int MenuItemId(int command) {
    return command - 0x8000;
}

// The about entry: the system menu's on Windows, the help menu's elsewhere.
constexpr int kAboutCommand = 16;

}  // namespace res
