// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>

#include "runtime/number_text.h"
#include "section/area.h"
#include "section/station.h"
#include "survey_file/cells.h"
#include "survey_file/landxml.h"
#include "survey_file/landxml_nodes.h"
#include "survey_file/landxml_pieces.h"
#include "survey_file/landxml_tags.h"
#include "survey_file/landxml_units.h"

namespace survey_file {

namespace {

using section::Point;

// Where in the file a fault is: a byte offset (negative for the file as a
// whole) and the lines after it, counted into a line number only when a
// fault is reported, so that reading stays linear in the file's size.
struct Place {
    std::ptrdiff_t at = -1;
    int linesAfter = 0;
};

Place placeOf(const pugi::xml_node& node) {
    return {node.offset_debug()};
}

// A fault found deep in the tree, caught once at the top.
struct Fault {
    Place place;
    std::string message;
};

using landxml::child;
using landxml::children;
using landxml::isTrue;
using landxml::named;

// What one CrossSect holds, before the survey of its kind is put together.
struct RawSection {
    Place place;
    double sta = 0.0;
    std::string prefix;  // the letters its name gives the station (section/station.h)
    std::optional<double> spacing;
    bool closed = false;
    std::vector<Point> outline, ground, design;
    std::optional<double> areaCut, areaFill;
    double volumeCut = 0.0, volumeFill = 0.0;
    std::vector<SectionMaterial> materials;  // the closed areas after the outline
    std::vector<LineGap> groundGaps, designGaps;
};

// The surfaces chosen to read as the ground and the design.
struct Roles {
    const LandXmlSurface* ground = nullptr;
    const LandXmlSurface* design = nullptr;
};

bool isSurface(const pugi::xml_node& node, const LandXmlSurface* surface) {
    if (!surface) return false;
    const char* element =
        surface->element == SurfaceElement::CrossSectSurf ? "CrossSectSurf" : "DesignCrossSectSurf";
    return named(node, element) && surface->name == node.attribute("name").value();
}

std::vector<section::Point> flat(const std::vector<Piece>& pieces) {
    std::vector<section::Point> points;
    for (const Piece& piece : pieces) points.insert(points.end(), piece.begin(), piece.end());
    return points;
}

class Reader {
  public:
    Reader(std::string_view text, const LandXmlChoice& choice, ReadProgress* progress)
        : text_(text), choice_(choice), progress_(progress) {}

    SurveyRead read() {
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(
            text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!parsed) throw Fault{{parsed.offset}, parseFault(parsed.status)};
        const pugi::xml_node root = document.document_element();
        if (!named(root, "LandXML"))
            throw Fault{placeOf(root), "这不是 LandXML 文件：最外层的元素是“" +
                                           std::string(root.name()) + "”，应为“LandXML”"};
        units_ = unitsOf(root);
        SurveyRead result{.format = Format::LandXml};
        LandXmlRead& found = result.landXml.emplace();
        found.contents = scanLandXml(root);
        if (found.contents.alignments.empty())
            throw Fault{{},
                        "文件中没有横断面（LandXML 的 Alignments/Alignment/CrossSects）："
                        "请在设计程序中导出带横断面的 LandXML 文件"};
        found.choice = guessChoice(found.contents, choice_);
        found.fault = choiceFault(found.contents, found.choice);
        if (found.fault) {
            result.error.message = printableText(faultText(*found.fault));
            return result;
        }
        const LandXmlAlignment* alignment = chosenAlignment(found.contents, found.choice);
        const Roles roles{chosenSurface(*alignment, ChoiceRole::Ground, found.choice.ground),
                          chosenSurface(*alignment, ChoiceRole::Design, found.choice.design)};
        const pugi::xml_node crossSects =
            crossSectsOf(root)[std::size_t(alignment - found.contents.alignments.data())];
        const bool stations = !ourFlag(crossSects, landxml::kStationsEntered, "false");
        std::vector<RawSection> sections;
        const std::vector<pugi::xml_node> nodes = children(crossSects, "CrossSect");
        for (const pugi::xml_node& each : nodes) {
            if ((sections.size() & 0xFF) == 0)
                tellProgress(progress_, sections.size(), nodes.size());
            sections.push_back(readSection(each, roles));
            tellRead(sections.back(), int(sections.size()), found);
        }
        if (sections.empty())
            throw Fault{placeOf(crossSects), "CrossSects 中没有 CrossSect（断面）"};
        if (!stations) fillSpacings(sections);
        if (std::any_of(sections.begin(), sections.end(), [](auto& s) { return s.closed; }))
            result.survey = closedSurvey(sections, stations);
        else
            result.survey = cutFillSurvey(sections, stations);
        // The schema's two methods; a file without one is by average end areas.
        const auto prismoidal = section::VolumeMethod::Prismoidal;
        if (std::string_view(crossSects.attribute("calcMethod").value()) ==
            landxml::calcMethod(prismoidal))
            result.survey->setVolumeMethod(prismoidal);
        result.project = projectOf(child(root, "Project"));
        if (!units_.note().empty()) {
            result.notes.push_back(units_.note());
            result.sheetNotes.push_back(units_.sheetNote());
        }
        return result;
    }

