// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/warnings_dock.h"

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "document/survey_document.h"

namespace window {

WarningsDock::WarningsDock(const document::SurveyDocument& document, QStatusBar& bar,
                           QWidget* parent)
    : QDockWidget(QStringLiteral("计算提醒"), parent), document_(document) {
    setObjectName(QStringLiteral("warnings"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    list_ = new QListWidget(this);
    list_->setWordWrap(true);
    // Each wrapped line of Chinese text is measured with the fonts it falls
    // back to: thousands of warnings laid out at once took longer than reading
    // their survey. In batches, the first are shown at once and the rest
    // follow between events.
    list_->setLayoutMode(QListView::Batched);
    list_->setFocusPolicy(Qt::NoFocus);
    const int small = list_->style()->pixelMetric(QStyle::PM_SmallIconSize);
    list_->setIconSize({small, small});
    setWidget(list_);
    toggleViewAction()->setText(QStringLiteral("计算提醒(&W)"));
    // A link, not a button: the bar keeps its height, the form its room.
    word_ = new QLabel(&bar);
    word_->setTextFormat(Qt::RichText);
    word_->setToolTip(QStringLiteral("显示计算提醒"));
    bar.addPermanentWidget(word_);
    word_->hide();
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit sectionChosen(item->data(Qt::UserRole).toInt());
    });
    connect(word_, &QLabel::linkActivated, this, [this] {
        show();
        raise();
    });
    connect(&document_, &document::SurveyDocument::changed, this, &WarningsDock::surveyChanged);
    hide();
}

void WarningsDock::surveyChanged(const document::Change& change) {
    const std::vector<section::SurveyWarning>& warnings = document_.warnings();
    const bool first = shown_.empty() && !warnings.empty();
    const auto same = [](const section::SurveyWarning& a, const section::SurveyWarning& b) {
        return a.section == b.section && a.kind == b.kind && a.text == b.text;
    };
    // Only the warnings between the unchanged ones before and after are
    // listed anew: an edit changes a few of thousands.
    const std::size_t both = std::min(shown_.size(), warnings.size());
    std::size_t head = 0;
    while (head < both && same(shown_[head], warnings[head])) ++head;
    std::size_t tail = 0;
    while (tail < both - head &&
           same(shown_[shown_.size() - 1 - tail], warnings[warnings.size() - 1 - tail]))
        ++tail;
    if (head + tail != shown_.size() || head + tail != warnings.size()) {
        for (std::size_t k = shown_.size() - tail; k-- > head;) delete list_->takeItem(int(k));
        for (std::size_t k = head; k < warnings.size() - tail; ++k) {
            auto* item =
                new QListWidgetItem(warningIcon(*this), QString::fromStdString(warnings[k].text));
            item->setData(Qt::UserRole, warnings[k].section);
            list_->insertItem(int(k), item);
        }
        shown_ = warnings;
        word_->setVisible(!warnings.empty());
        word_->setText(QStringLiteral("<a href=\"warnings\">%1</a>").arg(statusWord()));
    }
    if (warnings.empty())
        hide();
    else if (change.kind == document::Change::Kind::Survey || first)
        show();
}

QStringList WarningsDock::lines() const {
    QStringList texts;
    for (int k = 0; k < list_->count(); ++k) texts << list_->item(k)->text();
    return texts;
}

QString WarningsDock::statusWord() const {
    return word_->isHidden() ? QString() : QStringLiteral("⚠ %1 条计算提醒").arg(list_->count());
}

QStringList warningsOf(const std::vector<section::SurveyWarning>& warnings, int i) {
    QStringList texts;
    for (const section::SurveyWarning& warning :
         std::ranges::equal_range(warnings, i, {}, &section::SurveyWarning::section))
        texts << QString::fromStdString(warning.text);
    return texts;
}

QIcon warningIcon(const QWidget& widget) {
    return widget.style()->standardIcon(QStyle::SP_MessageBoxWarning);
}

}  // namespace window
