// SPDX-License-Identifier: GPL-3.0-or-later
// The steps that set the whole survey's rules: a new road design
// recalculates the whole survey (its 断链 move spacings, its design lines
// follow every generated section), as a new volume method does; and a
// generated design line kept as typed points.

#include <QUndoCommand>
#include <functional>
#include <memory>
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

// A setting of the whole survey (its road design, its volume method):
// `swap` puts the one held in use and holds the one before, or tells why it
// cannot be used, nothing changed; each redo and undo swaps again and
// recalculates, which gives every result back as it was. `told` says
// which setting changed before the change to the sections is announced.
class SurveyDocument::SettingCommand : public QUndoCommand {
  public:
    using Swap = std::function<std::optional<section::Fault>()>;
    SettingCommand(SurveyDocument& document, const QString& name, Swap swap,
                   void (SurveyDocument::*told)())
        : QUndoCommand(name), document_(document), swap_(std::move(swap)), told_(told) {}
    void redo() override {
        if (!applied_) swap_();
        applied_ = false;
        emit(document_.*told_)();
        document_.announce(everySection(document_.survey_));
    }
    void undo() override { redo(); }
    std::optional<section::Fault> swap() { return swap_(); }

  private:
    SurveyDocument& document_;
    Swap swap_;
    void (SurveyDocument::*told_)();
    bool applied_ = true;
};

// The survey calculated with a setting just put in use; where it does not
// calculate, `back` puts the one before back and it is calculated again.
std::optional<section::Fault> SurveyDocument::calculateOrBack(const std::function<void()>& back) {
    std::optional<section::Fault> fault = section::calculate(survey_);
    if (fault) {
        back();
        section::calculate(survey_);
    }
    return fault;
}

Edited SurveyDocument::pushSetting(const QString& name, SettingCommand::Swap swap,
                                   void (SurveyDocument::*told)()) {
    auto step = std::make_unique<SettingCommand>(*this, name, std::move(swap), told);
    if (std::optional<section::Fault> fault = step->swap()) return refusal(std::move(*fault));
    pushStep(step.release());
    return {};
}

std::optional<section::DesignFault> SurveyDocument::designFault(const section::RoadDesign& design) {
    if (design.empty()) return std::nullopt;
    auto prepared = section::PreparedRoad::prepare(design);
    if (auto* fault = std::get_if<section::DesignFault>(&prepared)) return std::move(*fault);
    return std::nullopt;
}

Edited SurveyDocument::setRoadDesign(section::RoadDesign design, const QString& stepName) {
    if (design == survey_.roadDesign()) return {};
    auto held = std::make_shared<section::RoadDesign>(std::move(design));
    return pushSetting(
        stepName,
        [this, held]() -> std::optional<section::Fault> {
            section::RoadDesign before = survey_.roadDesign();
            if (auto fault = survey_.setRoadDesign(*held)) return section::Fault{0, fault->message};
            // The design before was in use: it is taken back as it was.
            if (auto fault = calculateOrBack([&] { (void)survey_.setRoadDesign(before); }))
                return fault;
            *held = std::move(before);
            return std::nullopt;
        },
        &SurveyDocument::roadDesignChanged);
}

Edited SurveyDocument::setVolumeMethod(section::VolumeMethod method) {
    if (method == survey_.volumeMethod()) return {};
    auto held = std::make_shared<section::VolumeMethod>(method);
    return pushSetting(
        QStringLiteral("修改体积计算方法"),
        [this, held]() -> std::optional<section::Fault> {
            const section::VolumeMethod before = survey_.volumeMethod();
            survey_.setVolumeMethod(*held);
            if (auto fault = calculateOrBack([&] { survey_.setVolumeMethod(before); }))
                return fault;
            *held = before;
            return std::nullopt;
        },
        &SurveyDocument::volumeMethodChanged);
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