    // The line of a place, 0 for the file as a whole.
    int lineOf(const Place& place) const {
        if (place.at < 0) return 0;
        const std::size_t end = std::min(std::size_t(place.at), text_.size());
        return 1 + place.linesAfter +
               int(std::count(text_.begin(), text_.begin() + std::ptrdiff_t(end), '\n'));
    }

  private:
    static std::string parseFault(pugi::xml_parse_status status) {
        switch (status) {
            case pugi::status_end_element_mismatch:
                return "XML 格式有误：结束标记与开始标记不配对";
            case pugi::status_bad_attribute:
                return "XML 格式有误：属性写得不对（缺少引号或等号）";
            case pugi::status_no_document_element:
                return "XML 格式有误：文件中没有任何元素";
            case pugi::status_out_of_memory:
                return "内存不足（文件太大）";
            default:
                return "XML 格式有误，文件可能不完整或已损坏";
        }
    }

    // In metric units, whatever the file's.
    double number(const pugi::xml_node& node, const char* attribute, Measure measure) const {
        const pugi::xml_attribute found = node.attribute(attribute);
        if (!found) throw Fault{placeOf(node), std::string(node.name()) + " 缺少属性 " + attribute};
        return units_.toMetric(
            value(found.value(), placeOf(node), std::string(node.name()) + " 的属性 " + attribute),
            measure);
    }
    std::optional<double> optionalNumber(const pugi::xml_node& node, const char* attribute,
                                         Measure measure) const {
        if (!node.attribute(attribute)) return std::nullopt;
        return number(node, attribute, measure);
    }

    static double value(std::string_view text, const Place& at, const std::string& what) {
        const CellNumber read = readFloat(trimBlanks(text));
        if (read.fault == CellNumber::Fault::None) return read.value;
        throw Fault{at, what + "“" + printableText(text) + "”" +
                            (read.fault == CellNumber::Fault::OutOfRange
                                 ? "超出了数值范围（绝对值超过 3.4E+38）"
                                 : "不是有效的数")};
    }

    // "offset elevation offset elevation ..." appended as points with
    // S = -offset, `each` numbers or (with 0) any even count; each number's
    // own line named when it is wrong.
    void appendPoints(const pugi::xml_node& node, std::size_t each,
                      std::vector<Point>& points) const {
        const pugi::xml_node data = node.first_child();
        const std::string_view text = node.child_value();
        const Place first = placeOf(data ? data : node);
        std::size_t count = 0;
        double offset = 0.0;
        for (std::size_t at = 0;; ++count) {
            at = text.find_first_not_of(" \t\r\n", at);
            if (at == std::string_view::npos) break;
            const std::size_t end = std::min(text.find_first_of(" \t\r\n", at), text.size());
            const std::string_view cell = text.substr(at, end - at);
            const CellNumber read = readFloat(trimBlanks(cell));
            if (read.fault != CellNumber::Fault::None) {
                const auto before = text.begin() + std::ptrdiff_t(at);
                value(cell, {first.at, int(std::count(text.begin(), before, '\n'))},
                      std::string(node.name()) + " 中的坐标");
            }
            const double metres = units_.toMetric(read.value, Measure::Length);
            if (count % 2 == 0)
                offset = metres;
            else
                points.push_back({metres, -offset});
            at = end;
        }
        if (count % 2 != 0 || (each != 0 && count != each))
            throw Fault{first, std::string(node.name()) + " 中有 " + std::to_string(count) +
                                   " 个数，应为“偏距 高程”成对的数" +
                                   (each ? "（一个点两个数）" : "")};
    }

