// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a survey of 1,000,000 points (2,000 sections of 500 points; about
// 21 MB as CSV) from every format that opens, as the window and the command
// line read a file (storage::openSurvey): a closed-outline survey as
// CSV and as LandXML, a cut-and-fill survey as CSV, as LandXML and as a
// 里程文件. Goal: a file of 20 MB in each format read within 2x the time
// of 20 MB of CSV of the same kind (the formats differ in bytes per point:
// the time per megabyte is compared). Medians of processor time of this thread: on a shared machine
// wall time waits for the others. Usage: file_read_bench   (tools/bench runs it)

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generated_survey.h"
#include "million_points.h"
#include "storage/survey_io.h"
#include "survey_file/hdm.h"
#include "survey_file/landxml.h"
#include "survey_file/survey_file.h"

namespace {

constexpr int kRuns = 5;
constexpr double kGoal = 2.0;
const survey_file::LandXmlStamp kStamp{"2026-12-09", "12:00:00"};

// The closed survey's points as two lines a section: the ground across the
// road, the design 0.5 m below it in the middle.
section::CutFillSurvey cutFillOf(const section::SectionSurvey& closed) {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    const int half = kMillionSectionPoints / 2;
    for (int i = 1; i <= closed.sectionCount(); ++i) {
        section::CutFillSection to;
        to.station = closed.stations(i);
        for (int j = 1; j <= half; ++j) {
            const double s = 20.0 - 40.0 * (j - 1) / (half - 1);
            to.ground.push_back({closed.elevations(i, j), s});
            to.design.push_back({closed.elevations(i, half + j) - (j > half / 2 ? 0.5 : 0.0), s});
        }
        survey.sections.push_back(std::move(to));
    }
    return survey;
}

bool write(const QString& path, const std::optional<std::string>& bytes) {
    QFile file(path);
    return bytes && file.open(QIODevice::WriteOnly) &&
           file.write(bytes->data(), qint64(bytes->size())) == qint64(bytes->size());
}

struct Format {
    const char* name;
    QString path;
    double megabytes = 0;
    double seconds = 0;  // median
};

// Median processor seconds of reading the file; negative when it does not
// read as the survey written.
double readSeconds(const QString& path, const std::function<bool(storage::OpenedSurvey&)>& same) {
    std::vector<double> runs;
    for (int k = 0; k <= kRuns; ++k) {
        const double start = threadCpuSeconds();
        storage::OpenedSurvey opened = storage::openSurvey(path);
        const double seconds = threadCpuSeconds() - start;
        if (!same(opened)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(opened.error));
            return -1;
        }
        if (k > 0) runs.push_back(seconds);  // the first warms the caches
    }
    return median(runs);
}

}  // namespace

int main() {
    const QTemporaryDir folder;
    section::SectionSurvey closed = generatedSurvey(kMillionSections, kMillionSectionPoints);
    closed.setStationAnswer("y");
    const section::CutFillSurvey cutFill = cutFillOf(closed);
    const auto at = [&](const char* name) { return folder.filePath(QString::fromUtf8(name)); };
    std::vector<Format> closedFormats{{"CSV", at("closed.csv")}, {"LandXML", at("closed.xml")}};
    std::vector<Format> cutFillFormats{
        {"CSV", at("cut-fill.csv")}, {"LandXML", at("cut-fill.xml")}, {"里程文件", at("c.hdm")}};
    if (!write(closedFormats[0].path, survey_file::writeSurvey(closed)) ||
        !write(closedFormats[1].path, survey_file::landXml(closed, kStamp)) ||
        !write(cutFillFormats[0].path, survey_file::writeSurvey(cutFill)) ||
        !write(cutFillFormats[1].path, survey_file::landXml(cutFill, kStamp)) ||
        !write(cutFillFormats[2].path, survey_file::writeHdm(cutFill))) {
        std::fprintf(stderr, "the files could not be written in %s\n", qPrintable(folder.path()));
        return 1;
    }
    bool met = true;
    const auto measure = [&](const char* kind, std::vector<Format>& formats, auto same) {
        std::printf("%s survey, %d sections x %d points:\n", kind, kMillionSections,
                    kMillionSectionPoints);
        for (Format& format : formats) {
            format.megabytes = double(QFile(format.path).size()) / 1e6;
            format.seconds = readSeconds(format.path, same);
            const double per20 = format.seconds / format.megabytes * 20;
            const double csvPer20 = formats.front().seconds / formats.front().megabytes * 20;
            met = met && format.seconds > 0 && per20 <= kGoal * csvPer20;
            std::printf(
                "  %-10s %5.1f MB  median %4.0f ms (%.2fx the CSV); 20 MB in %4.0f ms, "
                "%.2fx the CSV (goal <= %.0fx)\n",
                format.name, format.megabytes, format.seconds * 1e3,
                format.seconds / formats.front().seconds, per20 * 1e3, per20 / csvPer20, kGoal);
        }
    };
    measure("closed-outline", closedFormats, [&](storage::OpenedSurvey& opened) {
        const section::SectionSurvey* read =
            opened.survey ? opened.survey->closedOutline() : nullptr;
        return read && read->sectionCount() == kMillionSections &&
               read->pointCounts(kMillionSections) == kMillionSectionPoints;
    });
    measure("cut-and-fill", cutFillFormats, [&](storage::OpenedSurvey& opened) {
        const section::CutFillSurvey* read = opened.survey ? opened.survey->cutFill() : nullptr;
        return read && read->sections.size() == cutFill.sections.size() &&
               read->sections.back().design.size() == cutFill.sections.back().design.size();
    });
    return met ? 0 : 1;
}
