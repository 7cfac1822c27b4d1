// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The form on its own, without the main window: it brings the document and
// the printing the window would own, made before the form and gone after it.

#include "document/survey_document.h"
#include "window/printing/printing.h"
#include "window/views/main_form.h"

namespace lone_form {

struct Parts {
    document::SurveyDocument document;
    window::Printing printing{nullptr};
};

}  // namespace lone_form

class LoneForm : private lone_form::Parts, public window::MainForm {
  public:
    LoneForm() : window::MainForm(Parts::document, Parts::printing) {}
    window::Printing& printing() { return Parts::printing; }
};
