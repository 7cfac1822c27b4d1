// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one owner of the calculated survey: the record, its file name and the
// undo stack. Every change is one undoable step that is recalculated at once
// and refused, leaving everything as it was, when a result goes beyond the
// number range; each change, its undo and redo included, is announced once by
// `changed` with what it touched. Views read survey() and keep no copy.

#include <QObject>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "document/change.h"
#include "document/cut_fill_edit.h"
#include "document/file_tie.h"
#include "document/survey_edit.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_survey.h"
#include "section/project_info.h"
#include "section/survey.h"

class QUndoCommand;
class QUndoStack;

namespace document {

enum class Outcome {
    Done,
    Overflow,  // a result went beyond the number range: nothing changed, the caller says why
    Refused,   // no such cell, or a value the calculation itself works out: nothing changed
};

// Which record the document holds: the closed outline of the typed prompts,
// or a ground line and a design line per section.
enum class SurveyKind { ClosedOutline, CutFill };

// What the survey a step puts in is to its file: a typed run is unsaved work
// until it is kept; a survey just read from its file, or a 新建 with nothing
// in it yet, is what it belongs to from the step on, so nothing takes the
// step for an edit.
enum class Replacing { Unsaved, AsSaved };

enum class Column { Elevation, Offset, Station, Spacing };

// One value typed or pasted into the table; `point` is unused for stations and spacings.
struct Cell {
    int section = 0;
    int point = 0;
    Column column = Column::Elevation;
    Value value{};
};

// One value of a cut-and-fill survey: the elevation or offset of point j of
// a line, or (`point` unused) the station or spacing of a section. A point one
// past a line's last appends a point, its other value 0 until typed.
enum class Line { Ground, Design };
struct CutFillCell {
    int section = 0;
    Line line = Line::Ground;
    int point = 0;
    Column column = Column::Elevation;
    double value = 0.0;
};

class SurveyDocument : public QObject {
    Q_OBJECT

  public:
    explicit SurveyDocument(QObject* parent = nullptr);
    ~SurveyDocument() override;

    SurveyKind kind() const { return kind_; }
    // The closed-outline survey; empty while a cut-and-fill survey is held.
    const section::SectionSurvey& survey() const { return survey_; }
    // The cut-and-fill survey; empty while a closed outline is held.
    const section::CutFillSurvey& cutFill() const { return cutFill_; }
    // The survey's 工程信息, saved with it and printed on its sheets.
    const section::ProjectInfo& project() const { return project_; }
    // The file the survey belongs to; it goes back and forth with the step
    // that replaced the survey, so an undone 打开文件 leaves no other file's name.
    const FileTie& file() const { return file_; }
    const QString& fileName() const { return file_.path; }
    QUndoStack* undoStack() const { return undoStack_; }
    // Different from its file (or, without one, from what was last put aside).
    bool modified() const;
    // The survey now is what `file` holds: after saving it, or opening it.
    void markSaved(FileTie file);
    // The survey now is what its own file holds (or is put aside on purpose).
    void markSaved();
    // The survey belongs to `file` but differs from it (edits recovered after a crash).
    void tieTo(FileTie file);

    // Calculates `data` (points in place, spacings too without stations) and
    // makes it the survey as one step named `stepName` (计算, 打开文件 …), with
    // `project` as its 工程信息 (none given: the present one stays).
    Outcome replaceSurvey(section::SectionSurvey data, const QString& stepName,
                          const QString& fileName,
                          std::optional<section::ProjectInfo> project = std::nullopt,
                          Replacing replacing = Replacing::Unsaved);

    // The 工程信息 as one step 修改工程信息; nothing when it is the same.
    void setProject(section::ProjectInfo project);

