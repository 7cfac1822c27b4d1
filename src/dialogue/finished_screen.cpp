// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogue/finished_screen.h"

#include "dialogue/box_texts.h"
#include "dialogue/results.h"
#include "dialogue/user_interface.h"

namespace section {

namespace {

// Keeps the last text of each box.
class BoxRecorder : public UserInterface {
  public:
    std::optional<std::string> ask(const Prompt&) override { return std::string(); }
    void setText(TextBox box, const std::string& text) override {
        texts_[static_cast<std::size_t>(box) - 1] = text;
    }
    void showError(const std::string&) override {}

    const BoxTexts& texts() const { return texts_; }

  private:
    BoxTexts texts_;
};

// The last section with points, or 0.
int lastSectionWithPoints(const SectionSurvey& survey) {
    for (int i = survey.sectionCount(); i >= 1; --i) {
        if (survey.pointCounts(i) >= 1) return i;
    }
    return 0;
}

}  // namespace

BoxTexts finishedScreen(const SectionSurvey& survey) {
    BoxRecorder boxes;
    const int n = survey.sectionCount();
    boxes.setText(TextBox::Text1, sectionCountText(n));
    // The last section's point entry, then its last point accepted (the
    // boxes as the entry's sizing step left them when no section has one).
    boxes.setText(TextBox::Text2, currentSectionText(survey, n));
    boxes.setText(TextBox::Text11, sectionOrdinalText(n));
    boxes.setText(TextBox::Text12, pointCountText(survey, n));
    boxes.setText(TextBox::Text4, " ");
    boxes.setText(TextBox::Text5, "");
    if (const int i = lastSectionWithPoints(survey); i > 0) {
        const int j = survey.pointCounts(i);
        boxes.setText(TextBox::Text3, pointNumberText(j));
        showMetres(boxes, TextBox::Text4, " ", survey.elevations(i, j));
        showMetres(boxes, TextBox::Text5, " ", survey.offsets(i, j));
    }
    // Typed spacings: the last pair's prompt; its Text8 the results overwrite.
    if (!survey.stationsEntered() && n >= 2) boxes.setText(TextBox::Text11, spacingPairText(n - 1));
    showLastResults(boxes, survey);
    return boxes.texts();
}

std::optional<BoxTexts> finishedScreen(const Survey& survey) {
    const SectionSurvey* closed = survey.closedOutline();
    if (!closed || closed->sectionCount() == 0) return std::nullopt;
    return finishedScreen(*closed);
}

}  // namespace section
