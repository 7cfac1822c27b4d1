// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A heading that a narrow panel wraps only between its groups of words, at a
// double space or after a Chinese comma: never inside a number with its unit
// ("32.000 平方米"), a station ("K0+100.000") or a word ("填方面积").

#include <QString>

namespace window {

// The text with no-break spaces and word joiners wherever a line could break
// inside a group.
QString keptTogether(const QString& text);
// The words again as written, without the joiners.
QString asWritten(const QString& heading);

}  // namespace window
