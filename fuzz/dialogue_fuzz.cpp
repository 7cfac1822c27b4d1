// SPDX-License-Identifier: GPL-3.0-or-later
// A whole calculation answered from the fuzzer's bytes: one answer a line, a
// line holding only the byte 0x18 (cancel) is a cancel, and cancels once the
// lines run out. No answer may crash or hang it, and an abandoned calculation
// must leave the record as it was.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "dialogue/run.h"

namespace {

class ByteAnswers : public section::UserInterface {
  public:
    explicit ByteAnswers(std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t end = bytes.find('\n');
            lines_.emplace_back(bytes.substr(0, end));
            if (end == std::string_view::npos) break;
            bytes.remove_prefix(end + 1);
        }
    }

    std::optional<std::string> ask(const section::Prompt&) override {
        // Bound the prompts so that a run of zeros at confirm prompts ends too.
        if (next_ >= lines_.size() || ++asked_ > 100000) return std::nullopt;
        const std::string& line = lines_[next_++];
        if (line == "\x18") return std::nullopt;
        return line;
    }
    void setText(section::TextBox, const std::string&) override {}
    void showError(const std::string&) override {}

  private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::size_t asked_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteAnswers ui(std::string_view(reinterpret_cast<const char*>(data), size));
    section::SectionSurvey record;
    record.resize(1);
    record.setStationAnswer("kept");
    const section::SectionSurvey before = record;
    if (section::runCalculation(ui, record) != section::CalculationEnd::Finished &&
        !(record == before))
        std::abort();
    return 0;
}
