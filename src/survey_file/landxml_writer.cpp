// SPDX-License-Identifier: GPL-3.0-or-later
#include <pugixml.hpp>
#include <sstream>

#include "runtime/number_text.h"
#include "runtime/titles.h"
#include "section/station.h"
#include "survey_file/landxml.h"
#include "survey_file/landxml_tags.h"

namespace survey_file {

namespace {

using runtime::numberToText;

void setNumber(pugi::xml_node node, const char* name, double value) {
    node.append_attribute(name).set_value(numberToText(value).c_str());
}

// "offset elevation" with offset = -S, as LandXML counts to the right.
std::string offsetElevation(double elevation, double offset) {
    return numberToText(-offset) + " " + numberToText(elevation);
}

// What every section shares, whichever its kind: the station (or the running
// sum of the spacings), a name to show.
struct SectionPlace {
    double sta = 0.0;
    std::string name;
};

class Document {
  public:
    Document(const LandXmlStamp& stamp, const section::ProjectInfo& project,
             const std::vector<SectionPlace>& places, bool stationsEntered,
             section::VolumeMethod method) {
        pugi::xml_node declaration = document_.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        pugi::xml_node root = document_.append_child("LandXML");
        root.append_attribute("xmlns") = landxml::kNamespace;
        root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
        root.append_attribute("xsi:schemaLocation") =
            "http://www.landxml.org/schema/LandXML-1.2 "
            "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd";
        root.append_attribute("date") = stamp.date.c_str();
        root.append_attribute("time") = stamp.time.c_str();
        root.append_attribute("version") = "1.2";
        pugi::xml_node metric = root.append_child("Units").append_child("Metric");
        metric.append_attribute("areaUnit") = "squareMeter";
        metric.append_attribute("linearUnit") = "meter";
        metric.append_attribute("volumeUnit") = "cubicMeter";
        root.append_child("Application").append_attribute("name") = runtime::applicationName;
        if (!project.empty()) projectElement(root, project);
        pugi::xml_node alignment = root.append_child("Alignments").append_child("Alignment");
        alignment.append_attribute("name") = "中线";
        setNumber(alignment, "length", places.back().sta - places.front().sta);
        setNumber(alignment, "staStart", places.front().sta);
        crossSects_ = alignment.append_child("CrossSects");
        crossSects_.append_attribute("calcMethod") = landxml::calcMethod(method);
        for (const SectionPlace& place : places) {
            pugi::xml_node section = crossSects_.append_child("CrossSect");
            setNumber(section, "sta", place.sta);
            section.append_attribute("name") = place.name.c_str();
            sections_.push_back(section);
        }
        if (!stationsEntered) feature(crossSects_, landxml::kStationsEntered, "false");
    }

    pugi::xml_node section(std::size_t k) const { return sections_[k]; }

    // The Feature comes last in a CrossSect (and in the CrossSects).
    static void feature(pugi::xml_node parent, const char* label, const std::string& value) {
        pugi::xml_node property = parent.append_child("Feature");
        property.append_attribute("name") = landxml::kFeature;
        property = property.append_child("Property");
        property.append_attribute("label") = label;
        property.append_attribute("value") = value.c_str();
    }

    // The 工程信息: LandXML's Project has a name and a description; who
    // calculated and checked, and the date, go in a Feature of ours.
    static void projectElement(pugi::xml_node root, const section::ProjectInfo& project) {
        pugi::xml_node element = root.append_child("Project");
        element.append_attribute("name") = project.projectName.c_str();
        if (!project.segment.empty()) element.append_attribute("desc") = project.segment.c_str();
        const std::pair<const char*, const std::string*> items[] = {
            {landxml::kCalculatedBy, &project.calculatedBy},
            {landxml::kCheckedBy, &project.checkedBy},
            {landxml::kDate, &project.date}};
        pugi::xml_node ours;
        for (const auto& [label, value] : items) {
            if (value->empty()) continue;
            if (!ours) {
                ours = element.append_child("Feature");
                ours.append_attribute("name") = landxml::kFeature;
            }
            pugi::xml_node property = ours.append_child("Property");
            property.append_attribute("label") = label;
            property.append_attribute("value") = value->c_str();
        }
    }

    std::string text() const {
        std::ostringstream out;
        document_.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }

