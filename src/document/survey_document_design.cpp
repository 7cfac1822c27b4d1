// SPDX-License-Identifier: GPL-3.0-or-later
// The road design's steps: a new design recalculates the whole survey (its
// 断链 move spacings, its design lines follow every generated section), and
// a generated design line kept as typed points.

#include <QUndoCommand>
#include <variant>

#include "document/survey_document.h"
#include "section/cut_fill_calculation.h"

namespace document {

namespace {

Edited refusal(section::Fault fault) {
    return {fault.overflow ? Outcome::Overflow : Outcome::Refused, std::move(fault.message),
            fault.section};
}

Change everySection(const section::Survey& survey) {
    return {.kind = Change::Kind::Points, .first = 1, .last = survey.sectionCount()};
}

}  // namespace

// Holds the design not in use: each redo and undo swaps it with the
// survey's and recalculates, which gives every result back as it was.
class SurveyDocument::DesignCommand : public QUndoCommand {
  public:
    DesignCommand(SurveyDocument& document, section::RoadDesign design, const QString& name)
        : QUndoCommand(name), document_(document), design_(std::move(design)) {}
    void redo() override {
        if (!applied_) swap();
        applied_ = false;
        emit document_.roadDesignChanged();
        document_.announce(everySection(document_.survey_));
    }
    void undo() override { redo(); }

    // The design put in use; its fault, the survey as it was, when it
    // cannot be used or the survey does not calculate with it.
    std::optional<section::Fault> swap() {
        section::RoadDesign before = document_.survey_.roadDesign();
        if (auto fault = document_.survey_.setRoadDesign(design_))
            return section::Fault{0, fault->message};
        if (auto fault = section::calculate(document_.survey_)) {
            // The design before was in use: it is taken back as it was.
            (void)document_.survey_.setRoadDesign(before);
            section::calculate(document_.survey_);
            return fault;
        }
        design_ = std::move(before);
        return std::nullopt;
    }

  private:
    SurveyDocument& document_;
    section::RoadDesign design_;
    bool applied_ = true;
};

std::optional<section::DesignFault> SurveyDocument::designFault(const section::RoadDesign& design) {
    if (design.empty()) return std::nullopt;
    auto prepared = section::PreparedRoad::prepare(design);
    if (auto* fault = std::get_if<section::DesignFault>(&prepared)) return std::move(*fault);
    return std::nullopt;
}

Edited SurveyDocument::setRoadDesign(section::RoadDesign design, const QString& stepName) {
    if (design == survey_.roadDesign()) return {};
    auto step = std::make_unique<DesignCommand>(*this, std::move(design), stepName);
    if (std::optional<section::Fault> fault = step->swap()) return refusal(std::move(*fault));
    pushStep(step.release());
    return {};
}

Edited SurveyDocument::keepDesignLine(int i) {
    const section::CutFillSurvey* survey = survey_.cutFill();
    if (!survey || i < 1 || i > survey->sectionCount())
        return refusal({i, "没有第 " + std::to_string(i) + " 个填挖方断面"});
    if (!survey->sections[i - 1].designGenerated)
        return refusal({i, section::cutFillSectionName(*survey, i) +
                               "的设计线是输入的，不是由道路设计生成的"});
    section::CutFillSection kept = survey->sections[i - 1];
    kept.designGenerated = false;
    kept.fit.reset();
    return pushLines({.first = i, .removed = {survey->sections[i - 1]}, .inserted = {kept}},
                     QStringLiteral("改为输入的设计线"),
                     {.kind = Change::Kind::Values, .first = i, .last = i});
}

}  // namespace document
