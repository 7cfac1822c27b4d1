// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns rows of the layout table into Qt widgets: fonts, colours, geometry.

#include <QColor>
#include <QFont>

#include "window/views/form_layout.h"

class QWidget;

namespace window {

QFont fontOf(FontId font);

// An invalid colour for Colour::Platform: the widget keeps the platform's own.
QColor colourOf(Colour colour);

// Creates the control as a child of `form`, placed, captioned and coloured as the
// row says, and named after it so it can be found by its layout name.
QWidget* createControl(const ControlRow& row, QWidget* form);

}  // namespace window
