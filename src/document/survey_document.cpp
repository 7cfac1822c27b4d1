// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/survey_document.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "section/survey_warnings.h"

namespace document {

// Holds the survey that is not shown: each redo and undo swaps it with the
// document's.
class SurveyDocument::ReplaceCommand : public QUndoCommand {
  public:
    ReplaceCommand(SurveyDocument& document, section::Survey survey, FileTie file,
                   std::optional<section::ProjectInfo> project, section::ReadingReport reading,
                   const QString& name, Replacing replacing)
        : QUndoCommand(name),
          document_(document),
          survey_(std::move(survey)),
          project_(std::move(project)),
          reading_(std::move(reading)),
          file_(std::move(file)),
          savedAt_(replacing == Replacing::AsSaved ? document.undoStack_->index() + 1 : -1) {}
    void redo() override { swap(); }
    void undo() override { swap(); }

  private:
    void swap() {
        std::swap(document_.survey_, survey_);
        std::swap(document_.reading_, reading_);
        std::swap(document_.file_, file_);
        std::swap(document_.savedAt_, savedAt_);
        // Told once the stack has moved, when modified() is true again.
        document_.fileMoved_ = true;
        document_.announce(Change{});
        if (project_ && *project_ != document_.project_) {
            std::swap(document_.project_, *project_);
            emit document_.projectChanged();
        }
    }

    SurveyDocument& document_;
    section::Survey survey_;
    // The one not shown, when the step replaces it too.
    std::optional<section::ProjectInfo> project_;
    section::ReadingReport reading_;
    FileTie file_;
    // The step at which the survey not shown is its file's; -1, the new
    // survey unsaved, until it is marked saved.
    int savedAt_;
};

class SurveyDocument::ProjectCommand : public QUndoCommand {
  public:
    ProjectCommand(SurveyDocument& document, section::ProjectInfo project)
        : QUndoCommand(QStringLiteral("修改工程信息")),
          document_(document),
          project_(std::move(project)) {}
    void redo() override { swap(); }
    void undo() override { swap(); }

  private:
    void swap() {
        std::swap(document_.project_, project_);
        emit document_.projectChanged();
    }

    SurveyDocument& document_;
    section::ProjectInfo project_;
};

// An edit of either kind of record, pushed already applied: the first redo
// only announces the change.
template <class Edit>
class SurveyDocument::EditCommand : public QUndoCommand {
  public:
    EditCommand(SurveyDocument& document, Edit edit, Change change, const QString& name)
        : QUndoCommand(name), document_(document), edit_(std::move(edit)), change_(change) {}
    void redo() override { run(Direction::Forward); }
    void undo() override { run(Direction::Back); }

  private:
    void run(Direction direction) {
        // Both ways were calculated without a fault before: they are again.
        if (!applied_) {
            const section::PreparedRoad* road = document_.survey_.preparedRoad();
            document_.survey_.visit([&](auto& record) {
                if constexpr (requires { applyEdit(record, edit_, direction, road); })
                    applyEdit(record, edit_, direction, road);
            });
        }
        applied_ = false;
        if (change_.kind == Change::Kind::Sections) change_.last = document_.survey_.sectionCount();
        document_.announce(change_);
    }

