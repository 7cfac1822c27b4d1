// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/landxml_contents.h"

#include <algorithm>

#include "survey_file/landxml_nodes.h"

namespace survey_file {

namespace {

using landxml::children;
using landxml::named;

LandXmlAlignment scanCrossSects(const pugi::xml_node& crossSects, std::string name) {
    LandXmlAlignment alignment{.name = std::move(name), .sections = 0, .surfaces = {}};
    for (const pugi::xml_node& section : children(crossSects, "CrossSect")) {
        ++alignment.sections;
        // A surface twice in one section (pieces written apart) counts once.
        std::vector<std::size_t> counted;
        for (const pugi::xml_node& node : section.children()) {
            const bool design = named(node, "DesignCrossSectSurf");
            if (!design && !named(node, "CrossSectSurf")) continue;
            LandXmlSurface found{.element = design ? SurfaceElement::DesignCrossSectSurf
                                                   : SurfaceElement::CrossSectSurf,
                                 .name = node.attribute("name").value(),
                                 .desc = node.attribute("desc").value(),
                                 .closed = landxml::isTrue(node.attribute("closedArea"))};
            auto& surfaces = alignment.surfaces;
            const auto same = std::find_if(surfaces.begin(), surfaces.end(), [&](auto& s) {
                return s.element == found.element && s.name == found.name;
            });
            const std::size_t at = std::size_t(same - surfaces.begin());
            if (same == surfaces.end()) surfaces.push_back(std::move(found));
            if (std::find(counted.begin(), counted.end(), at) != counted.end()) continue;
            counted.push_back(at);
            ++surfaces[at].sections;
        }
    }
    return alignment;
}

}  // namespace

std::vector<pugi::xml_node> crossSectsOf(const pugi::xml_node& root) {
    std::vector<pugi::xml_node> found;
    for (const pugi::xml_node& alignments : children(root, "Alignments"))
        for (const pugi::xml_node& alignment : children(alignments, "Alignment"))
            if (pugi::xml_node each = landxml::child(alignment, "CrossSects"))
                found.push_back(each);
    return found;
}

LandXmlContents scanLandXml(const pugi::xml_node& root) {
    LandXmlContents contents;
    for (const pugi::xml_node& crossSects : crossSectsOf(root))
        contents.alignments.push_back(
            scanCrossSects(crossSects, crossSects.parent().attribute("name").value()));
    return contents;
}

}  // namespace survey_file
