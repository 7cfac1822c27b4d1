// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/form_controls.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace window {

namespace {

QWidget* createLabel(const QString& caption, QWidget* form) {
    auto* label = new QLabel(caption, form);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Only a caption with a blank may wrap ("S=0" under the centre line's
    // caption); others stay on one line rather than break at "-" or between
    // Chinese characters.
    label->setWordWrap(caption.contains(u' '));
    return label;
}

// The program alone writes the boxes: the user may select and copy their
// text, and Tab still visits them, but typing cannot make them contradict the
// calculation.
QWidget* createTextBox(const char* description, QWidget* form) {
    auto* box = new QLineEdit(form);
    box->setReadOnly(true);
    box->setAccessibleName(QString::fromUtf8(description));
    return box;
}

QWidget* createButton(const QString& caption, QWidget* form) {
    auto* button = new QPushButton(caption, form);
    // Neither Enter nor Esc may press a button.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setAccessibleName(caption);
    return button;
}

QWidget* createWidget(const ControlRow& row, QWidget* form) {
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
        case ControlKind::Label:
            return createLabel(caption, form);
        case ControlKind::TextBox:
            return createTextBox(row.description, form);
        case ControlKind::Button:
            return createButton(caption, form);
    }
    return nullptr;
}

// Labels are opaque in the window's colour. Buttons get their colour through a
// style sheet: styles such as Fusion pale and desaturate the Button role, so a
// pink face would come out nearly white.
void paintBackground(QWidget* widget, ControlKind kind, Colour background) {
    const QColor colour = colourOf(background);
    if (!colour.isValid()) return;
    if (kind == ControlKind::Button) {
        widget->setStyleSheet(QStringLiteral("QPushButton { background-color: %1;"
                                             " border: 2px outset %1; }"
                                             " QPushButton:pressed { border-style: inset; }")
                                  .arg(colour.name()));
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

QFont fontOf(FontId font) {
    struct Face {
        const char* family;
        double points;
    };
    static constexpr Face faces[] = {
        {"宋体", 9.0},
        {"宋体", 14.25},
        {"MS Sans Serif", 8.25},
        {"MS Sans Serif", 13.5},
    };
    const Face& face = faces[static_cast<int>(font)];
    QFont result(QString::fromUtf8(face.family));
    result.setPointSizeF(face.points);
    result.setBold(true);
    return result;
}

QColor colourOf(Colour colour) {
    switch (colour) {
        case Colour::Platform:
            return {};
        case Colour::PaleYellow:
            return {255, 255, 192};
        case Colour::LightGrey:
            return {192, 192, 192};
        case Colour::Pink:
            return {255, 192, 192};
        case Colour::Red:
            return {255, 0, 0};
        case Colour::WindowText:
            return QGuiApplication::palette().color(QPalette::WindowText);
    }
    return {};
}

QWidget* createControl(const ControlRow& row, QWidget* form) {
    QWidget* widget = createWidget(row, form);
    widget->setObjectName(QString::fromUtf8(row.name));
    widget->setFont(fontOf(row.font));
    widget->setGeometry(qRound(toPixels(row.left)), qRound(toPixels(row.top)),
                        qRound(toPixels(row.width)), qRound(toPixels(row.height)));
    paintBackground(widget, row.kind, row.background);
    return widget;
}

}  // namespace window
