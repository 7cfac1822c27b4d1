// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <set>

#include "document/survey_document.h"
#include "section/any_survey.h"
#include "section/section_picture.h"
#include "section/survey_captions.h"
#include "window/views/heading_text.h"
#include "window/views/section_canvas.h"
#include "window/views/warnings_dock.h"

namespace window {

namespace {

std::set<int> sectionsOf(const std::vector<section::SurveyWarning>& warnings) {
    std::set<int> sections;
    for (const section::SurveyWarning& warning : warnings) sections.insert(warning.section);
    return sections;
}

}  // namespace

SectionPanel::SectionPanel(const document::SurveyDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("sectionTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setWordWrap(true);
    warning_ = new QLabel(this);
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #b00000"));
    warning_->hide();
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("sectionCaption"));
    caption_->setWordWrap(true);
    canvas_ = new SectionCanvas(this);

    pager_ = new QWidget(this);
    previous_ = new QToolButton(pager_);
    previous_->setText(QStringLiteral("◀"));
    previous_->setToolTip(QStringLiteral("上一个断面"));
    next_ = new QToolButton(pager_);
    next_->setText(QStringLiteral("▶"));
    next_->setToolTip(QStringLiteral("下一个断面"));
    list_ = new QComboBox(pager_);
    list_->setAccessibleName(QStringLiteral("断面"));
    // As wide as a station, not as the longest name: sizing it to its
    // contents would measure every name each time the list is shown.
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->setMinimumContentsLength(12);
    auto* pages = new QHBoxLayout(pager_);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->addWidget(previous_);
    pages->addWidget(list_, 1);
    pages->addWidget(next_);
    auto* foot = new QHBoxLayout;
    foot->addWidget(pager_, 1);
    foot->addStretch();
    foot->addWidget(createViewTools());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(warning_);
    layout->addWidget(caption_);
    layout->addWidget(canvas_, 1);
    layout->addLayout(foot);

    connect(previous_, &QToolButton::clicked, this, [this] { showSection(list_->currentIndex()); });
    connect(next_, &QToolButton::clicked, this, [this] { showSection(list_->currentIndex() + 2); });
    connect(list_, &QComboBox::activated, this, [this](int index) { showSection(index + 1); });
    connect(&document_, &document::SurveyDocument::changed, this, &SectionPanel::follow);
    showSurvey();
}

QWidget* SectionPanel::createViewTools() {
    auto* tools = new QWidget(this);
    auto* fit = new QToolButton(tools);
    fit->setText(QStringLiteral("全图"));
    fit->setToolTip(QStringLiteral("缩放到整个断面（0 键，或双击图）"));
    exaggeration_ = new QComboBox(tools);
    // Like tool bar buttons they take no focus: the form keeps the keys.
    fit->setFocusPolicy(Qt::NoFocus);
    exaggeration_->setFocusPolicy(Qt::NoFocus);
    exaggeration_->setAccessibleName(QStringLiteral("竖向放大"));
    exaggeration_->setToolTip(
        QStringLiteral("高程方向放大的倍数，只用于屏幕查看；打印和导出的图仍按真实比例"));
    // Named as the drawing's corner says it, so that no label takes room
    // from the pager in a narrow panel.
    for (const int times : {1, 2, 5, 10})
        exaggeration_->addItem(QStringLiteral("竖向 ×%1").arg(times), times);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(fit);
    row->addWidget(exaggeration_);
    connect(fit, &QToolButton::clicked, canvas_, &SectionCanvas::fitToWindow);
    connect(exaggeration_, &QComboBox::currentIndexChanged, this,
            [this] { canvas_->setExaggeration(exaggeration_->currentData().toInt()); });
    return tools;
}

void SectionPanel::fitAnother(int shown) {
    if (shown != shown_) canvas_->fitToWindow();
    shown_ = shown;
}

QString SectionPanel::title() const {
    return asWritten(title_->text());
}

QString SectionPanel::caption() const {
    return asWritten(caption_->text());
}

QString SectionPanel::warning() const {
    return warning_->isHidden() ? QString() : warning_->text();
}

int SectionPanel::sectionCount() const {
    return document_.survey().sectionCount();
}

QStringList SectionPanel::warningsAt(int i) const {
    return warningsOf(document_.warnings(), i);
}

void SectionPanel::showDraft(const section::SectionDraft& draft) {
    pager_->hide();
    warning_->hide();
    fitAnother(-draft.section);
    title_->setText(keptTogether(QStringLiteral("正在输入第 %1 号断面").arg(draft.section)));
    caption_->setText(keptTogether(QStringLiteral("已确认 %1 个观测点").arg(draft.points.size())));
    section::PictureLine outline;
    outline.points.reserve(draft.points.size());
    for (const auto& point : draft.points)
        outline.points.push_back({point.elevation, point.offset});
    canvas_->setPicture({.section = {{std::move(outline)}, {}},
                         .pendingElevation = draft.elevation,
                         .pendingOffset = draft.offset});
}

void SectionPanel::showSurvey() {
    fitAnother(0);
    marked_ = sectionsOf(document_.warnings());
    list_->clear();
    const int count = sectionCount();
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QString::fromStdString(section::sectionName(document_.survey(), i));
    list_->addItems(names);
    markWarnings(1, count);
    pager_->setVisible(count > 1);
    if (count == 0) {
        warning_->hide();
        draw(0);
        return;
    }
    showSection(1);
}

void SectionPanel::markWarnings(int first, int last) {
    const QIcon icon = warningIcon(*this);
    for (int i = first; i <= last; ++i)
        list_->setItemIcon(i - 1, warningsAt(i).isEmpty() ? QIcon() : icon);
}

// Values or points of some sections changed: the section on show stays, the
// names (a station may have moved) and marks of the changed ones are renewed.
void SectionPanel::follow(const document::Change& change) {
    using Kind = document::Change::Kind;
    if (change.kind == Kind::Survey) {
        showSurvey();
        return;
    }
    if (change.kind != Kind::Values && change.kind != Kind::Points) {
        showSurvey();
        return;
    }
    // Marks change only where a warning came or went.
    const std::set<int> before = std::exchange(marked_, sectionsOf(document_.warnings()));
    std::vector<int> marks;
    std::ranges::set_symmetric_difference(before, marked_, std::back_inserter(marks));
    const QIcon icon = warningIcon(*this);
    for (const int i : marks) list_->setItemIcon(i - 1, marked_.contains(i) ? icon : QIcon());
    for (int i = change.first; i <= change.last; ++i)
        list_->setItemText(i - 1,
                           QString::fromStdString(section::sectionName(document_.survey(), i)));
    showSection(list_->currentIndex() + 1);
}

void SectionPanel::showPoint(int i, int j, bool design) {
    markedSection_ = i;
    markedPoint_ = j;
    markedDesign_ = design;
    if (i > 0) return showSection(i);
    if (sectionCount() > 0) showSection(list_->currentIndex() + 1);
}

void SectionPanel::showSection(int i) {
    const int count = sectionCount();
    if (count == 0) return;
    i = std::clamp(i, 1, count);
    list_->setCurrentIndex(i - 1);
    previous_->setEnabled(i > 1);
    next_->setEnabled(i < count);
    const QStringList warnings = warningsAt(i);
    warning_->setText(QStringLiteral("⚠ ") + warnings.join(QStringLiteral("\n⚠ ")));
    warning_->setVisible(!warnings.isEmpty());
    draw(i);
}

void SectionPanel::draw(int i) {
    const section::SectionCaption words = section::sectionCaption(document_.survey(), i);
    CanvasPicture picture{.section = section::sectionPicture(document_.survey(), i)};
    const std::string& height = picture.section.centreHeight;
    fitAnother(i);
    title_->setText(keptTogether(
        QString::fromStdString(height.empty() ? words.title : words.title + "  " + height)));
    caption_->setText(keptTogether(QString::fromStdString(words.caption)));
    if (i == markedSection_) picture.highlighted = {markedPoint_, markedDesign_};
    canvas_->setPicture(std::move(picture));
}

}  // namespace window