    // Metres as they are; feet converted.
    MetricConversion unitsOf(const pugi::xml_node& root) const {
        const pugi::xml_node units = child(root, "Units");
        if (!units) return {};
        if (const pugi::xml_node imperial = child(units, "Imperial")) {
            std::variant<MetricConversion, std::string> conversion = imperialToMetric(
                imperial.attribute("linearUnit").value(), imperial.attribute("areaUnit").value(),
                imperial.attribute("volumeUnit").value());
            if (const std::string* why = std::get_if<std::string>(&conversion))
                throw Fault{placeOf(imperial), *why};
            return std::get<MetricConversion>(std::move(conversion));
        }
        const pugi::xml_node metric = child(units, "Metric");
        const std::pair<const char*, const char*> wanted[] = {
            {"linearUnit", "meter"}, {"areaUnit", "squareMeter"}, {"volumeUnit", "cubicMeter"}};
        for (const auto& [attribute, unit] : wanted) {
            const pugi::xml_attribute found = metric.attribute(attribute);
            if (found && std::strcmp(found.value(), unit) != 0)
                throw Fault{placeOf(metric), std::string("文件的单位 ") + attribute + " 是“" +
                                                 printableText(found.value()) + "”，本程序只读“" +
                                                 unit + "”"};
        }
        return {};
    }

    // A section's materials and gaps into what the reading found.
    static void tellRead(RawSection& section, int number, LandXmlRead& found) {
        for (SectionMaterial& material : section.materials) {
            material.section = number;
            found.materials.push_back(std::move(material));
        }
        for (const auto& [gaps, line] :
             {std::pair{&section.groundGaps, "地面线"}, std::pair{&section.designGaps, "设计线"}})
            for (const LineGap& gap : *gaps)
                found.gaps.push_back("第 " + std::to_string(number) +
                                     " 个断面（sta=" + runtime::numberToText(section.sta) + "）的" +
                                     line + "断开：距离 S 从 " + runtime::numberToText(gap.from) +
                                     " 到 " + runtime::numberToText(gap.to) +
                                     " 之间没有点（PntList2D 不相接），这一段不计面积，" + line +
                                     "在这里随另一条线画出");
    }

    // The letters of a section whose name is its station with letters
    // ("ZK1+020.000"), as we write it and Chinese design software names
    // sections, when the name gives the same station to the millimetre it
    // shows. A name without letters ("0+020.00", as sample lines are often
    // named) keeps the usual K.
    static std::string prefixOfName(std::string_view name, double sta) {
        std::optional<std::string> prefix;
        const CellNumber read = readStation(trimBlanks(name), &prefix);
        if (read.fault != CellNumber::Fault::None || !prefix || *prefix == section::kBareStation)
            return {};
        const double shown = 0.0005 + std::abs(sta) * 1e-12;
        return std::abs(read.value - sta) <= shown ? *prefix : std::string();
    }

    // A Property of our own Feature among the node's children.
    static std::optional<std::string> ourProperty(const pugi::xml_node& node, const char* label) {
        for (const pugi::xml_node& feature : children(node, "Feature")) {
            if (std::strcmp(feature.attribute("name").value(), landxml::kFeature) != 0) continue;
            for (const pugi::xml_node& property : children(feature, "Property"))
                if (std::strcmp(property.attribute("label").value(), label) == 0)
                    return property.attribute("value").value();
        }
        return std::nullopt;
    }
    static bool ourFlag(const pugi::xml_node& node, const char* label, const char* value) {
        const std::optional<std::string> found = ourProperty(node, label);
        return found && *found == value;
    }