    SurveyDocument& document_;
    Edit edit_;
    Change change_;
    bool applied_ = true;
};

template <class Edit>
void SurveyDocument::pushEdit(Edit edit, Change change, const QString& name) {
    pushStep(new EditCommand<Edit>(*this, std::move(edit), change, name));
}

template void SurveyDocument::pushEdit(std::vector<CellEdit>, Change, const QString&);
template void SurveyDocument::pushEdit(SectionSplice, Change, const QString&);
template void SurveyDocument::pushEdit(PasteEdit, Change, const QString&);
template void SurveyDocument::pushEdit(CutFillSplice, Change, const QString&);

QString SurveyDocument::cellStepName(Column column) {
    switch (column) {
        case Column::Elevation:
            return QStringLiteral("修改高程");
        case Column::Offset:
            return QStringLiteral("修改距离");
        case Column::Station:
            return QStringLiteral("修改桩号");
        case Column::Spacing:
            return QStringLiteral("修改间距");
    }
    return {};
}

SurveyDocument::SurveyDocument(QObject* parent)
    : QObject(parent), undoStack_(new QUndoStack(this)) {
    connect(undoStack_, &QUndoStack::indexChanged, this, &SurveyDocument::stepsMoved);
}

SurveyDocument::~SurveyDocument() = default;

bool SurveyDocument::modified() const {
    return undoStack_->index() != savedAt_;
}

void SurveyDocument::markSaved(FileTie file) {
    file_ = std::move(file);
    markSaved();
}

void SurveyDocument::markSaved() {
    savedAt_ = undoStack_->index();
    fileMoved_ = true;
    stepsMoved();
}

void SurveyDocument::tieTo(FileTie file) {
    file_ = std::move(file);
    savedAt_ = -1;
    fileMoved_ = true;
    stepsMoved();
}

void SurveyDocument::pushStep(QUndoCommand* step) {
    if (savedAt_ > undoStack_->index()) savedAt_ = -1;
    undoStack_->push(step);
}

void SurveyDocument::stepsMoved() {
    if (modified() == wasModified_ && !fileMoved_) return;
    wasModified_ = modified();
    fileMoved_ = false;
    emit fileChanged();
}

void SurveyDocument::announce(const Change& change) {
    // Steps that keep the sections where they are add up to one range of
    // sections to look at again; any other step, to the whole survey.
    if (change.kind == Change::Kind::Values || change.kind == Change::Kind::Points) {
        stale_.first = stale_.any ? std::min(stale_.first, change.first) : change.first;
        stale_.last = stale_.any ? std::max(stale_.last, change.last) : change.last;
    } else {
        stale_.whole = true;
    }
    stale_.any = true;
    emit changed(change);
}

const std::vector<section::SurveyWarning>& SurveyDocument::warnings() const {
    if (stale_.any)
        warnings_ = stale_.whole ? section::warnings(survey_)
                                 : section::warnings(survey_, warnings_, stale_.first, stale_.last);
    stale_ = {};
    return warnings_;
}

Edited SurveyDocument::replaceSurvey(section::Survey data, const QString& stepName,
                                     const QString& fileName,
                                     std::optional<section::ProjectInfo> project,
                                     Replacing replacing, section::ReadingReport reading) {
    if (std::optional<section::Fault> fault = section::calculate(data))
        return {fault->overflow ? Outcome::Overflow : Outcome::Refused, std::move(fault->message),
                fault->section};
    pushStep(new ReplaceCommand(*this, std::move(data), FileTie{fileName}, std::move(project),
                                std::move(reading), stepName, replacing));
    return {};
}

void SurveyDocument::setProject(section::ProjectInfo project) {
    if (project == project_) return;
    pushStep(new ProjectCommand(*this, std::move(project)));
}

Edited SurveyDocument::setCell(const Cell& cell) {
    return paste({cell});
}

Edited SurveyDocument::paste(const std::vector<Cell>& cells) {
    return paste(cells, {});
}

// The one place the document tells the records apart: each kind builds its
// own steps, in its own file.
template <class Outline, class Lines>
Edited SurveyDocument::edit(Outline outline, Lines lines) {
    return survey_.cutFill() ? lines() : outline();
}

Edited SurveyDocument::paste(const std::vector<Cell>& cells, Growth growth) {
    return edit([&] { return pasteOutline(cells, std::move(growth)); },
                [&] { return pasteLines(cells, std::move(growth)); });
}

Edited SurveyDocument::insertPoint(PointPlace at, Point point) {
    return edit([&] { return insertOutlinePoint(at, point); },
                [&] { return insertLinePoint(at, point); });
}

Edited SurveyDocument::deletePoints(std::vector<PointPlace> points) {
    return edit([&] { return deleteOutlinePoints(points); },
                [&] { return deleteLinePoints(std::move(points)); });
}

Edited SurveyDocument::insertSection(int i, SectionRow row) {
    return edit([&] { return insertOutlineSection(i, std::move(row)); },
                [&] { return insertLineSection(i, std::move(row)); });
}

Edited SurveyDocument::deleteSection(int i) {
    return edit([&] { return deleteOutlineSection(i); }, [&] { return deleteLineSection(i); });
}

}  // namespace document
