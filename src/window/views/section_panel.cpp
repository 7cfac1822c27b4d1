// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "document/survey_document.h"
#include "section/figures.h"
#include "section/result_rows.h"
#include "window/views/section_canvas.h"
#include "window/views/warnings_dock.h"

namespace window {

SectionPanel::SectionPanel(const document::SurveyDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    warning_ = new QLabel(this);
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #b00000"));
    warning_->hide();
    caption_ = new QLabel(this);
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(warning_);
    layout->addWidget(caption_);
    layout->addWidget(canvas_, 1);
    layout->addWidget(pager_);

    connect(previous_, &QToolButton::clicked, this, [this] { showSection(list_->currentIndex()); });
    connect(next_, &QToolButton::clicked, this, [this] { showSection(list_->currentIndex() + 2); });
    connect(list_, &QComboBox::activated, this, [this](int index) { showSection(index + 1); });
    connect(&document_, &document::SurveyDocument::changed, this, &SectionPanel::follow);
    showSurvey();
}

QString SectionPanel::title() const {
    return title_->text();
}

QString SectionPanel::caption() const {
    return caption_->text();
}

QString SectionPanel::warning() const {
    return warning_->isHidden() ? QString() : warning_->text();
}

void SectionPanel::showDraft(const section::SectionDraft& draft) {
    pager_->hide();
    warning_->hide();
    title_->setText(QStringLiteral("正在输入第 %1 号断面").arg(draft.section));
    caption_->setText(QStringLiteral("已确认 %1 个观测点").arg(draft.points.size()));
    canvas_->setPicture({draft.points, draft.elevation, draft.offset});
}

void SectionPanel::showSurvey() {
    const section::SectionSurvey& survey = document_.survey();
    warnings_ = section::surveyWarnings(survey);
    list_->clear();
    QStringList names;
    for (const section::ResultRow& row : section::resultRows(survey))
        names << QString::fromStdString(row.name);
    list_->addItems(names);
    markWarnings(1, survey.sectionCount());
    pager_->setVisible(survey.sectionCount() > 1);
    if (survey.sectionCount() == 0) {
        warning_->hide();
        title_->setText(QStringLiteral("断面图"));
        caption_->setText(QStringLiteral("单击“进行计算”后，这里显示正在输入的断面。"));
        canvas_->setPicture({});
        return;
    }
    showSection(1);
}

void SectionPanel::markWarnings(int first, int last) {
    const QIcon icon = warningIcon(*this);
    for (int i = first; i <= last; ++i)
        list_->setItemIcon(i - 1, warningsOf(warnings_, i).isEmpty() ? QIcon() : icon);
}

// Values or points of some sections changed: the section on show stays, the
// names (a station may have moved) and marks of the changed ones are renewed.
void SectionPanel::follow(const document::Change& change) {
    using Kind = document::Change::Kind;
    if (change.kind != Kind::Values && change.kind != Kind::Points) {
        showSurvey();
        return;
    }
    const section::SectionSurvey& survey = document_.survey();
    warnings_ = section::surveyWarnings(survey);
    const std::vector<section::ResultRow> rows = section::resultRows(survey);
    for (int i = change.first; i <= change.last; ++i)
        list_->setItemText(i - 1, QString::fromStdString(rows[i - 1].name));
    markWarnings(1, survey.sectionCount());
    showSection(list_->currentIndex() + 1);
}

void SectionPanel::showSection(int i) {
    const section::SectionSurvey& survey = document_.survey();
    i = std::clamp(i, 1, std::max(survey.sectionCount(), 1));
    if (survey.sectionCount() == 0) return;
    list_->setCurrentIndex(i - 1);
    previous_->setEnabled(i > 1);
    next_->setEnabled(i < survey.sectionCount());
    title_->setText(list_->itemText(i - 1));
    const QStringList warnings = warningsOf(warnings_, i);
    warning_->setText(QStringLiteral("⚠ ") + warnings.join(QStringLiteral("\n⚠ ")));
    warning_->setVisible(!warnings.isEmpty());
    const int count = survey.pointCounts(i);
    if (count < 3) {
        caption_->setText(QStringLiteral("只有 %1 个观测点，围不成断面，没有面积").arg(count));
    } else {
        caption_->setText(QStringLiteral("面积 %1 平方米，%2 个观测点")
                              .arg(QString::fromStdString(section::Figures(survey).area(i)))
                              .arg(count));
    }
    SectionPicture picture;
    for (int j = 1; j <= count; ++j)
        picture.points.push_back({survey.elevations(i, j), survey.offsets(i, j)});
    canvas_->setPicture(std::move(picture));
}

}  // namespace window