    // The 工程信息 from LandXML's Project (another program's too: its name
    // and description), with what our Feature adds.
    static section::ProjectInfo projectOf(const pugi::xml_node& project) {
        section::ProjectInfo info;
        if (!project) return info;
        info.projectName = project.attribute("name").value();
        info.segment = project.attribute("desc").value();
        info.calculatedBy = ourProperty(project, landxml::kCalculatedBy).value_or("");
        info.checkedBy = ourProperty(project, landxml::kCheckedBy).value_or("");
        info.date = ourProperty(project, landxml::kDate).value_or("");
        // A tab stays, as in our CSV; any other control character is told.
        for (const std::string* value :
             {&info.projectName, &info.segment, &info.calculatedBy, &info.checkedBy, &info.date})
            if (const std::optional<std::string> control = controlCharacterIn(*value, "\t"))
                throw Fault{placeOf(project), "工程信息“" + printableText(*value) +
                                                  "”中有控制字符（" + *control +
                                                  "），不能作为工程信息：请在文本编辑器中删去它"};
        return info;
    }

    RawSection readSection(const pugi::xml_node& node, const Roles& roles) const {
        RawSection section;
        section.place = placeOf(node);
        section.sta = number(node, "sta", Measure::Length);
        section.prefix = prefixOfName(node.attribute("name").value(), section.sta);
        if (const std::optional<std::string> spacing = ourProperty(node, landxml::kSpacing))
            section.spacing =
                units_.toMetric(value(*spacing, section.place, "断面间距"), Measure::Length);
        section.areaCut = optionalNumber(node, "areaCut", Measure::Area);
        section.areaFill = optionalNumber(node, "areaFill", Measure::Area);
        section.volumeCut = optionalNumber(node, "volumeCut", Measure::Volume).value_or(0.0);
        section.volumeFill = optionalNumber(node, "volumeFill", Measure::Volume).value_or(0.0);
        std::vector<Piece> ground, design;
        for (const pugi::xml_node& surface : node.children()) {
            if (!named(surface, "CrossSectSurf") && !named(surface, "DesignCrossSectSurf"))
                continue;
            if (isTrue(surface.attribute("closedArea"))) {
                readClosed(surface, section);
            } else {
                std::vector<Piece>* pieces = isSurface(surface, roles.ground)   ? &ground
                                             : isSurface(surface, roles.design) ? &design
                                                                                : nullptr;
                if (pieces) appendPieces(surface, *pieces);
            }
        }
        ground = joinTouching(std::move(ground));
        design = joinTouching(std::move(design));
        section.design = bridged(design, flat(ground), section.designGaps);
        section.ground = bridged(ground, section.design, section.groundGaps);
        return section;
    }

    // The first closed area is the section's outline; any after it a material.
    void readClosed(const pugi::xml_node& surface, RawSection& section) const {
        std::vector<Piece> pieces;
        appendPieces(surface, pieces);
        std::vector<Point> points = flat(pieces);
        if (!section.closed) {
            section.outline = std::move(points);
            section.closed = true;
            return;
        }
        std::vector<double> elevations, offsets;
        for (const Point& point : points) {
            elevations.push_back(point.elevation);
            offsets.push_back(point.offset);
        }
        // Exact, so that its three decimals are those the sheet would print.
        const runtime::ExactDecimal area =
            section::exactSectionArea(elevations.data(), offsets.data(), int(points.size()));
        section.materials.push_back(
            {0, surface.attribute("name").value(), std::abs(area.nearest())});
    }

    // A surface's points: each PntList2D a piece, its CrossSectPnt one more.
    void appendPieces(const pugi::xml_node& surface, std::vector<Piece>& pieces) const {
        Piece points;
        for (const pugi::xml_node& each : surface.children()) {
            if (named(each, "PntList2D")) appendPoints(each, 0, pieces.emplace_back());
            if (named(each, "CrossSectPnt")) appendCrossSectPoint(each, points);
        }
        if (!points.empty()) pieces.push_back(std::move(points));
    }

