// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/edit_recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "document/survey_document.h"
#include "survey_file/step_journal.h"
#include "window/files/data_folder.h"
#include "window/files/data_folder_messages.h"
#include "window/files/file_failure.h"
#include "window/files/safe_write.h"
#include "window/files/survey_io.h"
#include "window/files/whole_file.h"

namespace window {

namespace {

// Steps after which the whole survey is copied again: the steps file stays
// small, reopening quick.
constexpr int kStepsPerCopy = 64;

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString stepsTemporary() {
    return unsavedEditsStepsPath() + QStringLiteral(".new");
}

// A recovery file that does not read back (not a regular file, damaged,
// unreadable) moved beside itself under a dated name: a start neither hangs
// on it nor asks again, and nothing of it is thrown away. `why` names the
// file and the reason.
QString setAside(const QString& path, const QString& stamp, const QString& why) {
    const QFileInfo info(path);
    const QString to = info.dir().filePath(
        QStringLiteral("%1（损坏 %2）.%3").arg(info.completeBaseName(), stamp, info.suffix()));
    if (!QDir().rename(path, to))
        return why + QStringLiteral("它也无法移到“%1”：请把它移走或删除。").arg(shown(to));
    return why + QStringLiteral("已把它移到“%1”。").arg(shown(to));
}

// Section numbers as runs: "3、5–7".
QString sectionRuns(const std::vector<int>& sections) {
    QStringList runs;
    for (std::size_t k = 0; k < sections.size();) {
        std::size_t end = k;
        while (end + 1 < sections.size() && sections[end + 1] == sections[end] + 1) ++end;
        runs << (end == k ? QString::number(sections[k])
                          : QStringLiteral("%1–%2").arg(sections[k]).arg(sections[end]));
        k = end + 1;
    }
    return runs.join(QStringLiteral("、"));
}

QString lostSteps(const survey_file::StepReplay& replayed, const QString& stepsPath) {
    if (replayed.lost.empty()) return {};
    // A few named; a file damaged throughout would make a wall of numbers.
    constexpr std::size_t kNamed = 5;
    QStringList records;
    for (std::size_t k = 0; k < std::min(replayed.lost.size(), kNamed); ++k)
        records << QString::number(replayed.lost[k]);
    if (replayed.lost.size() > kNamed) records.last() += QStringLiteral(" 等");
    QString text =
        replayed.torn && replayed.lost.size() == 1
            ? QStringLiteral("最后一步修改在写入“%1”时中断，没有恢复。").arg(shown(stepsPath))
            : QStringLiteral("“%1”中第 %2 条记录已损坏，这 %3 步修改没有恢复，其余的已恢复。")
                  .arg(shown(stepsPath), records.join(QStringLiteral("、")))
                  .arg(replayed.lost.size());
    if (!replayed.stale.empty())
        text +=
            QStringLiteral("断面 %1 是那%2之前的数据，请核对。")
                .arg(sectionRuns(replayed.stale),
                     replayed.lost.size() == 1 ? QStringLiteral("一步") : QStringLiteral("些步"));
    return text;
}

// The steps replayed on the copy, written back with the copy's 工程信息; what
// did not replay is told in `folded`. Whether a record was damaged (more
// than a torn last one).
template <class Survey>
bool fold(Survey& survey, const section::ProjectInfo& project, const std::string& steps,
          const EditFiles& files, FoldedEdits& folded) {
    const survey_file::StepReplay replayed = survey_file::replaySteps(survey, steps);
    folded.lost += lostSteps(replayed, files.steps());
    if (replayed.steps > 0) folded.failure = saveLastCalculation(survey, files.copy(), project);
    return replayed.lost.size() > (replayed.torn ? 1u : 0u);
}

}  // namespace

QString unsavedEditsPath() {
    return ownEditFiles().copy();
}

QString unsavedEditsStepsPath() {
    return ownEditFiles().steps();
}

QString unsavedEditsNamePath() {
    return ownEditFiles().name();
}

FoldedEdits foldUnsavedEdits(const EditFiles& files) {
    const QString copyPath = files.copy();
    const QString stepsPath = files.steps();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    FoldedEdits folded;
    for (const QString& path : {copyPath, stepsPath}) {
        const QFileInfo info(path);
        if (info.isFile()) folded.lastEdit = std::max(folded.lastEdit, info.lastModified());
    }
    if (QFileInfo::exists(files.name())) {
        const WholeFile name = readWholeFile(files.name());
        if (name.error.isEmpty())
            folded.file = QString::fromStdString(name.bytes);
        else
            folded.lost = setAside(files.name(), stamp, name.error);
    }
    // Read without blocking: a FIFO or a folder under either name is told as
    // what it is and moved aside, the good part offered.
    WholeFile steps;
    bool stepsRead = false;
    if (QFileInfo::exists(stepsPath)) {
        steps = readWholeFile(stepsPath);
        stepsRead = steps.error.isEmpty();
        if (!stepsRead) folded.lost += setAside(stepsPath, stamp, steps.error);
    }
    if (QFileInfo::exists(copyPath)) {
        OpenedSurvey copy = readAnySurveyFile(copyPath);
        if (!copy.survey && !copy.cutFill) {
            // The steps build on the copy: without it they go aside with it.
            folded.lost += setAside(copyPath, stamp, copy.error);
            if (stepsRead)
                folded.lost += setAside(
                    stepsPath, stamp,
                    QStringLiteral("“%1”是它之后的修改，没有它用不上。").arg(shown(stepsPath)));
            return folded;
        }
        if (stepsRead) {
            const bool damaged = copy.cutFill
                                     ? fold(*copy.cutFill, copy.project, steps.bytes, files, folded)
                                     : fold(*copy.survey, copy.project, steps.bytes, files, folded);
            if (!folded.failure.isEmpty()) return folded;
            // Folded into the copy; kept aside as it was, damage and all.
            if (damaged) {
                folded.lost += setAside(stepsPath, stamp, {});
                stepsRead = QFileInfo::exists(stepsPath);
            }
        }
    }
    if (stepsRead && !QFile::remove(stepsPath)) folded.failure = writeFailure(stepsPath, EACCES);
    return folded;
}

QString setAsideUnreadableLastCalculation() {
    const QString path = lastCalculationPath();
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || !holdsLastCalculation()) return {};
    return setAside(path, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
                    readWholeFile(path).error);
}

