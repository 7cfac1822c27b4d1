// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program sets up once, before the window is built: style, Chinese
// texts on Qt's own dialog buttons, the fonts the layout names, and the icon.

class QApplication;

namespace window {

void prepareApplication(QApplication& app);

}  // namespace window
