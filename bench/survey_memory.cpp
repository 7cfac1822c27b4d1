// SPDX-License-Identifier: GPL-3.0-or-later
// Peak heap memory of a whole calculation of 1,000 three-point sections plus
// one 30,000-point section, against the bytes of the points themselves
// (elevation and distance, 8 bytes each). Run: tools/bench

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "dialogue/run.h"

namespace {

std::atomic<std::size_t> current{0};
std::atomic<std::size_t> peak{0};

void* allocate(std::size_t size) {
    // Room in front of the block for its size, kept 16-byte aligned.
    auto* block = static_cast<std::size_t*>(std::malloc(size + 16));
    if (!block) throw std::bad_alloc();
    *block = size;
    const std::size_t now = current += size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return reinterpret_cast<char*>(block) + 16;
}

void release(void* p) {
    if (!p) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16);
    current -= *block;
    std::free(block);
}

constexpr int kSmallSections = 1000;
constexpr int kLargePoints = 30000;

// Answers every prompt of the calculation without keeping a script in memory.
class GeneratedAnswers : public section::UserInterface {
  public:
    std::optional<std::string> ask(const section::Prompt& prompt) override {
        using enum section::PromptKind;
        switch (prompt.kind) {
            case SectionCount:
                return std::to_string(kSmallSections + 1);
            case StationQuestion:
                return "n";
            case PointCount:
                return prompt.section == kSmallSections + 1 ? std::to_string(kLargePoints) : "3";
            case Elevation:
                return "100." + std::to_string(++point_ % 7);
            case Distance:
                return std::to_string(point_ % 11 - 5);
            case Spacing:
                return "20";
            default:
                return "";  // confirm and pause prompts
        }
    }
    void setText(section::TextBox, const std::string&) override {}
    void showError(const std::string& message) override {
        std::printf("error: %s\n", message.c_str());
    }

  private:
    int point_ = 0;
};

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}

int main() {
    GeneratedAnswers ui;
    section::SectionSurvey record;
    const std::size_t before = current.load();
    peak = before;
    const section::CalculationEnd end = section::runCalculation(ui, record);
    const std::size_t points = kSmallSections * 3 + kLargePoints;
    const double pointBytes = static_cast<double>(points) * 2 * sizeof(double);
    const double peakBytes = static_cast<double>(peak.load() - before);
    std::printf("calculation %s\n",
                end == section::CalculationEnd::Finished ? "finished" : "FAILED");
    std::printf("points: %zu, their bytes: %.0f\n", points, pointBytes);
    std::printf("record held afterwards: %zu bytes (%.2fx the points)\n", record.heldBytes(),
                record.heldBytes() / pointBytes);
    std::printf("peak heap during the calculation: %.0f bytes (%.2fx the points)\n", peakBytes,
                peakBytes / pointBytes);
    return end == section::CalculationEnd::Finished && peakBytes < 2 * pointBytes ? 0 : 1;
}
