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
#include "document/survey_edit.h"
#include "section/project_info.h"
#include "section/survey.h"

class QUndoStack;

namespace document {

enum class Outcome {
    Done,
    Overflow,  // a result went beyond the number range: nothing changed, the caller says why
    Refused,   // no such cell, or a value the calculation itself works out: nothing changed
};

enum class Column { Elevation, Offset, Station, Spacing };

// One value typed or pasted into the table; `point` is unused for stations and spacings.
struct Cell {
    int section = 0;
    int point = 0;
    Column column = Column::Elevation;
    Value value{};
};

class SurveyDocument : public QObject {
    Q_OBJECT

  public:
    explicit SurveyDocument(QObject* parent = nullptr);
    ~SurveyDocument() override;

    const section::SectionSurvey& survey() const { return survey_; }
    // The survey's 工程信息, saved with it and printed on its sheets.
    const section::ProjectInfo& project() const { return project_; }
    const QString& fileName() const { return fileName_; }
    QUndoStack* undoStack() const { return undoStack_; }
    // Changed since the last markSaved() (or since the start).
    bool modified() const;
    // The survey now is what `fileName` holds: after saving it, or opening it.
    void markSaved(const QString& fileName);

    // Calculates `data` (points in place, spacings too without stations) and
    // makes it the survey as one step named `stepName` (计算, 打开文件 …), with
    // `project` as its 工程信息 (none given: the present one stays).
    Outcome replaceSurvey(section::SectionSurvey data, const QString& stepName,
                          const QString& fileName,
                          std::optional<section::ProjectInfo> project = std::nullopt);

    // The 工程信息 as one step 修改工程信息; nothing when it is the same.
    void setProject(section::ProjectInfo project);

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

  signals:
    void changed(const document::Change& change);
    // The 工程信息 changed (set, undone, redone); the survey did not.
    void projectChanged();

  private:
    class ReplaceCommand;
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

    section::SectionSurvey survey_;
    section::ProjectInfo project_;
    QString fileName_;
    QUndoStack* undoStack_;
};

}  // namespace document
