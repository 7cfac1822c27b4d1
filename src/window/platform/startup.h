// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What can stop the window before it is of any use: no display to open it on,
// no font for its Chinese text.

class QWidget;

namespace window {

// Call before the QApplication exists. Where no display can be reached, writes
// one line (Chinese and English) to standard error and returns false; the
// program should then end with status 1 instead of letting Qt abort.
bool displayReachable();

// True when some installed face covers Simplified Chinese.
bool chineseFontInstalled();

// When no installed face covers the window's Chinese text, tells the user
// which package to install (in English too, since the Chinese would show as
// boxes) and goes on.
void warnIfNoChineseFont(QWidget* parent);

}  // namespace window
