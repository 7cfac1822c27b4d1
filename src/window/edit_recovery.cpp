// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/edit_recovery.h"

#include <QWidget>
#include <algorithm>
#include <utility>

#include "document/survey_document.h"
#include "survey_file/step_journal.h"
#include "window/platform/data_folder_messages.h"

namespace window {

using storage::ownEditFiles;

QString unsavedEditsPath() {
    return ownEditFiles().copy();
}

QString unsavedEditsStepsPath() {
    return ownEditFiles().steps();
}

QString unsavedEditsNamePath() {
    return ownEditFiles().name();
}

EditRecovery::EditRecovery(const document::SurveyDocument& document, QWidget* parent)
    : QObject(parent), document_(document), parent_(parent) {
    connect(&document_, &document::SurveyDocument::changed, this, &EditRecovery::follow);
    // The steps hold sections only: a change of the 工程信息 is kept by a
    // whole copy, which carries it.
    connect(&document_, &document::SurveyDocument::projectChanged, this, [this] {
        if (document_.modified() && !replaced_) keepWhole();
    });
    // A design step is told before the change it makes to the sections:
    // that change is kept as the design's own record, the sections' entered
    // values being as they were.
    connect(&document_, &document::SurveyDocument::roadDesignChanged, this,
            [this] { designStep_ = true; });
    // The steps have no place for the volume method: its step is kept by a
    // whole copy, whose file carries it.
    connect(&document_, &document::SurveyDocument::volumeMethodChanged, this,
            [this] { methodStep_ = true; });
    // The document tells whether the survey is changed only after the step
    // has been announced: the first step after a save, and any survey
    // replaced, is kept from here.
    connect(&document_, &document::SurveyDocument::fileChanged, this, [this] {
        replaced_ = false;
        if (!document_.modified())
            warn(edits_.forget());
        else if (!edits_.keepsSteps())
            keepWhole();
    });
}

void EditRecovery::warn(const QString& failure) const {
    if (!failure.isEmpty()) warnDataFolderOnce(parent_, failure);
}

void EditRecovery::follow(const document::Change& change) {
    const bool designStep = std::exchange(designStep_, false);
    const bool methodStep = std::exchange(methodStep_, false);
    // A survey opened or made new is no edit, and one copied whole and then
    // removed again costs as much as reading it: whether to keep it is told
    // by the fileChanged that follows every replaced survey.
    if (change.kind == document::Change::Kind::Survey) {
        edits_.settle();
        replaced_ = true;
        return;
    }
    if (!document_.modified()) {
        warn(edits_.forget());
        return;
    }
    if (!edits_.keepsSteps() || methodStep) {
        keepWhole();
        return;
    }
    if (designStep) {
        append(survey_file::designRecord(document_.survey().roadDesign()));
        return;
    }
    // The section before the first changed too when its spacing did; after
    // sections put in or taken out, every one from there on is renumbered.
    const int count = document_.survey().sectionCount();
    const int to =
        change.kind == document::Change::Kind::Sections ? count : std::min(change.last, count);
    const int from = std::min(std::max(1, change.first - 1), to + 1);
    append(survey_file::stepRecord(document_.survey(), from, to));
}

void EditRecovery::keepWhole() {
    // The file the edits belong to, so that they reopen as its own.
    warn(edits_.keepWhole(document_.survey(), document_.project(), document_.fileName()));
}

void EditRecovery::append(const std::string& record) {
    // Kept whole again at the next step, once the disk allows it.
    warn(edits_.append(record));
    if (!edits_.copyDue()) return;
    // A copy of the survey, taken here, is written there; the steps after it
    // go on being appended meanwhile.
    edits_.copyInBackground(
        document_.survey(), document_.project(),
        [this](unsigned generation, const QString& failure) {
            QMetaObject::invokeMethod(
                this, [this, generation, failure] { warn(edits_.copied(generation, failure)); },
                Qt::QueuedConnection);
        });
}

}  // namespace window
