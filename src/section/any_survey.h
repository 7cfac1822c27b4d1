// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One survey, whichever kind its sections are: closed outlines (the typed
// prompts and the survey files without a 线 column) or a ground line and a
// design line each (填挖方断面). Everything above this layer holds a Survey
// and asks it for what it shows, prints or writes; only the arithmetic and
// the file formats look at which record it holds.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "section/checks.h"
#include "section/cut_fill_survey.h"
#include "section/fault.h"
#include "section/result_rows.h"
#include "section/road_design.h"
#include "section/road_fit.h"
#include "section/survey.h"
#include "section/volume_method.h"

namespace section {

enum class SurveyKind { ClosedOutline, CutFill };

class Survey {
  public:
    Survey() = default;
    // A record moves into a Survey unseen; a copy of one must be asked for,
    // so that a large survey is never copied by the way.
    Survey(SectionSurvey&& closed)
        : body_(std::move(closed)) {}  // NOLINT(google-explicit-constructor)
    Survey(CutFillSurvey&& cutFill)
        : body_(std::move(cutFill)) {}  // NOLINT(google-explicit-constructor)
    explicit Survey(const SectionSurvey& closed) : body_(closed) {}
    explicit Survey(const CutFillSurvey& cutFill) : body_(cutFill) {}

    SurveyKind kind() const {
        return body_.index() == 0 ? SurveyKind::ClosedOutline : SurveyKind::CutFill;
    }
    // The record held, or null for the other kind: for the arithmetic and
    // the file formats, where the kinds differ.
    const SectionSurvey* closedOutline() const { return std::get_if<SectionSurvey>(&body_); }
    const CutFillSurvey* cutFill() const { return std::get_if<CutFillSurvey>(&body_); }
    SectionSurvey* closedOutline() { return std::get_if<SectionSurvey>(&body_); }
    CutFillSurvey* cutFill() { return std::get_if<CutFillSurvey>(&body_); }
    // `f` called with the record held.
    template <class F>
    decltype(auto) visit(F&& f) const {
        return std::visit(std::forward<F>(f), body_);
    }
    template <class F>
    decltype(auto) visit(F&& f) {
        return std::visit(std::forward<F>(f), body_);
    }

    int sectionCount() const;
    bool stationsEntered() const;
    // The station of section i (1-based), as entered, and the letters before
    // its kilometres (section/station.h).
    double station(int i) const;
    const std::string& stationPrefix(int i) const;
    const std::string& stationAnswer() const;

    // The road design the survey is worked out with: 断链 for either kind,
    // the design lines of cut-and-fill sections whose design is not typed.
    const RoadDesign& roadDesign() const { return road_; }
    // The same made ready for lookups; null without a design.
    const PreparedRoad* preparedRoad() const { return prepared_.get(); }
    // A new design (calculate() puts it to use); its fault, nothing changed,
    // when it cannot be used.
    [[nodiscard]] std::optional<DesignFault> setRoadDesign(RoadDesign road);

    // The rule the volumes are worked out by (calculate() puts it to use).
    // The record holds it, so that its figures and every edit worked out on
    // it alone follow it too.
    VolumeMethod volumeMethod() const;
    void setVolumeMethod(VolumeMethod method);

    bool operator==(const Survey& other) const {
        return body_ == other.body_ && road_ == other.road_;
    }

  private:
    std::variant<SectionSurvey, CutFillSurvey> body_;
    RoadDesign road_;
    std::shared_ptr<const PreparedRoad> prepared_;  // shared by copies: it never changes
};

// A survey of no sections of the kind given, with or without stations.
Survey emptySurvey(SurveyKind kind, bool stations);

// Works out everything the entered values give. Nothing on success, else the
// first fault, the results left as far as they got.
std::optional<Fault> calculate(Survey& survey);

// The station of section i (1-based) as every output shows it, with the
// section's own letters: "ZK1+020.000".
std::string stationLabel(const Survey& survey, int i);

// Section i as its row names it: "K1+020.000" with stations, "第 2 号断面"
// without.
std::string sectionName(const Survey& survey, int i);

// The results as `--results` writes them and the overview shows them.
ResultTable resultTable(const Survey& survey);

}  // namespace section
