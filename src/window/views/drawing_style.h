// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the drawings share: a white ground, a light grid, small tick values.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace window {

inline const QColor kGridColour(225, 225, 225);
// The ring around the point of the table's current row.
inline const QColor kHighlightColour(220, 0, 200);

inline QFont tickFont() {
    return QFont(QStringLiteral("DejaVu Sans"), 7);
}

inline void paintWhiteGround(QWidget& widget) {
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget.setPalette(palette);
}

}  // namespace window
