// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one owner of the calculated survey: the record, its file name and the
// undo stack. Every change is one undoable step that is recalculated at once
// and refused, leaving everything as it was, when a result goes beyond the
// number range; each change, its undo and redo included, is announced once by
// `changed` with what it touched. Views read survey() and keep no copy.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/change.h"
#include "document/file_tie.h"
#include "document/survey_edit.h"
#include "section/any_survey.h"
#include "section/project_info.h"
#include "section/reading_report.h"
#include "section/survey_lines.h"

class QUndoCommand;
class QUndoStack;

namespace document {

enum class Outcome {
    Done,
    Overflow,  // a result went beyond the number range: nothing changed
    Refused,   // no such cell, a value the calculation works out, or a line
               // that would go back in S: nothing changed
};

// What became of a step: Done, or why nothing changed, in one Chinese
// sentence naming the section and the point where there is one.
struct Edited {
    Outcome outcome = Outcome::Done;
    std::string why{};
    int section = 0;  // the section refused, 1-based; 0 for none in particular
    bool done() const { return outcome == Outcome::Done; }
    bool operator==(Outcome other) const { return outcome == other; }
};

// What the survey a step puts in is to its file: a typed run is unsaved work
// until it is kept; a survey just read from its file, or a 新建 with nothing
// in it yet, is what it belongs to from the step on, so nothing takes the
// step for an edit.
enum class Replacing { Unsaved, AsSaved };

enum class Column { Elevation, Offset, Station, Spacing };

// The line a point is on: the one closed outline of a section, or a
// cut-and-fill section's ground or design line.
using Line = section::SurveyLine;

// One value typed or pasted into the table; `point` is unused for stations
// and spacings. On a line of a cut-and-fill section a point one past the
// line's last appends a point, its other value 0 until typed. A station
// typed in notation brings its letters (section/station.h); one typed in
// metres, without, keeps the section's.
struct Cell {
    int section = 0;
    int point = 0;
    Column column = Column::Elevation;
    Value value{};
    Line line = Line::Outline;
    std::optional<std::string> stationPrefix{};
};

// Where a point is: section and point 1-based.
struct PointPlace {
    int section = 0;
    int point = 0;
    Line line = Line::Outline;
    auto operator<=>(const PointPlace&) const = default;
};

class SurveyDocument : public QObject {
    Q_OBJECT

  public:
    explicit SurveyDocument(QObject* parent = nullptr);
    ~SurveyDocument() override;

    // The survey, of either kind.
    const section::Survey& survey() const { return survey_; }
    // Its warnings, worked out once per change, when first asked for after it
    // (only the sections a change touched are looked at again).
    const std::vector<section::SurveyWarning>& warnings() const;
    // The survey's 工程信息, saved with it and printed on its sheets.
    const section::ProjectInfo& project() const { return project_; }
    // What reading its file told beside the survey (a conversion from feet,
    // gaps, materials); it comes and goes with the step that put the survey
    // in, so it is never another survey's. None for a typed or new survey.
    const section::ReadingReport& reading() const { return reading_; }
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
    // `project` as its 工程信息 (none given: the present one stays) and
    // `reading` as what its file told.
    Edited replaceSurvey(section::Survey data, const QString& stepName, const QString& fileName,
                         std::optional<section::ProjectInfo> project = std::nullopt,
                         Replacing replacing = Replacing::Unsaved,
                         section::ReadingReport reading = {});

    // The 工程信息 as one step 修改工程信息; nothing when it is the same.
    void setProject(section::ProjectInfo project);

    // Edits, each one step recalculated at once and refused, nothing having
    // changed, when a cell does not exist, the calculation works the value
    // out itself, a line would go back in S or a result goes beyond the
    // number range.
    // One cell: 修改高程, 修改距离, 修改桩号 or 修改间距.
    Edited setCell(const Cell& cell);
    // Several cells as one step 粘贴.
    Edited paste(const std::vector<Cell>& cells);
    // The same with rows put in past the end, all one step 粘贴: points after
    // those of the last section (closed outlines), sections after it, and the
    // last section's spacing to the first of them (without stations).
    struct Growth {
        std::vector<Point> points{};
        std::vector<SectionRow> sections{};
        Value spacing{};
    };
    Edited paste(const std::vector<Cell>& cells, Growth growth);
    // A point put in before the present one at `at` (one past the last appends).
    Edited insertPoint(PointPlace at, Point point);
    // Points, of one section or several, as one step 删除观测点.
    Edited deletePoints(std::vector<PointPlace> points);
    // A closed outline's point j of section i swapped with point j - 1 (up)
    // or j + 1 (down); the points of a line keep the order of S.
    Edited movePointUp(int i, int j);
    Edited movePointDown(int i, int j);
    // A section put in before section i (i = count + 1 appends). Its spacing
    // is to the next section, or, appended, from the one before; the spacing
    // of the section before an inserted one stays as it was.
    Edited insertSection(int i, SectionRow row);
    // Section i taken out; the section before it then spans both spacings.
    Edited deleteSection(int i);

