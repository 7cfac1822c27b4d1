// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/last_calculation_saver.h"

#include <QWidget>

#include "section/survey.h"
#include "window/files/data_folder.h"
#include "window/files/data_folder_messages.h"

namespace window {

LastCalculationSaver::LastCalculationSaver(QWidget* parent) : parent_(parent) {
    pool_.setMaxThreadCount(1);  // one at a time: the newest survey is written last
}

void LastCalculationSaver::save(section::SectionSurvey survey, section::ProjectInfo project) {
    keep(std::move(survey), std::move(project));
}

void LastCalculationSaver::save(section::CutFillSurvey survey, section::ProjectInfo project) {
    keep(std::move(survey), std::move(project));
}

template <class Survey>
void LastCalculationSaver::keep(Survey survey, section::ProjectInfo project) {
    if (!holdsLastCalculation()) {
        tellLastCalculationTaken(parent_);
        return;
    }
    // The path is worked out here, on the window's thread. The parent outlives
    // the task (the saver waits for it), not necessarily the message it posts,
    // which Qt then drops.
    pool_.start([parent = parent_, path = lastCalculationPath(), survey = std::move(survey),
                 project = std::move(project)] {
        const QString error = saveLastCalculation(survey, path, project);
        if (error.isEmpty()) return;
        QMetaObject::invokeMethod(
            parent, [parent, error] { warnDataFolderOnce(parent, error); }, Qt::QueuedConnection);
    });
}

}  // namespace window
