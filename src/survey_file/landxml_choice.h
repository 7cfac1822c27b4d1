// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which alignment of a LandXML file to read, and which of its surfaces is the
// ground and which the design: chosen by the user by name, or guessed from
// the names other programs give them (地面线, EG, "10", Gelände; 设计线, FG,
// "50", Planum).

#include <optional>
#include <string>
#include <vector>

#include "section/reading_report.h"
#include "survey_file/landxml_contents.h"

namespace survey_file {

// Each by name ("" for an unnamed one); unset: to be guessed. After the
// guess an unset design means none (a ground-only survey).
struct LandXmlChoice {
    std::optional<std::string> alignment;
    std::optional<std::string> ground;
    std::optional<std::string> design;
    bool operator==(const LandXmlChoice&) const = default;
};

// What was given, the rest guessed. The alignment: the first. The ground: a
// CrossSectSurf named (or described) like the ground, else the first
// CrossSectSurf, else none. The design, never the ground:
// an open surface named like a design, a DesignCrossSectSurf before a
// CrossSectSurf; else the open DesignCrossSectSurf on the most sections (the
// first of equals), as Civil 3D writes one per link and the one that runs
// along the whole road is the finished grade; else none.
LandXmlChoice guessChoice(const LandXmlContents& contents, const LandXmlChoice& given = {});

// Whether the surfaces leave the roles to guess: more than one open surface
// of one element (one CrossSectSurf and one DesignCrossSectSurf, as we write
// them, leave nothing).
bool surfacesToChoose(const LandXmlAlignment& alignment);

// Whether a name looks like the ground's or a design's, in Chinese, English
// or German, any case.
bool looksLikeGround(const std::string& name);
bool looksLikeDesign(const std::string& name);

enum class ChoiceRole { Alignment, Ground, Design };

// A name given that the file does not have, with the names it has there.
struct ChoiceFault {
    ChoiceRole role = ChoiceRole::Ground;
    std::string name;
    std::vector<std::string> names;
};
std::optional<ChoiceFault> choiceFault(const LandXmlContents& contents,
                                       const LandXmlChoice& choice);
// As the reader tells it: "文件中没有名为“X”的地面线：…".
std::string faultText(const ChoiceFault& fault);

// The alignment and the open surfaces a complete choice names; nothing for a
// surface not chosen or not there.
const LandXmlAlignment* chosenAlignment(const LandXmlContents& contents,
                                        const LandXmlChoice& choice);
const LandXmlSurface* chosenSurface(const LandXmlAlignment& alignment, ChoiceRole role,
                                    const std::optional<std::string>& name);

// A closed area of a section beyond its outline (a pavement layer, a curb,
// a sidewalk: a material), its area as large as its points enclose.
using SectionMaterial = section::SectionMaterial;

// What reading a LandXML file found beside the survey.
struct LandXmlRead {
    LandXmlContents contents;
    LandXmlChoice choice;              // what was read: the given choice, the rest guessed
    std::optional<ChoiceFault> fault;  // a name given that the file does not have
    std::vector<SectionMaterial> materials;
    // A surface in pieces with a gap between: one Chinese sentence each,
    // naming the section and where the gap is.
    std::vector<std::string> gaps;
};

}  // namespace survey_file
