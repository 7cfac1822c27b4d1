#pragma once
// What the program sets up once, before the window is built: style, Chinese
// texts on Qt's own dialog buttons, and the fonts the layout names.

class QApplication;

namespace window {

void prepareApplication(QApplication& app);

}  // namespace window
