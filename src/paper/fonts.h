// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window and the printed sheet name Windows faces ("宋体", "MS Sans Serif").
// These substitutions map them to installed faces that look the same, so Chinese
// never renders as boxes.

namespace paper {

// Call once, after the QApplication exists and before any widget or printer.
void installFontSubstitutions();

}  // namespace paper
