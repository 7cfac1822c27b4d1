// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's name and its sheet's, written out here only: every window,
// message box, printed sheet, print job and PDF takes them from here.

namespace runtime {

// The title of the window, of every prompt and message box, and a PDF's creator.
inline constexpr char applicationName[] = "Velmorin";

// The sheet's title line, and the name its print job and its PDF carry.
inline constexpr char sheetName[] = "方量计算";

}  // namespace runtime