QString unsavedEditsQuestion(const FoldedEdits& folded) {
    const QString what = folded.file.isEmpty() ? QStringLiteral("测量数据")
                                               : QStringLiteral("“%1”").arg(shown(folded.file));
    QString text = QStringLiteral("上次修改的%1没有保存").arg(what);
    if (folded.lastEdit.isValid())
        text += QStringLiteral("（最后一次修改在 %1）")
                    .arg(folded.lastEdit.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    text += QStringLiteral("。是否重新打开？\n");
    if (!folded.lost.isEmpty()) text += folded.lost + QLatin1Char('\n');
    return text + QStringLiteral("（选“否”时这些修改将被丢弃。）");
}

QString removeUnsavedEdits(const EditFiles& files) {
    for (const QString& path : {files.copy(), files.steps(), files.name()})
        if (QFile::exists(path) && !QFile::remove(path))
            return QStringLiteral("无法删除“%1”。").arg(shown(path));
    // Another instance's, taken over: its lock goes with them.
    if (!files.isOwn()) QFile::remove(files.lock());
    return {};
}

EditRecovery::EditRecovery(const document::SurveyDocument& document, QWidget* parent)
    : QObject(parent), document_(document), parent_(parent) {
    pool_.setMaxThreadCount(1);
    connect(&document_, &document::SurveyDocument::changed, this, &EditRecovery::follow);
    // The steps hold sections only: a change of the 工程信息 is kept by a
    // whole copy, which carries it.
    connect(&document_, &document::SurveyDocument::projectChanged, this, [this] {
        if (document_.modified()) keepWhole();
    });
    // The undo stack tells whether the survey is changed only after the step
    // has been announced: the first step after a save is kept from here.
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            forget();
        else if (!steps_.isOpen())
            keepWhole();
    });
}

EditRecovery::~EditRecovery() {
    pool_.waitForDone();
}

void EditRecovery::warn(const QString& failure) const {
    if (!failure.isEmpty()) warnDataFolderOnce(parent_, failure);
}

