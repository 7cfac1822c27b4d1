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
        // A reading's note names no section of the survey as it is now.
        if (const QVariant section = item->data(Qt::UserRole); section.isValid())
            emit sectionChosen(section.toInt());
    });
    connect(word_, &QLabel::linkActivated, this, [this] {
        show();
        raise();
    });
    connect(&document_, &document::SurveyDocument::changed, this, &WarningsDock::surveyChanged);
    hide();
}

bool WarningsDock::listReading() {
    const section::ReadingReport& report = document_.reading();
    QStringList texts;
    for (const auto* sentences : {&report.notes, &report.gaps})
        for (const std::string& sentence : *sentences)
            texts << QString::fromStdString(sentence) + u'。';
    if (texts == reading_) return false;
    for (qsizetype k = 0; k < reading_.size(); ++k) delete list_->takeItem(0);
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    for (qsizetype k = 0; k < texts.size(); ++k)
        list_->insertItem(int(k), new QListWidgetItem(icon, texts[k]));
    reading_ = std::move(texts);
    return true;
}

void WarningsDock::surveyChanged(const document::Change& change) {
    // Only a survey put in (opened, new, typed, or that undone) brings its own notes.
    const bool newReading = change.kind == document::Change::Kind::Survey && listReading();
    const int above = int(reading_.size());
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
    const bool listed = head + tail != shown_.size() || head + tail != warnings.size();
    if (listed) {
        for (std::size_t k = shown_.size() - tail; k-- > head;)
            delete list_->takeItem(above + int(k));
        for (std::size_t k = head; k < warnings.size() - tail; ++k) {
            auto* item =
                new QListWidgetItem(warningIcon(*this), QString::fromStdString(warnings[k].text));
            item->setData(Qt::UserRole, warnings[k].section);
            list_->insertItem(above + int(k), item);
        }
        shown_ = warnings;
    }
    if (listed || newReading) {
        const QString word = statusWord();
        word_->setVisible(!word.isEmpty());
        word_->setText(QStringLiteral("<a href=\"warnings\">%1</a>").arg(word));
    }
    if (list_->count() == 0)
        hide();
    else if ((change.kind == document::Change::Kind::Survey && !warnings.empty()) || first ||
             newReading)
        show();
}

QStringList WarningsDock::lines() const {
    QStringList texts;
    for (int k = 0; k < list_->count(); ++k) texts << list_->item(k)->text();
    return texts;
}

QString WarningsDock::statusWord() const {
    QStringList parts;
    if (!shown_.empty()) parts << QStringLiteral("⚠ %1 条计算提醒").arg(shown_.size());
    if (!reading_.isEmpty()) parts << QStringLiteral("%1 条读入说明").arg(reading_.size());
    return parts.join(QStringLiteral("，"));
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
