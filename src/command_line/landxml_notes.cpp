// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/landxml_notes.h"

#include <QDir>
#include <array>

namespace command_line {

namespace {

QString quoted(const std::vector<std::string>& names) {
    QString out;
    for (const std::string& name : names)
        out += QStringLiteral("“%1”").arg(QString::fromStdString(name));
    return out;
}

QString named(const std::optional<std::string>& name) {
    return QString::fromStdString(name.value_or(""));
}

std::string line(const QString& text) {
    return QStringLiteral("velmorin: 提醒：%1\n").arg(text).toStdString();
}

}  // namespace

QString choiceRefused(const QString& file, const survey_file::ChoiceFault& fault) {
    static constexpr std::array<std::pair<const char*, const char*>, 3> roles{
        std::pair{"--alignment", "带横断面的路线"}, std::pair{"--ground", "横断面表面"},
        std::pair{"--design-surface", "横断面表面"}};
    const auto& [option, what] = roles[std::size_t(fault.role)];
    return QStringLiteral(
               "%1 的值“%2”不在文件“%3”中：文件中的%4有%5，请写其中之一"
               "（velmorin --help 列出用法）。")
        .arg(QLatin1String(option), QString::fromStdString(fault.name),
             QDir::toNativeSeparators(file), QString::fromUtf8(what), quoted(fault.names));
}

std::string choiceLines(const QString& file, const survey_file::LandXmlRead& read,
                        const survey_file::LandXmlChoice& given) {
    std::string lines;
    const QString where = QDir::toNativeSeparators(file);
    const auto& alignments = read.contents.alignments;
    if (alignments.size() > 1 && !given.alignment) {
        std::vector<std::string> names;
        for (const auto& alignment : alignments) names.push_back(alignment.name);
        lines += line(QStringLiteral("文件“%1”中有 %2 条带横断面的路线（%3），取了第一条“%4”；"
                                     "读别的路线请用 --alignment 名称。")
                          .arg(where)
                          .arg(alignments.size())
                          .arg(quoted(names), named(read.choice.alignment)));
    }
    const survey_file::LandXmlAlignment* alignment =
        survey_file::chosenAlignment(read.contents, read.choice);
    int candidates = 0;
    if (alignment)
        for (const survey_file::LandXmlSurface& surface : alignment->surfaces)
            candidates += int(!surface.closed);
    if (alignment && survey_file::surfacesToChoose(*alignment) && !(given.ground && given.design)) {
        const QString design = read.choice.design
                                   ? QStringLiteral("设计线“%1”").arg(named(read.choice.design))
                                   : QStringLiteral("没有取设计线");
        lines += line(QStringLiteral("文件“%1”中有 %2 个可选的横断面表面，取了地面线“%3”、%4；"
                                     "另选请用 --ground 名称 和 --design-surface 名称。")
                          .arg(where)
                          .arg(candidates)
                          .arg(named(read.choice.ground), design));
    }
    for (const std::string& gap : read.gaps) lines += line(QString::fromStdString(gap) + u'。');
    return lines;
}

std::string materialLines(const section::Survey& survey, const section::ReadingReport& reading) {
    std::string lines;
    const std::vector<std::vector<section::MaterialArea>> each =
        section::sectionMaterials(survey, reading);
    for (std::size_t i = 0; i < each.size(); ++i) {
        if (each[i].empty()) continue;
        lines += "velmorin: 材料：" + section::sectionName(survey, int(i) + 1) + " " +
                 section::materialsText(each[i], " 平方米") + '\n';
    }
    return lines;
}

}  // namespace command_line
