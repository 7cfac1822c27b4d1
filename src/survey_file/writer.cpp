// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "survey_file/project_rows.h"
#include "survey_file/road_design_file.h"
#include "survey_file/survey_file.h"

namespace survey_file {

std::string writeSurvey(const section::SectionSurvey& survey, const section::ProjectInfo& project) {
    using runtime::numberToText;
    const bool stations = survey.stationsEntered();
    const int n = survey.sectionCount();
    // A byte-order mark and CRLF, so that spreadsheets on Windows open it as
    // UTF-8 text.
    std::string out = "\xEF\xBB\xBF" + projectRowsText(project, survey.volumeMethod());
    out += stations ? "桩号,高程H,距离S\r\n" : "断面,高程H,距离S,间距DL\r\n";
    StationMark mark;
    for (int i = 1; i <= n; ++i) {
        mark = markAfter(i > 1 ? &mark : nullptr, survey.stations(i), survey.stationPrefix(i));
        const std::string key = stations ? stationKey(mark) : numberToText(i);
        // Without stations the spacing to the next section stands in the
        // section's first row.
        std::string spacing;
        if (!stations) spacing = "," + (i < n ? numberToText(survey.spacings(i)) : "");
        const int count = survey.pointCounts(i);
        if (count <= 0) out += key + ",," + spacing + "\r\n";
        for (int j = 1; j <= count; ++j) {
            out += key + "," + numberToText(survey.elevations(i, j)) + "," +
                   numberToText(survey.offsets(i, j)) +
                   (j == 1     ? spacing
                    : stations ? ""
                               : ",") +
                   "\r\n";
        }
    }
    return out;
}

std::string writeSurvey(const section::Survey& survey, const section::ProjectInfo& project) {
    return survey.visit([&](const auto& record) { return writeSurvey(record, project); }) +
           roadDesignTables(survey.roadDesign());
}

}  // namespace survey_file
