// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a top-level window still exists on the display.

class QWidget;

namespace window {

// True when the display no longer knows the window (on X11: it was destroyed
// by another client). Always false where this cannot be asked.
bool nativeWindowGone(const QWidget& window);

}  // namespace window
