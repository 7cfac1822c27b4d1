// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/reading_report.h"

#include <map>
#include <unordered_map>
#include <utility>

#include "runtime/number_format.h"

namespace section {

namespace {

// Sections one after another by name, each with how many before it had
// that name.
class SectionNames {
  public:
    explicit SectionNames(const Survey& survey) : survey_(survey) {}
    std::pair<std::string, int> next() {
        std::string name = sectionName(survey_, ++at_);
        const int before = seen_[name]++;
        return {std::move(name), before};
    }
    int at() const { return at_; }

  private:
    const Survey& survey_;
    int at_ = 0;
    std::unordered_map<std::string, int> seen_;
};

}  // namespace

std::vector<ReadMaterial> readMaterials(const Survey& survey,
                                        const std::vector<SectionMaterial>& materials) {
    std::vector<ReadMaterial> read;
    std::vector<std::pair<std::string, int>> names;
    SectionNames next(survey);
    for (const SectionMaterial& material : materials) {
        if (material.section < 1 || material.section > survey.sectionCount()) continue;
        while (next.at() < material.section) names.push_back(next.next());
        const auto& [section, sameName] = names[std::size_t(material.section - 1)];
        read.push_back({section, sameName, material.name, material.area});
    }
    return read;
}

std::vector<std::vector<MaterialArea>> sectionMaterials(const Survey& survey,
                                                        const ReadingReport& report) {
    if (report.materials.empty()) return {};
    std::map<std::pair<std::string, int>, std::vector<MaterialArea>> read;
    for (const ReadMaterial& material : report.materials)
        read[{material.section, material.sameName}].push_back(
            {material.name, runtime::roundedFixed3(runtime::shortestDecimal(material.area))});
    std::vector<std::vector<MaterialArea>> each(std::size_t(survey.sectionCount()));
    SectionNames next(survey);
    for (std::vector<MaterialArea>& materials : each)
        if (const auto found = read.find(next.next()); found != read.end())
            materials = found->second;
    return each;
}

std::string materialsText(const std::vector<MaterialArea>& materials, const std::string& unit) {
    std::string text;
    for (const MaterialArea& material : materials)
        text += (text.empty() ? "" : "，") + material.name + " " + material.area + unit;
    return text;
}

ResultTable withMaterials(ResultTable table, const Survey& survey, const ReadingReport& report) {
    const std::vector<std::vector<MaterialArea>> each = sectionMaterials(survey, report);
    if (each.empty()) return table;
    table.header.push_back("材料(平方米)");
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        table.rows[r].push_back(r < each.size() ? materialsText(each[r]) : "");
    return table;
}

}  // namespace section
