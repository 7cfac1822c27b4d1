// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/main_form.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "dialogue/finished_screen.h"
#include "dialogue/run.h"
#include "section/calculation.h"
#include "storage/data_folder.h"
#include "window/platform/guarded.h"
#include "window/platform/title.h"
#include "window/views/calculation_session.h"
#include "window/views/form_controls.h"
#include "window/views/qt_user_interface.h"

namespace window {

namespace {

// Room right of and below the layout, in pixels.
constexpr int margin = 24;

}  // namespace

MainForm::MainForm(document::SurveyDocument& document, Printing& printing, QWidget* parent)
    : QWidget(parent), document_(document), printing_(printing) {
    setWindowTitle(applicationTitle());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colourOf(Colour::PaleYellow));
    setPalette(palette);
    setAutoFillBackground(true);

    buildControls();
    connectButton("Command1", &MainForm::Command1_Click);
    connectButton("Command2", &MainForm::Command2_Click);
    connectButton("Command3", &MainForm::Command3_Click);
    connect(&document_, &document::SurveyDocument::changed, this, &MainForm::surveyChanged);

    resize(int(std::ceil(toPixels(layoutRight))) + margin,
           int(std::ceil(toPixels(layoutBottom))) + margin);
}

void MainForm::buildControls() {
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlRow& row : controlTable()) {
        QWidget* control = createControl(row, this);
        if (row.kind != ControlKind::Label) focusable.emplace_back(row.tab, control);
    }
    std::ranges::sort(focusable, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        setTabOrder(focusable[i - 1].second, focusable[i].second);
    focusable.front().second->setFocus();

    for (std::size_t i = 0; i < textBoxes_.size(); ++i)
        textBoxes_[i] = findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1));
}

void MainForm::connectButton(const char* name, void (MainForm::*handler)()) {
    auto* button = findChild<QPushButton*>(QString::fromUtf8(name));
    connect(button, &QPushButton::clicked, this, handler);
}

QLineEdit* MainForm::textBox(section::TextBox box) const {
    return textBoxes_.at(static_cast<std::size_t>(box) - 1);
}

void MainForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LineRow& line : lineTable()) {
        painter.setPen(QPen(colourOf(line.colour), line.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(toPixels(line.x1), toPixels(line.y1)),
                         QPointF(toPixels(line.x2), toPixels(line.y2)));
    }
}

MainForm::Screen MainForm::screen() const {
    Screen texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = textBoxes_[i]->text();
    return texts;
}

void MainForm::showScreen(const Screen& screen) {
    for (std::size_t i = 0; i < screen.size(); ++i) {
        textBoxes_[i]->setText(screen[i]);
        textBoxes_[i]->setCursorPosition(0);
    }
}

// A calculation that does not finish (Cancel, overflow, an error) leaves the
// boxes as the last finished one left them: nothing of the abandoned run may
// stand beside its results.
void MainForm::Command1_Click() {
    if (surveyGuard_ && !surveyGuard_()) return;
    const Screen before = screen();
    section::SectionSurvey typed;
    SessionEnd session;
    // Kept with the 工程信息 the document goes on holding it with.
    runGuarded(this, [&] { session = runCalculationSession(*this, typed, document_.project()); });
    bool finished = session.end == section::CalculationEnd::Finished;
    // The run calculated it already: the same calculation cannot overflow again.
    if (finished)
        finished =
            document_.replaceSurvey(section::Survey(std::move(typed)), QStringLiteral("计算"), {})
                .done();
    if (!finished) showScreen(before);
    if (finished) emit calculationFinished(true, session.kept);
    emit runEnded();
}

document::Edited MainForm::showSurvey(section::Survey data, const QString& fileName,
                                      section::ProjectInfo project,
                                      section::ReadingReport reading) {
    // Calculated as the command line does, the boxes worked out from the
    // result: what typing the data leaves, without replaying the dialogue.
    document::Edited opened = document_.replaceSurvey(
        std::move(data), QStringLiteral("打开文件"), fileName, std::move(project),
        document::Replacing::AsSaved, std::move(reading));
    if (opened.done()) emit calculationFinished(false, false);
    return opened;
}

// Whatever changed the survey, the boxes show what a finished run of it leaves.
void MainForm::surveyChanged(const document::Change&) {
    const std::optional<section::BoxTexts> finished = section::finishedScreen(document_.survey());
    if (!finished) {
        showScreen({});
        return;
    }
    const section::BoxTexts& boxes = *finished;
    QtUserInterface ui(*this);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const auto box = static_cast<section::TextBox>(i + 1);
        // A box whose text stays is not drawn again: an edit mostly moves the total alone.
        if (boxes[i] && textBox(box)->text() != QString::fromStdString(*boxes[i]))
            ui.setText(box, *boxes[i]);
    }
}

void MainForm::Command2_Click() {
    // Unsaved edits may keep the window open (取消).
    if (window()->close()) QCoreApplication::quit();
}

void MainForm::Command3_Click() {
    printing_.printOnDefault(document_);
}

}  // namespace window
