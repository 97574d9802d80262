#pragma once

namespace platform::wx {

/// Makes the toolkit speak the desktop's language (its own dialogs' texts, such as GTK's file
/// chooser, and the C library's locale, from LANG and LC_*). Call it once at start-up, before
/// any window exists. What the program reads and writes stays the same in every locale: its
/// texts go through the explicit CP932 conversion and its file names through the toolkit's own.
void UseDesktopLanguage();

}  // namespace platform::wx
