// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/step_journal.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "survey_file/road_design_file.h"

namespace survey_file {

namespace {

using section::CutFillSection;
using section::Point;

constexpr char kClosed = 'C';
constexpr char kCutFill = 'F';
constexpr char kDesign = 'D';
// More sections than any survey holds: a count beyond it is damage.
constexpr long long kMostSections = 10'000'000;
// A closed outline holds its point count in 16 bits; a cut-and-fill line has
// no limit of its own.
constexpr long long kMostClosedPoints = std::numeric_limits<std::int16_t>::max();
constexpr long long kLongestLine = std::numeric_limits<long long>::max();

std::uint64_t checksum(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

template <class Number>
void put(std::string& out, Number value) {
    char text[32];
    out += ' ';
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void putLine(std::string& out, const std::vector<Point>& line) {
    put(out, line.size());
    for (const Point& point : line) {
        put(out, point.elevation);
        put(out, point.offset);
    }
}

// A text as its length and its bytes, " 2:ZK", so that any byte may stand in it.
void putText(std::string& out, std::string_view text) {
    put(out, text.size());
    out += ':';
    out += text;
}

// A section's letters and its lines' codes (section/cut_fill_survey.h).
void putTexts(std::string& out, const CutFillSection& section, bool design) {
    putText(out, section.stationPrefix);
    for (const auto* codes : {&section.groundCodes, &section.designCodes}) {
        if (codes == &section.designCodes && !design) break;
        put(out, codes->size());
        for (const std::string& code : *codes) putText(out, code);
    }
}

std::string finished(std::string line) {
    char text[17];
    const std::uint64_t sum = checksum(line);
    line += " #";
    line.append(text, std::to_chars(text, text + sizeof text, sum, 16).ptr);
    line += '\n';
    return line;
}

std::string head(char kind, int count, int from, int to) {
    std::string line(1, kind);
    put(line, count);
    put(line, from);
    put(line, to);
    return line;
}

// The numbers of a record, each after one blank; any fault sticks.
class Numbers {
  public:
    explicit Numbers(std::string_view text) : rest_(text) {}
    bool whole() const { return ok_ && rest_.empty(); }
    bool failed() const { return !ok_; }

    template <class Number>
    Number next() {
        Number value{};
        if (!ok_ || rest_.empty() || rest_.front() != ' ') return fail(value);
        rest_.remove_prefix(1);
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (error != std::errc{}) return fail(value);
        rest_.remove_prefix(std::size_t(end - rest_.data()));
        return value;
    }
    long long count(long long largest) {
        const long long value = next<long long>();
        return value < 0 || value > largest ? fail(0LL) : value;
    }
    // A line as long as the survey allows; a count the rest of the record
    // cannot hold (each point takes at least " 0 0") is damage, never a
    // reason to allocate.
    std::vector<Point> line(long long largest) {
        const long long room = static_cast<long long>(rest_.size() / 4);
        std::vector<Point> points(std::size_t(count(std::min(largest, room))));
        for (Point& point : points) {
            point.elevation = next<double>();
            point.offset = next<double>();
        }
        return points;
    }
    std::string text() {
        const std::size_t size = std::size_t(count(static_cast<long long>(rest_.size())));
        if (!ok_ || rest_.size() < size + 1 || rest_.front() != ':') return fail(std::string());
        std::string value(rest_.substr(1, size));
        rest_.remove_prefix(size + 1);
        return value;
    }
    std::vector<std::string> texts() {
        // Each text takes at least " 0:".
        std::vector<std::string> values(
            std::size_t(count(static_cast<long long>(rest_.size() / 3))));
        for (std::string& value : values) value = text();
        return values;
    }

  private:
    template <class Number>
    Number fail(Number value) {
        ok_ = false;
        rest_ = {};
        return value;
    }
    std::string_view rest_;
    bool ok_ = true;
};

// The body of a whole record with a checksum that holds, else nothing.
std::optional<std::string_view> checked(std::string_view line) {
    const std::size_t mark = line.rfind(" #");
    if (mark == std::string_view::npos) return std::nullopt;
    std::uint64_t sum = 0;
    const std::string_view given = line.substr(mark + 2);
    const auto [end, error] = std::from_chars(given.data(), given.data() + given.size(), sum, 16);
    if (error != std::errc{} || end != given.data() + given.size()) return std::nullopt;
    if (sum != checksum(line.substr(0, mark))) return std::nullopt;
    return line.substr(0, mark);
}

// The sections a record sets, from..to, and the count it leaves.
struct Head {
    long long count = 0, from = 0, to = 0;
};

std::optional<Head> readHead(Numbers& numbers) {
    Head head;
    head.count = numbers.count(kMostSections);
    head.from = numbers.count(head.count + 1);
    head.to = numbers.count(head.count);
    // The count is not held against the survey's: replayed on a copy that
    // already holds it, a record may find another count, which a later
    // record then sets right.
    if (head.from < 1 || head.to < head.from - 1) return std::nullopt;
    return head;
}

// What a record that does not replay says it held, if its head still reads.
std::optional<Head> lostHead(char kind, std::string_view line) {
    if (line.empty() || line.front() != kind) return std::nullopt;
    Numbers numbers(line.substr(1));
    const std::optional<Head> head = readHead(numbers);
    // A head cut short by a kill may have lost digits: it must go on.
    return numbers.failed() || numbers.whole() ? std::nullopt : head;
}

std::optional<Head> apply(std::vector<CutFillSection>& sections, char kind, std::string_view line) {
    const std::optional<std::string_view> body = checked(line);
    if (!body || body->empty() || body->front() != kind) return std::nullopt;
    Numbers numbers(body->substr(1));
    const std::optional<Head> head = readHead(numbers);
    if (!head) return std::nullopt;
    std::vector<CutFillSection> taken(std::size_t(head->to - head->from + 1));
    for (CutFillSection& section : taken) {
        section.station = numbers.next<double>();
        section.spacing = numbers.next<double>();
        section.ground = numbers.line(kind == kCutFill ? kLongestLine : kMostClosedPoints);
        if (kind == kCutFill) section.design = numbers.line(kLongestLine);
        section.stationPrefix = numbers.text();
        section.groundCodes = numbers.texts();
        if (kind == kCutFill) section.designCodes = numbers.texts();
    }
    if (!numbers.whole()) return std::nullopt;
    sections.resize(std::size_t(head->count));
    std::ranges::move(taken, sections.begin() + (head->from - 1));
    return head;
}

// Which sections are still as before a lost step. After a step whose head is
// lost too, any section not written again is.
class Staleness {
  public:
    void written(const Head& head) {
        marks_.resize(std::size_t(head.count), unknown_);
        std::fill(marks_.begin() + (head.from - 1), marks_.begin() + head.to, false);
    }
    void lost(const std::optional<Head>& head) {
        if (!head) {
            unknown_ = true;
            std::fill(marks_.begin(), marks_.end(), true);
            return;
        }
        if (marks_.size() < std::size_t(head->to)) marks_.resize(std::size_t(head->to), unknown_);
        std::fill(marks_.begin() + (head->from - 1), marks_.begin() + head->to, true);
    }
    std::vector<int> sections(std::size_t count) {
        marks_.resize(count, unknown_);
        std::vector<int> stale;
        for (std::size_t i = 0; i < count; ++i)
            if (marks_[i]) stale.push_back(int(i) + 1);
        return stale;
    }

  private:
    std::vector<bool> marks_;
    bool unknown_ = false;
};

// The design a whole design record holds, else nothing.
std::optional<section::RoadDesign> designOf(std::string_view line) {
    const std::optional<std::string_view> body = checked(line);
    if (!body || !body->starts_with(std::string{kDesign, ' '})) return std::nullopt;
    std::string text;
    for (std::size_t k = 2; k < body->size(); ++k) {
        if ((*body)[k] != '\\' || k + 1 == body->size()) {
            text += (*body)[k];
            continue;
        }
        const char escaped = (*body)[++k];
        text += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped;
    }
    return readRoadDesign(text).design;
}

StepReplay replay(std::vector<CutFillSection>& sections, char kind, std::string_view records) {
    StepReplay replayed;
    Staleness staleness;
    for (int record = 1; !records.empty(); ++record) {
        const std::size_t end = records.find('\n');
        const std::string_view line = records.substr(0, end);
        records.remove_prefix(end == std::string_view::npos ? records.size() : end + 1);
        if (line.starts_with(kDesign)) {
            // The sections are as they were: only the design is lost when it does not read.
            std::optional<section::RoadDesign> design;
            if (end != std::string_view::npos) design = designOf(line);
            if (design) {
                replayed.design = std::move(design);
                ++replayed.steps;
            } else {
                replayed.torn = end == std::string_view::npos;
                replayed.lost.push_back(record);
            }
            continue;
        }
        const std::optional<Head> head =
            end == std::string_view::npos ? std::nullopt : apply(sections, kind, line);
        if (head) {
            staleness.written(*head);
            ++replayed.steps;
            continue;
        }
        replayed.torn = end == std::string_view::npos;
        replayed.lost.push_back(record);
        staleness.lost(lostHead(kind, line));
    }
    replayed.stale = staleness.sections(sections.size());
    return replayed;
}

// A closed outline's entered values in the shape of a cut-and-fill survey's,
// its points as the ground line.
std::vector<CutFillSection> entered(const section::SectionSurvey& survey) {
    std::vector<CutFillSection> sections(std::size_t(survey.sectionCount()));
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        CutFillSection& section = sections[std::size_t(i - 1)];
        section.station = survey.stations(i);
        section.stationPrefix = survey.stationPrefix(i);
        section.spacing = survey.spacings(i);
        for (int j = 1; j <= survey.pointCounts(i); ++j)
            section.ground.push_back({survey.elevations(i, j), survey.offsets(i, j)});
    }
    return sections;
}

void take(section::SectionSurvey& survey, const std::vector<CutFillSection>& sections) {
    std::string answer = survey.stationAnswer();
    const section::VolumeMethod method = survey.volumeMethod();
    const int n = static_cast<int>(sections.size());
    survey.resize(n);
    survey.setStationAnswer(std::move(answer));
    survey.setVolumeMethod(method);
    std::vector<double> elevations, offsets;
    for (int i = 1; i <= n; ++i) {
        const CutFillSection& section = sections[std::size_t(i - 1)];
        survey.setStation(i, section.station);
        survey.setStationPrefix(i, section.stationPrefix);
        if (i < n) survey.setSpacing(i, section.spacing);
        survey.setPointCount(i, static_cast<std::int16_t>(section.ground.size()));
        for (const Point& point : section.ground) {
            elevations.push_back(point.elevation);
            offsets.push_back(point.offset);
        }
    }
    survey.takePoints(std::move(elevations), std::move(offsets));
}

}  // namespace

std::string stepRecord(const section::SectionSurvey& survey, int from, int to) {
    std::string line = head(kClosed, survey.sectionCount(), from, to);
    for (int i = from; i <= to; ++i) {
        put(line, survey.stations(i));
        put(line, survey.spacings(i));
        const int count = std::max<int>(survey.pointCounts(i), 0);
        put(line, count);
        for (int j = 1; j <= count; ++j) {
            put(line, survey.elevations(i, j));
            put(line, survey.offsets(i, j));
        }
        putTexts(line, {.stationPrefix = survey.stationPrefix(i)}, false);
    }
    return finished(std::move(line));
}

std::string stepRecord(const section::CutFillSurvey& survey, int from, int to) {
    std::string line = head(kCutFill, survey.sectionCount(), from, to);
    for (int i = from; i <= to; ++i) {
        const CutFillSection& section = survey.sections[std::size_t(i - 1)];
        put(line, section.station);
        put(line, section.spacing);
        putLine(line, section.ground);
        // A generated design line is the road design's, which the whole
        // copy carries: recorded empty, it is put on the ground again.
        putLine(line, section.designGenerated ? std::vector<section::Point>{} : section.design);
        putTexts(line, section, true);
    }
    return finished(std::move(line));
}

StepReplay replaySteps(section::SectionSurvey& survey, std::string_view records) {
    std::vector<CutFillSection> sections = entered(survey);
    const StepReplay replayed = replay(sections, kClosed, records);
    if (replayed.steps > 0) take(survey, sections);
    return replayed;
}

StepReplay replaySteps(section::CutFillSurvey& survey, std::string_view records) {
    return replay(survey.sections, kCutFill, records);
}

StepReplay replaySteps(section::Survey& survey, std::string_view records) {
    StepReplay replayed =
        survey.visit([records](auto& record) { return replaySteps(record, records); });
    // A design record was written from a design in use: one that does not
    // fit together all the same is not taken.
    if (replayed.design && survey.setRoadDesign(*replayed.design)) replayed.design.reset();
    return replayed;
}

std::string designRecord(const section::RoadDesign& design) {
    std::string line(1, kDesign);
    line += ' ';
    for (const char c : roadDesignTables(design)) {
        if (c == '\n' || c == '\r' || c == '\\') line += '\\';
        line += c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    }
    return finished(std::move(line));
}

std::string stepRecord(const section::Survey& survey, int from, int to) {
    return survey.visit([=](const auto& record) { return stepRecord(record, from, to); });
}

}  // namespace survey_file
