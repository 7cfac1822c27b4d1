// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the last calculation without holding up the window: a survey of a
// million points takes some tenths of a second to write, which opening a
// file need not wait for. The saves run one at a time, in the order given,
// on a thread of their own; a failure is told on the window's thread, once a
// session (window/files/data_folder_messages.h). Destroying the saver waits
// for its saves.

#include <QThreadPool>

class QWidget;

#include "section/cut_fill_survey.h"
#include "section/project_info.h"

namespace section {
class SectionSurvey;
}

namespace window {

class LastCalculationSaver {
  public:
    explicit LastCalculationSaver(QWidget* parent);
    ~LastCalculationSaver() { wait(); }
    LastCalculationSaver(const LastCalculationSaver&) = delete;
    LastCalculationSaver& operator=(const LastCalculationSaver&) = delete;

    // The survey with its 工程信息.
    void save(section::SectionSurvey survey, section::ProjectInfo project = {});
    void save(section::CutFillSurvey survey, section::ProjectInfo project = {});
    // Returns once every save given so far is on the disk or has failed.
    void wait() { pool_.waitForDone(); }

  private:
    template <class Survey>
    void keep(Survey survey, section::ProjectInfo project);

    QWidget* parent_;
    QThreadPool pool_;
};

}  // namespace window
