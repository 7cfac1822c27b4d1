// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a LandXML file offers to read: its alignments with cross-sections and,
// for each, the surfaces its sections carry. Design programs name and order
// them as they like (a railway program writes every line as a CrossSectSurf
// named by code, "10" the ground, "50" the formation; Civil 3D one open
// DesignCrossSectSurf per link), so which is the ground and which the design
// is chosen by name (landxml_choice.h), not by position.

#include <string>
#include <vector>

namespace pugi {
class xml_node;
}

namespace survey_file {

enum class SurfaceElement { CrossSectSurf, DesignCrossSectSurf };

struct LandXmlSurface {
    SurfaceElement element = SurfaceElement::CrossSectSurf;
    std::string name;
    std::string desc;
    bool closed = false;  // closedArea="true": an outline (or a material's)
    int sections = 0;     // how many sections carry it
    bool operator==(const LandXmlSurface&) const = default;
};

// One Alignment's CrossSects.
struct LandXmlAlignment {
    std::string name;
    int sections = 0;
    std::vector<LandXmlSurface> surfaces;  // in the order they first appear
    bool operator==(const LandXmlAlignment&) const = default;
};

struct LandXmlContents {
    std::vector<LandXmlAlignment> alignments;  // those with CrossSects, in file order
    bool operator==(const LandXmlContents&) const = default;
};

// The contents under the LandXML element. A surface is told by its element
// and name: the same name in both elements is two surfaces.
LandXmlContents scanLandXml(const pugi::xml_node& root);
// The CrossSects elements of those alignments, in the same order.
std::vector<pugi::xml_node> crossSectsOf(const pugi::xml_node& root);

}  // namespace survey_file