  private:
    pugi::xml_document document_;
    pugi::xml_node crossSects_;
    std::vector<pugi::xml_node> sections_;
};

// `sta` stays the number LandXML has it; the name shows the station with
// its letters ("ZK1+020.000"), and the reader takes them back from it.
std::vector<SectionPlace> places(bool stationsEntered, int count, auto station, auto prefix,
                                 auto spacing) {
    std::vector<SectionPlace> out;
    double sum = 0.0;
    for (int k = 0; k < count; ++k) {
        const double sta = stationsEntered ? station(k) : sum;
        out.push_back({sta, stationsEntered ? section::stationText(sta, prefix(k))
                                            : "第 " + std::to_string(k + 1) + " 断面"});
        sum += spacing(k);
    }
    return out;
}

std::optional<std::string> whyNoPlaces(const std::vector<SectionPlace>& places) {
    for (std::size_t k = 0; k < places.size(); ++k) {
        if (runtime::inValueRange(places[k].sta)) continue;
        return "没有输入桩号时，LandXML 的桩号（sta）是断面间距的累计，到第 " +
               std::to_string(k + 1) + " 个断面累计为 " + numberToText(places[k].sta) +
               "，超出了数值范围（绝对值超过 3.4E+38），写出后读不回来：请改小间距，或保存为 CSV";
    }
    return std::nullopt;
}

std::vector<SectionPlace> placesOf(const section::SectionSurvey& survey) {
    return places(
        survey.stationsEntered(), survey.sectionCount(),
        [&](int k) { return survey.stations(k + 1); },
        [&](int k) { return survey.stationPrefix(k + 1); },
        [&](int k) { return survey.spacings(k + 1); });
}

std::vector<SectionPlace> placesOf(const section::CutFillSurvey& survey) {
    const auto& sections = survey.sections;
    return places(
        survey.stationsEntered(), survey.sectionCount(),
        [&](int k) { return sections[std::size_t(k)].station; },
        [&](int k) { return sections[std::size_t(k)].stationPrefix; },
        [&](int k) { return sections[std::size_t(k)].spacing; });
}

void spacingFeature(pugi::xml_node section, bool last, double spacing) {
    if (!last) Document::feature(section, landxml::kSpacing, numberToText(spacing));
}

}  // namespace

std::optional<std::string> whyNoLandXml(const section::SectionSurvey& survey) {
    return whyNoPlaces(placesOf(survey));
}

std::optional<std::string> whyNoLandXml(const section::CutFillSurvey& survey) {
    return whyNoPlaces(placesOf(survey));
}

std::optional<std::string> landXml(const section::SectionSurvey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project) {
    const int n = survey.sectionCount();
    if (n == 0) return std::nullopt;
    const bool stations = survey.stationsEntered();
    Document document(stamp, project, placesOf(survey), stations, survey.volumeMethod());
    for (int i = 1; i <= n; ++i) {
        pugi::xml_node section = document.section(std::size_t(i - 1));
        pugi::xml_node outline = section.append_child("DesignCrossSectSurf");
        outline.append_attribute("name") = "断面线";
        outline.append_attribute("closedArea") = "true";
        setNumber(outline, "area", survey.areas(i));
        if (i < n) setNumber(outline, "volume", survey.volumes(i));
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            outline.append_child("CrossSectPnt")
                .text()
                .set(offsetElevation(survey.elevations(i, j), survey.offsets(i, j)).c_str());
        }
        spacingFeature(section, i == n, survey.spacings(i));
    }
    return document.text();
}

std::optional<std::string> landXml(const section::CutFillSurvey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project) {
    const auto& sections = survey.sections;
    if (sections.empty()) return std::nullopt;
    const bool stations = survey.stationsEntered();
    Document document(stamp, project, placesOf(survey), stations, survey.volumeMethod);
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const section::CutFillSection& from = sections[k];
        const bool last = k + 1 == sections.size();
        pugi::xml_node section = document.section(k);
        if (from.areas) {
            setNumber(section, "areaCut", from.areas->cut);
            setNumber(section, "areaFill", from.areas->fill);
        }
        if (!last) {
            setNumber(section, "volumeCut", from.cutVolume);
            setNumber(section, "volumeFill", from.fillVolume);
        }
        if (!from.ground.empty()) {
            pugi::xml_node ground = section.append_child("CrossSectSurf");
            ground.append_attribute("name") = "地面线";
            std::string points;
            for (const section::Point& point : from.ground)
                points +=
                    (points.empty() ? "" : " ") + offsetElevation(point.elevation, point.offset);
            ground.append_child("PntList2D").text().set(points.c_str());
        }
        if (!from.design.empty()) {
            pugi::xml_node design = section.append_child("DesignCrossSectSurf");
            design.append_attribute("name") = "设计线";
            for (const section::Point& point : from.design) {
                design.append_child("CrossSectPnt")
                    .text()
                    .set(offsetElevation(point.elevation, point.offset).c_str());
            }
        }
        spacingFeature(section, last, from.spacing);
    }
    return document.text();
}

std::optional<std::string> landXml(const section::Survey& survey, const LandXmlStamp& stamp,
                                   const section::ProjectInfo& project) {
    return survey.visit([&](const auto& record) { return landXml(record, stamp, project); });
}

std::optional<std::string> whyNoLandXml(const section::Survey& survey) {
    return survey.visit([](const auto& record) { return whyNoLandXml(record); });
}

}  // namespace survey_file
