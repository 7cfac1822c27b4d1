// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/recovered_edits.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "storage/data_folder.h"
#include "storage/file_failure.h"
#include "storage/survey_io.h"
#include "storage/whole_file.h"
#include "survey_file/step_journal.h"

namespace storage {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString stampNow() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
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
bool fold(section::Survey& survey, const section::ProjectInfo& project, const std::string& steps,
          const EditFiles& files, FoldedEdits& folded) {
    const survey_file::StepReplay replayed = survey_file::replaySteps(survey, steps);
    folded.lost += lostSteps(replayed, files.steps());
    if (replayed.steps > 0) folded.failure = saveLastCalculation(survey, files.copy(), project);
    return replayed.lost.size() > (replayed.torn ? 1u : 0u);
}

}  // namespace

FoldedEdits foldUnsavedEdits(const EditFiles& files) {
    const QString copyPath = files.copy();
    const QString stepsPath = files.steps();
    const QString stamp = stampNow();
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
        OpenedSurvey copy = openSurvey(copyPath);
        if (!copy.survey) {
            // The steps build on the copy: without it they go aside with it.
            folded.lost += setAside(copyPath, stamp, copy.error);
            if (stepsRead)
                folded.lost += setAside(
                    stepsPath, stamp,
                    QStringLiteral("“%1”是它之后的修改，没有它用不上。").arg(shown(stepsPath)));
            return folded;
        }
        if (stepsRead) {
            const bool damaged = fold(*copy.survey, copy.project, steps.bytes, files, folded);
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
    return setAside(path, stampNow(), readWholeFile(path).error);
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

}  // namespace storage
