// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A button's work runs guarded: an error that escapes it (out of memory, an
// internal fault) is shown to the user instead of ending the program, and the
// program goes on with the last finished calculation.

#include <functional>

class QWidget;

namespace window {

// Runs `work`; an exception that escapes it becomes a message box over `parent`.
// True when the work ended normally.
bool runGuarded(QWidget* parent, const std::function<void()>& work);

}  // namespace window
