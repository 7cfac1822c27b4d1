// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/calculation_session.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "dialogue/progress.h"
#include "dialogue/replay.h"
#include "dialogue/run.h"
#include "storage/data_folder.h"
#include "storage/journal_file.h"
#include "window/platform/data_folder_messages.h"
#include "window/platform/title.h"
#include "window/views/qt_user_interface.h"

namespace window {

namespace {

using section::CalculationEnd;

// The user's interface with every answer written to the journal. A Cancel
// that abandons the run is not an answer: the journal stays resumable. A
// journal that cannot be written is told once a run, between prompts.
class JournalingUi : public section::UserInterface {
  public:
    JournalingUi(QtUserInterface& live, storage::Journal& journal, QWidget* parent)
        : live_(live), journal_(journal), parent_(parent) {}

    std::optional<std::string> ask(const section::Prompt& prompt) override {
        std::optional<std::string> answer = live_.ask(prompt);
        if (answer || !section::cancelAbandons(prompt.kind)) {
            const QString failure =
                journal_.append({{prompt.kind, answer}, prompt.section, prompt.point});
            if (!failure.isEmpty()) tellJournalStopped(parent_, failure);
        }
        return answer;
    }
    void setText(section::TextBox box, const std::string& text) override {
        live_.setText(box, text);
    }
    void showError(const std::string& message) override { live_.showError(message); }
    void showDraft(const section::SectionDraft& draft) override { live_.showDraft(draft); }

  private:
    QtUserInterface& live_;
    storage::Journal& journal_;
    QWidget* parent_;
};

enum class Choice { Resume, StartAgain, Neither };

// What a journal holds: the answers, the last prompt they answered, and
// whether they make a whole calculation (one whose last calculation could
// not be saved).
struct Earlier {
    std::vector<section::Answer> answers;
    std::optional<section::Prompt> last;
    bool finished = false;
};

Choice askToResume(QWidget* parent, const Earlier& earlier) {
    const std::string question =
        earlier.finished
            ? "上次完成的计算没有保存为最近一次计算。是否重新显示这次计算？"
            : "上次的计算没有完成：" + section::progressText(*earlier.last) + "。是否接着输入？";
    QMessageBox box(QMessageBox::Question, applicationTitle(), QString::fromStdString(question),
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) return Choice::Resume;
    if (box.clickedButton() == no) return Choice::StartAgain;
    return Choice::Neither;
}

void tellMovedAside(QWidget* parent, const std::string& why, const storage::JournalMove& move) {
    const QString text =
        move.failure.isEmpty()
            ? QStringLiteral(
                  "上次没有完成的计算记录无法接着使用（%1），已移到“%2”。"
                  "现在开始新的计算。")
                  .arg(QString::fromStdString(why), QDir::toNativeSeparators(move.to))
            : QStringLiteral(
                  "上次没有完成的计算记录无法接着使用（%1），也无法移到一旁：%2"
                  "它留在原处。现在开始新的计算。")
                  .arg(QString::fromStdString(why), move.failure);
    QMessageBox::warning(parent, applicationTitle(), text);
}

void tellNotKept(QWidget* parent, const storage::JournalMove& move) {
    QMessageBox::warning(parent, applicationTitle(),
                         QStringLiteral("上次的计算记录没有保存为备份：%1"
                                        "它留在原处，下次计算时还会询问是否接着输入。")
                             .arg(move.failure));
}

// A journal's entries as answers checked against the place of their prompts.
std::vector<section::Answer> answersOf(const std::vector<survey_file::JournalEntry>& entries) {
    std::vector<section::Answer> answers;
    for (const survey_file::JournalEntry& entry : entries)
        answers.push_back({entry.answer.kind, entry.answer.text, {{entry.section, entry.point}}});
    return answers;
}

// The answers of the journal, when they replay: where they got to.
Earlier replayed(std::vector<section::Answer> answers) {
    section::ReplayUi dryRun(answers, nullptr);
    section::SectionSurvey scratch;
    const bool finished = section::runCalculation(dryRun, scratch) == CalculationEnd::Finished;
    return {std::move(answers), dryRun.lastReplayed(), finished};
}

// The answers of the unfinished journal that replays; journals that do not
// replay are moved aside on the way, and told.
Earlier unfinishedRun(storage::Journal& journal, QWidget* parent) {
    for (;;) {
        const storage::Journal::Found found = journal.unfinished();
        if (found.path.isEmpty()) return {};
        std::string why = found.read.fault;
        if (why.empty()) {
            try {
                return replayed(answersOf(found.read.entries));
            } catch (const section::ReplayMismatch& mismatch) {
                why = "第 " + std::to_string(mismatch.index + 2) + " 行与输入提示不符";
            }
        }
        tellMovedAside(parent, why, journal.moveAside());
    }
}

// After the run: a finished calculation's journal goes only once the
// calculation is kept; an overflowing one goes to a backup. True when the
// calculation is kept.
bool closeJournal(storage::Journal& journal, CalculationEnd end,
                  const section::SectionSurvey& record, const section::ProjectInfo& project,
                  QWidget* parent) {
    QString failure;
    bool kept = false;
    if (end == CalculationEnd::Finished) {
        const storage::KeptCalculation keeping = storage::keepLastCalculation(record, project);
        window::tellNotKept(parent, keeping);
        kept = keeping.kept();
        if (kept) failure = journal.remove();
    }
    if (end == CalculationEnd::Overflow) failure = journal.keepAsBackup().failure;
    if (!failure.isEmpty()) warnDataFolderOnce(parent, failure);
    return kept;
}

}  // namespace

SessionEnd runCalculationSession(PromptSurface& form, section::SectionSurvey& record,
                                 const section::ProjectInfo& project) {
    storage::Journal& journal = storage::instanceJournal();
    Earlier earlier = unfinishedRun(journal, form.promptParent());
    std::vector<section::Answer>& answers = earlier.answers;
    if (earlier.last) {
        switch (askToResume(form.promptParent(), earlier)) {
            case Choice::Resume:
                if (const QString failure = journal.resume(); !failure.isEmpty())
                    tellJournalStopped(form.promptParent(), failure);
                break;
            case Choice::StartAgain:
                if (const storage::JournalMove move = journal.keepAsBackup();
                    !move.failure.isEmpty())
                    tellNotKept(form.promptParent(), move);
                answers.clear();
                break;
            case Choice::Neither:
                return {};
        }
    }
    if (answers.empty()) journal.startNew();

    QtUserInterface live(form);
    JournalingUi journaling(live, journal, form.promptParent());
    // Resumed, the journal's answers come back without their prompts or their
    // messages, the boxes as that run left them; then the user goes on.
    section::ReplayUi replay(std::move(answers), &journaling);
    CalculationEnd end = CalculationEnd::Cancelled;
    try {
        end = section::runCalculation(replay, record);
    } catch (const PromptInterrupted&) {
        // The program is ending: the journal keeps what was answered.
        return {};
    }
    replay.handOver();
    const bool kept = closeJournal(journal, end, record, project, form.promptParent());
    return {end, kept};
}

}  // namespace window