void EditRecovery::follow(const document::Change& change) {
    if (!document_.modified()) {
        forget();
        return;
    }
    if (change.kind == document::Change::Kind::Survey || !steps_.isOpen()) {
        keepWhole();
        return;
    }
    // The section before the first changed too when its spacing did; after
    // sections put in or taken out, every one from there on is renumbered.
    const bool cutFill = document_.kind() == document::SurveyKind::CutFill;
    const int count =
        cutFill ? document_.cutFill().sectionCount() : document_.survey().sectionCount();
    const int to =
        change.kind == document::Change::Kind::Sections ? count : std::min(change.last, count);
    const int from = std::min(std::max(1, change.first - 1), to + 1);
    append(cutFill ? survey_file::stepRecord(document_.cutFill(), from, to)
                   : survey_file::stepRecord(document_.survey(), from, to));
}

// The copy under way written or failed, and its steps let go: what follows
// starts afresh.
void EditRecovery::settle() {
    pool_.waitForDone();
    ++generation_;
    copying_ = false;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    steps_.close();
}

void EditRecovery::keepWhole() {
    settle();
    const QString failure =
        document_.kind() == document::SurveyKind::CutFill
            ? saveLastCalculation(document_.cutFill(), unsavedEditsPath(), document_.project())
            : saveLastCalculation(document_.survey(), unsavedEditsPath(), document_.project());
    if (!failure.isEmpty()) {
        warn(failure);
        return;
    }
    // The file the edits belong to, so that they reopen as its own; a copy
    // in the data folder (the last calculation) is no user's file.
    const QString file = document_.fileName();
    const bool own =
        !file.isEmpty() && QFileInfo(file).absolutePath() != QDir(dataFolder()).absolutePath();
    if (const QString named =
            writeFileSafely(unsavedEditsNamePath(), own ? file.toUtf8() : QByteArray());
        !named.isEmpty()) {
        warn(named);
        return;
    }
    // Steps left from before the copy are stale: a new, empty file replaces them.
    QFile::remove(stepsTemporary());
    if (const int error = steps_.create(stepsTemporary(), {}, unsavedEditsStepsPath())) {
        warn(writeFailure(unsavedEditsStepsPath(), error));
        return;
    }
    length_ = 0;
}

void EditRecovery::append(const std::string& record) {
    if (const int error = steps_.writeAt(length_, record)) {
        // Kept whole again at the next step, once the disk allows it.
        warn(writeFailure(unsavedEditsStepsPath(), error));
        steps_.close();
        return;
    }
    length_ += record.size();
    ++stepsSinceCopy_;
    if (copying_)
        sinceCopy_ += record;
    else if (stepsSinceCopy_ >= kStepsPerCopy)
        copyInBackground();
}

void EditRecovery::copyInBackground() {
    copying_ = true;
    sinceCopy_.clear();
    stepsSinceCopy_ = 0;
    auto done = [this, generation = generation_](const QString& failure) {
        QMetaObject::invokeMethod(
            this, [this, generation, failure] { copied(generation, failure); },
            Qt::QueuedConnection);
    };
    // A copy of the survey, taken here, is written there; the steps after it
    // go on being appended meanwhile.
    if (document_.kind() == document::SurveyKind::CutFill)
        pool_.start([survey = document_.cutFill(), project = document_.project(),
                     path = unsavedEditsPath(),
                     done] { done(saveLastCalculation(survey, path, project)); });
    else
        pool_.start([survey = document_.survey(), project = document_.project(),
                     path = unsavedEditsPath(),
                     done] { done(saveLastCalculation(survey, path, project)); });
}

void EditRecovery::copied(unsigned generation, const QString& failure) {
    if (generation != generation_ || !copying_) return;
    copying_ = false;
    if (!failure.isEmpty()) {
        warn(failure);  // the steps stay, all of them, on the older copy
        return;
    }
    // Only the steps after the copy stay; killed before this, the older ones
    // replay on the new copy harmlessly.
    QFile::remove(stepsTemporary());
    if (const int error = steps_.create(stepsTemporary(), sinceCopy_, unsavedEditsStepsPath())) {
        warn(writeFailure(unsavedEditsStepsPath(), error));
        steps_.close();  // the next step copies the whole survey again
        return;
    }
    length_ = sinceCopy_.size();
    sinceCopy_.clear();
}

void EditRecovery::forget() {
    settle();
    // Saved, or a new survey: nothing is left to recover.
    warn(removeUnsavedEdits());
}

}  // namespace window