    // The road design as one step `stepName` (修改道路设计, 打开道路设计 …):
    // the 断链 of either kind, and the design line of every cut-and-fill
    // section whose design is not typed, put on its ground anew. Refused,
    // nothing changed, with the design's fault when it cannot be used;
    // nothing when it is the same.
    Edited setRoadDesign(section::RoadDesign design, const QString& stepName);
    // The fault that keeps `design` from being used, if any: what
    // setRoadDesign would refuse it for.
    static std::optional<section::DesignFault> designFault(const section::RoadDesign& design);
    // The volume method as one step 修改体积计算方法, every volume worked out
    // again; refused, nothing changed, when a result goes beyond the number
    // range; nothing when it is the same.
    Edited setVolumeMethod(section::VolumeMethod method);
    // Section i's generated design line kept as typed points, one step
    // 改为输入的设计线: from then on it is edited like any typed line.
    Edited keepDesignLine(int i);

  signals:
    void changed(const document::Change& change);
    // The file, or whether the survey differs from it, may have changed.
    void fileChanged();
    // The 工程信息 changed (set, undone, redone); the survey did not.
    void projectChanged();
    // The road design changed (set, undone, redone); `changed` then tells
    // what it did to the sections.
    void roadDesignChanged();
    // The volume method changed (set, undone, redone); `changed` then tells
    // what it did to the sections.
    void volumeMethodChanged();

  private:
    class ReplaceCommand;
    class SettingCommand;
    class ProjectCommand;
    template <class Edit>
    class EditCommand;

    // Each kind's edits are built by the members of its own file; `outline`
    // and `lines` build and push the step for either record.
    template <class Outline, class Lines>
    Edited edit(Outline outline, Lines lines);

    // Closed outlines.
    bool validPoint(int i, int j) const;
    bool validSection(int i) const;
    Edited cellEdits(const std::vector<Cell>& cells, std::vector<CellEdit>& edits,
                     Change& change) const;
    SectionSplice growthSplice(Growth growth) const;
    Edited pasteOutline(const std::vector<Cell>& cells, Growth growth);
    Edited insertOutlinePoint(PointPlace at, Point point);
    Edited deleteOutlinePoints(const std::vector<PointPlace>& points);
    Edited insertOutlineSection(int i, SectionRow row);
    Edited deleteOutlineSection(int i);
    Edited pushCells(std::vector<CellEdit> edits, const QString& name, Change change);
    Edited pushSections(SectionSplice splice, const QString& name);
    Edited movePoint(int i, int j, int other, const QString& name);
    const section::SectionSurvey& outline() const { return *survey_.closedOutline(); }
    section::SectionSurvey& outline() { return *survey_.closedOutline(); }

    // Cut-and-fill sections.
    Edited pasteLines(const std::vector<Cell>& cells, Growth growth);
    Edited insertLinePoint(PointPlace at, Point point);
    Edited deleteLinePoints(std::vector<PointPlace> places);
    Edited insertLineSection(int i, SectionRow row);
    Edited deleteLineSection(int i);
    Edited pushLines(CutFillSplice splice, const QString& name, Change change);
    const section::CutFillSurvey& lines() const { return *survey_.cutFill(); }
    section::CutFillSurvey& lines() { return *survey_.cutFill(); }

    template <class Edit>
    void pushEdit(Edit edit, Change change, const QString& name);
    // A step that sets the whole survey's rules (survey_document_design.cpp).
    std::optional<section::Fault> calculateOrBack(const std::function<void()>& back);
    Edited pushSetting(const QString& name, std::function<std::optional<section::Fault>()> swap,
                       void (SurveyDocument::*told)());
    static QString cellStepName(Column column);
    // Every step goes on the stack through here: a saved state in the steps
    // the new one cuts off is gone with them.
    void pushStep(QUndoCommand* step);
    void stepsMoved();
    // The products brought up to date, then the change told.
    void announce(const Change& change);

    section::Survey survey_;
    // The warnings as last worked out, and what changed since: none, the
    // values or points of sections first..last, or more.
    mutable std::vector<section::SurveyWarning> warnings_;
    struct Stale {
        bool any = false;
        bool whole = false;
        int first = 0;
        int last = 0;
    };
    mutable Stale stale_{.any = true, .whole = true};
    section::ProjectInfo project_;
    section::ReadingReport reading_;
    FileTie file_;
    // The step at which the survey was what `file_` holds; -1 for none.
    int savedAt_ = 0;
    bool wasModified_ = false;
    bool fileMoved_ = false;  // `file_` changed since fileChanged was last told
    QUndoStack* undoStack_;
};

}  // namespace document