    // The same for a cut-and-fill survey: calculated, then made the survey as
    // one step; nothing on success, else why it does not calculate, nothing
    // having changed.
    std::optional<section::Fault> replaceCutFillSurvey(
        section::CutFillSurvey data, const QString& stepName, const QString& fileName,
        std::optional<section::ProjectInfo> project = std::nullopt,
        Replacing replacing = Replacing::Unsaved);
    // One cell: 修改高程, 修改距离, 修改桩号 or 修改间距.
    Outcome setCell(const Cell& cell);
    // Several cells as one step 粘贴.
    Outcome paste(const std::vector<Cell>& cells);
    // The same with rows put in past the end, all one step 粘贴: points after
    // those of the last section, sections after it, and the last section's
    // spacing to the first of them (without stations).
    struct Growth {
        std::vector<Point> points{};
        std::vector<SectionRow> sections{};
        Value spacing{};
    };
    Outcome paste(const std::vector<Cell>& cells, Growth growth);
    // Point j of section i put in before the present point j (j = count + 1 appends).
    Outcome insertPoint(int i, int j, Point point);
    Outcome deletePoint(int i, int j);
    // Points {section, point}, of one section or several, as one step 删除观测点.
    Outcome deletePoints(std::vector<std::pair<int, int>> points);
    // Point j of section i swapped with point j - 1 (up) or j + 1 (down).
    Outcome movePointUp(int i, int j);
    Outcome movePointDown(int i, int j);
    // A section put in before section i (i = count + 1 appends). Its spacing
    // is to the next section, or, appended, from the one before; the spacing
    // of the section before an inserted one stays as it was.
    Outcome insertSection(int i, SectionRow row);
    // Section i taken out; the section before it then spans both spacings.
    Outcome deleteSection(int i);

    // Edits of a cut-and-fill survey, each one step recalculated at once:
    // nothing on success, else why it was refused (no such cell, a line that
    // would go back in S, a result beyond the number range) naming the
    // section and the point, nothing having changed.
    using CutFillRefusal = std::optional<section::Fault>;
    // One cell (修改高程 …), or several as one step 粘贴, with sections put in
    // after the last one and that one's spacing to the first of them
    // (without stations).
    struct CutFillGrowth {
        std::vector<section::CutFillSection> sections{};
        double spacing = 0.0;
    };
    CutFillRefusal setCutFillCell(const CutFillCell& cell);
    CutFillRefusal pasteCutFill(const std::vector<CutFillCell>& cells);
    CutFillRefusal pasteCutFill(const std::vector<CutFillCell>& cells, CutFillGrowth growth);
    // Point j of a line put in before the present point j (count + 1 appends).
    CutFillRefusal insertCutFillPoint(int i, Line line, int j, section::LinePoint point);
    // Points {section, line, point} as one step 删除观测点.
    struct LinePlace {
        int section = 0;
        Line line = Line::Ground;
        int point = 0;
        auto operator<=>(const LinePlace&) const = default;
    };
    CutFillRefusal deleteCutFillPoints(std::vector<LinePlace> points);
    // A section put in before section i (count + 1 appends), or taken out.
    CutFillRefusal insertCutFillSection(int i, section::CutFillSection row);
    CutFillRefusal deleteCutFillSection(int i);

  signals:
    void changed(const document::Change& change);
    // The file, or whether the survey differs from it, may have changed.
    void fileChanged();
    // The 工程信息 changed (set, undone, redone); the survey did not.
    void projectChanged();

  private:
    class ReplaceCommand;
    class CutFillCommand;
    class ProjectCommand;
    template <class Edit>
    class EditCommand;

    bool validPoint(int i, int j) const;
    bool validSection(int i) const;
    Outcome cellEdits(const std::vector<Cell>& cells, std::vector<CellEdit>& edits,
                      Change& change) const;
    SectionSplice growthSplice(Growth growth) const;
    Outcome pushCells(std::vector<CellEdit> edits, const QString& name, Change change);
    Outcome pushSections(SectionSplice splice, const QString& name);
    Outcome movePoint(int i, int j, int other, const QString& name);
    CutFillRefusal pushCutFill(CutFillSplice splice, const QString& name, Change change);
    static QString cellStepName(Column column);
    // Every step goes on the stack through here: a saved state in the steps
    // the new one cuts off is gone with them.
    void pushStep(QUndoCommand* step);
    void stepsMoved();

    section::SectionSurvey survey_;
    section::CutFillSurvey cutFill_;
    SurveyKind kind_ = SurveyKind::ClosedOutline;
    section::ProjectInfo project_;
    FileTie file_;
    // The step at which the survey was what `file_` holds; -1 for none.
    int savedAt_ = 0;
    bool wasModified_ = false;
    bool fileMoved_ = false;  // `file_` changed since fileChanged was last told
    QUndoStack* undoStack_;
};

}  // namespace document
