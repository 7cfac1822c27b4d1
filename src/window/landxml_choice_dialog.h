// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a LandXML file with more than one alignment, or with several
// surfaces that could be the ground or the design: which to read, each
// surface listed with its name, description and the sections carrying it,
// the guess preselected; another alignment chosen preselects its own guess.

#include <QDialog>
#include <optional>

#include "survey_file/landxml_choice.h"

class QComboBox;

namespace window {

class LandXmlChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    // `read` outlives the dialog.
    explicit LandXmlChoiceDialog(const survey_file::LandXmlRead& read, QWidget* parent = nullptr);

    QComboBox* alignment() const { return alignment_; }
    QComboBox* ground() const { return ground_; }
    QComboBox* design() const { return design_; }
    // What the lists show chosen.
    survey_file::LandXmlChoice choice() const;

  private:
    void fillSurfaces(const survey_file::LandXmlChoice& preselected);
    const survey_file::LandXmlAlignment& shownAlignment() const;

    const survey_file::LandXmlContents& contents_;
    QComboBox* alignment_ = nullptr;
    QComboBox* ground_ = nullptr;
    QComboBox* design_ = nullptr;
};

// The choice to read the file with: asked when the file leaves one, else
// the guess it was read with. Nothing when the user cancels.
std::optional<survey_file::LandXmlChoice> askLandXmlChoice(QWidget* parent,
                                                           const survey_file::LandXmlRead& read);

}  // namespace window