    void appendCrossSectPoint(const pugi::xml_node& point, std::vector<Point>& points) const {
        const pugi::xml_attribute format = point.attribute("dataFormat");
        if (format && std::strcmp(format.value(), "Offset Elevation") != 0)
            throw Fault{placeOf(point), "CrossSectPnt 的 dataFormat 是“" +
                                            printableText(format.value()) +
                                            "”，本程序只读“Offset Elevation”（偏距 高程）的点"};
        if (trimBlanks(point.child_value()).find_first_not_of(" \t\r\n") == std::string_view::npos)
            throw Fault{placeOf(point), "CrossSectPnt 没有坐标（只引用了别处的点），本程序读不了"};
        appendPoints(point, 2, points);
    }

    // Without stations the spacings stand in our Feature; a file that lacks
    // one gets the difference of the running sums.
    static void fillSpacings(std::vector<RawSection>& sections) {
        for (std::size_t k = 0; k + 1 < sections.size(); ++k)
            if (!sections[k].spacing) sections[k].spacing = sections[k + 1].sta - sections[k].sta;
    }

    static section::SectionSurvey closedSurvey(const std::vector<RawSection>& sections,
                                               bool stations) {
        if (sections.size() > std::size_t(section::kMostSections))
            throw Fault{sections[section::kMostSections].place,
                        "断面超过 " + std::to_string(section::kMostSections) + " 个"};
        section::SectionSurvey survey;
        survey.resize(int(sections.size()));
        survey.setStationAnswer(stations ? "y" : "n");
        for (std::size_t k = 0; k < sections.size(); ++k) {
            const RawSection& from = sections[k];
            if (from.outline.size() > std::size_t(section::kMostPoints))
                throw Fault{from.place, "断面有 " + std::to_string(from.outline.size()) +
                                            " 个点，超过了每个断面最多 " +
                                            std::to_string(section::kMostPoints) + " 个点"};
            const int i = int(k) + 1;
            if (stations) {
                survey.setStation(i, from.sta);
                survey.setStationPrefix(i, from.prefix);
            }
            survey.setPointCount(i, std::int16_t(from.outline.size()));
        }
        survey.allocatePoints();
        for (std::size_t k = 0; k < sections.size(); ++k) {
            const int i = int(k) + 1;
            for (std::size_t j = 0; j < sections[k].outline.size(); ++j) {
                const Point& point = sections[k].outline[j];
                survey.setPoint(i, int(j) + 1, point.elevation, point.offset);
            }
            if (k + 1 < sections.size() && sections[k].spacing)
                survey.setSpacing(i, *sections[k].spacing);
        }
        return survey;
    }

    static section::CutFillSurvey cutFillSurvey(const std::vector<RawSection>& sections,
                                                bool stations) {
        section::CutFillSurvey survey;
        survey.stationAnswer = stations ? "y" : "n";
        for (std::size_t k = 0; k < sections.size(); ++k) {
            const RawSection& from = sections[k];
            section::CutFillSection to;
            if (stations) {
                to.station = from.sta;
                to.stationPrefix = from.prefix;
            }
            if (k + 1 < sections.size()) {
                to.spacing = from.spacing.value_or(0.0);
                to.cutVolume = from.volumeCut;
                to.fillVolume = from.volumeFill;
            }
            to.ground = from.ground;
            to.design = from.design;
            if (from.areaCut || from.areaFill)
                to.areas =
                    section::CutFillAreas{from.areaCut.value_or(0.0), from.areaFill.value_or(0.0)};
            survey.totalCut += to.cutVolume;
            survey.totalFill += to.fillVolume;
            survey.sections.push_back(std::move(to));
        }
        return survey;
    }

    std::string_view text_;
    const LandXmlChoice& choice_;
    ReadProgress* progress_;
    MetricConversion units_;
};

}  // namespace

SurveyRead readLandXml(std::string_view text, ReadProgress* progress) {
    return readLandXml(text, {}, progress);
}

SurveyRead readLandXml(std::string_view text, const LandXmlChoice& choice, ReadProgress* progress) {
    Reader reader(text, choice, progress);
    try {
        return reader.read();
    } catch (const Fault& fault) {
        SurveyRead result{.format = Format::LandXml};
        const int line = reader.lineOf(fault.place);
        result.error.line = line;
        result.error.message =
            (line > 0 ? "第 " + std::to_string(line) + " 行：" : std::string()) + fault.message;
        return result;
    }
}

}  // namespace survey_file
