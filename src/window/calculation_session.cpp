// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/calculation_session.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "section/progress.h"
#include "section/replay.h"
#include "window/data_folder.h"
#include "window/layout.h"
#include "window/main_form.h"
#include "window/qt_user_interface.h"

namespace window {

namespace {

using section::CalculationEnd;

// The user's interface with every answer written to the journal. A Cancel
// that abandons the run is not an answer: the journal stays resumable.
class JournalingUi : public section::UserInterface {
  public:
    JournalingUi(section::UserInterface& live, Journal& journal) : live_(live), journal_(journal) {}

    std::optional<std::string> ask(const section::Prompt& prompt) override {
        std::optional<std::string> answer = live_.ask(prompt);
        if (answer || !section::cancelAbandons(prompt.kind))
            journal_.append({{prompt.kind, answer}, prompt.section, prompt.point});
        return answer;
    }
    void setText(section::TextBox box, const std::string& text) override {
        live_.setText(box, text);
    }
    void showError(const std::string& message) override { live_.showError(message); }
    void showDraft(const section::SectionDraft& draft) override { live_.showDraft(draft); }

  private:
    section::UserInterface& live_;
    Journal& journal_;
};

enum class Choice { Resume, StartAgain, Neither };

Choice askToResume(QWidget* parent, const section::Prompt& last) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(formCaption),
                    QString::fromStdString("上次的计算没有完成：" + section::progressText(last) +
                                           "。是否接着输入？"),
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) return Choice::Resume;
    if (box.clickedButton() == no) return Choice::StartAgain;
    return Choice::Neither;
}

void tellMovedAside(QWidget* parent, const std::string& why, const QString& moved) {
    QMessageBox::warning(parent, QString::fromUtf8(formCaption),
                         QStringLiteral("上次没有完成的计算记录无法接着使用（%1），已移到“%2”。"
                                        "现在开始新的计算。")
                             .arg(QString::fromStdString(why), QDir::toNativeSeparators(moved)));
}

// The answers of the journal, when they replay: where they got to.
std::optional<section::Prompt> replayedUpTo(const std::vector<section::Answer>& answers) {
    section::ReplayUi dryRun(answers, nullptr);
    section::SectionSurvey scratch;
    section::runCalculation(dryRun, scratch);
    return dryRun.lastReplayed();
}

}  // namespace

CalculationEnd runCalculationSession(MainForm& form, section::SectionSurvey& record) {
    Journal journal(&form);
    const survey_file::JournalRead earlier = journal.read();
    std::vector<section::Answer> answers;
    for (const survey_file::JournalEntry& entry : earlier.entries) answers.push_back(entry.answer);

    if (!earlier.fault.empty()) {
        tellMovedAside(&form, earlier.fault, journal.moveAside());
        answers.clear();
    } else if (!answers.empty()) {
        std::optional<section::Prompt> last;
        try {
            last = replayedUpTo(answers);
        } catch (const section::ReplayMismatch& mismatch) {
            tellMovedAside(&form, "第 " + std::to_string(mismatch.index + 2) + " 行与输入提示不符",
                           journal.moveAside());
            answers.clear();
        }
        if (last) {
            switch (askToResume(&form, *last)) {
                case Choice::Resume:
                    break;
                case Choice::StartAgain:
                    journal.keepAsBackup();
                    answers.clear();
                    break;
                case Choice::Neither:
                    return CalculationEnd::Cancelled;
            }
        }
    }
    if (answers.empty()) journal.startNew();

    QtUserInterface live(form);
    JournalingUi journaling(live, journal);
    // Resumed, the journal's answers come back without their prompts or their
    // messages, the boxes as that run left them; then the user goes on.
    section::ReplayUi replay(std::move(answers), &journaling);
    const CalculationEnd end = section::runCalculation(replay, record);
    replay.handOver();
    switch (end) {
        case CalculationEnd::Finished:
            keepLastCalculation(record, &form);
            journal.clear();
            break;
        case CalculationEnd::Overflow:
            // Resuming would only overflow again; the answers stay in a backup.
            journal.keepAsBackup();
            break;
        case CalculationEnd::Cancelled:
            break;
    }
    return end;
}

}  // namespace window
