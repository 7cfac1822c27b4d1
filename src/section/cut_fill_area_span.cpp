// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area_span.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace section {
namespace {

using runtime::ExactDecimal;
using runtime::Int128;

constexpr int kMostDecimals = 6;
constexpr std::int64_t kLargest = std::int64_t(1) << 40;  // keeps every product within 127 bits
constexpr long double kLongUnit = 0x1p-63L;               // a 64-bit mantissa's rounding, doubled

// A line read in increasing S as whole numbers of 10^-decimals.
struct WholeLine {
    std::vector<std::int64_t> s, h;

    // The value at x on segment k times the segment's width (10^-2P units).
    Int128 timesWidth(std::size_t k, std::int64_t x) const {
        return Int128(h[k]) * (s[k + 1] - x) + Int128(h[k + 1]) * (x - s[k]);
    }
    std::int64_t width(std::size_t k) const { return s[k + 1] - s[k]; }
};

std::optional<std::int64_t> whole(double value, int decimals) {
    const std::optional<std::int64_t> scaled = runtime::scaledDecimal(value, decimals);
    if (!scaled || *scaled >= kLargest || *scaled <= -kLargest) return std::nullopt;
    return scaled;
}

std::optional<WholeLine> wholeLine(const sweep::Ascending& line, int decimals) {
    WholeLine out;
    for (std::size_t k = 0; k < line.count; ++k) {
        const std::optional<std::int64_t> s = whole(line.s(k), decimals),
                                          h = whole(line.h(k), decimals);
        if (!s || !h) return std::nullopt;
        out.s.push_back(*s);
        out.h.push_back(*h);
    }
    return out;
}

// The fewest decimals all values of both lines have, at most six.
std::optional<int> commonDecimals(const sweep::Lines& lines) {
    int decimals = 0;
    for (const sweep::Ascending* line : {&lines.ground, &lines.design}) {
        for (std::size_t k = 0; k < line->count; ++k) {
            for (const double value : {line->s(k), line->h(k)}) {
                while (!runtime::scaledDecimal(value, decimals))
                    if (++decimals > kMostDecimals) return std::nullopt;
            }
        }
    }
    return decimals;
}

// A sum of whole numbers and of quotients with a bound on their error.
struct Sum {
    Int128 whole = 0;
    long double parts = 0.0L;
    long double error = 0.0L;

    void add(long double part, int operations) {
        parts += part;
        error += kLongUnit * (operations * std::fabs(part) + std::fabs(parts));
    }
};

// Twice a line's integral over strips handed on in increasing S, strips on
// one segment taken as one piece: a whole segment's is a whole number.
class WholeIntegral {
  public:
    WholeIntegral(const WholeLine& line, Sum& sum, int sign)
        : line_(line),
          sum_(sum),
          sign_(sign),
          pieces_([this](std::size_t k, std::int64_t from, std::int64_t to) { add(k, from, to); }) {
    }

    sweep::SegmentPieces<std::int64_t>& strips() { return pieces_; }

  private:
    void add(std::size_t k, std::int64_t from, std::int64_t to) {
        if (from == line_.s[k] && to == line_.s[k + 1]) {
            sum_.whole += sign_ * (Int128(line_.h[k]) + line_.h[k + 1]) * line_.width(k);
            return;
        }
        const Int128 numerator =
            (line_.timesWidth(k, from) + line_.timesWidth(k, to)) * (to - from);
        sum_.add(sign_ * static_cast<long double>(numerator) / line_.width(k), 3);
    }

    const WholeLine& line_;
    Sum& sum_;
    int sign_;
    sweep::SegmentPieces<std::int64_t> pieces_;
};

// Twice the area where F lies above zero over a strip from A to B on which
// it runs linearly from fa to fb, changing sign; widths the segments'
// widths' product (F is ground minus design times it, in 10^-3P units).
long double twiceAbove(Int128 fa, Int128 fb, std::int64_t a, std::int64_t b, Int128 widths) {
    const Int128 up = fa > 0 ? fa : fb;
    const Int128 across = fa > 0 ? fa - fb : fb - fa;
    const long double u = static_cast<long double>(up);
    return u * u * static_cast<long double>(b - a) /
           (static_cast<long double>(widths) * static_cast<long double>(across));
}

// Sum / 2 x 10^-2P as decimals either side of it.
DecimalSpan halfSpan(const Sum& sum, int decimals) {
    const double parts = static_cast<double>(sum.parts);
    // Widened by the error, the rounding to 64 bits and to a shortest decimal.
    // Nothing but whole numbers: the span is the exact value.
    const double margin =
        sum.error == 0.0L && sum.parts == 0.0L
            ? 0.0
            : static_cast<double>(2.0L * sum.error) + 4.0 * 0x1p-52 * std::abs(parts) + 1e-300;
    const ExactDecimal whole = ExactDecimal::scaled(sum.whole, 0);
    const ExactDecimal unit = ExactDecimal::scaled(1, -2 * decimals);
    return {((whole + ExactDecimal::of(parts - margin)) * unit).half(),
            ((whole + ExactDecimal::of(parts + margin)) * unit).half()};
}

}  // namespace

std::optional<AreaSpans> cutFillAreaSpans(const sweep::Lines& lines) {
    const std::optional<int> decimals = commonDecimals(lines);
    if (!decimals) return std::nullopt;
    const std::optional<WholeLine> ground = wholeLine(lines.ground, *decimals);
    const std::optional<WholeLine> design = wholeLine(lines.design, *decimals);
    if (!ground || !design) return std::nullopt;
    Sum cut, fill;
    WholeIntegral groundAbove(*ground, cut, 1), designAbove(*design, cut, -1);
    WholeIntegral groundBelow(*ground, fill, -1), designBelow(*design, fill, 1);
    sweep::forEachSegmentPair(
        lines, [&](double aValue, double bValue, std::size_t i, std::size_t j) {
            const std::int64_t a = *runtime::scaledDecimal(aValue, *decimals);
            const std::int64_t b = *runtime::scaledDecimal(bValue, *decimals);
            const auto difference = [&](std::int64_t x) {
                return design->width(j) * ground->timesWidth(i, x) -
                       ground->width(i) * design->timesWidth(j, x);
            };
            const Int128 fa = difference(a), fb = difference(b);
            if (fa >= 0 && fb >= 0) {
                groundAbove.strips().add(i, a, b);
                designAbove.strips().add(j, a, b);
            } else if (fa <= 0 && fb <= 0) {
                groundBelow.strips().add(i, a, b);
                designBelow.strips().add(j, a, b);
            } else {
                const Int128 widths = Int128(ground->width(i)) * design->width(j);
                cut.add(twiceAbove(fa, fb, a, b, widths), 8);
                fill.add(twiceAbove(-fa, -fb, a, b, widths), 8);
            }
        });
    for (WholeIntegral* integral : {&groundAbove, &designAbove, &groundBelow, &designBelow})
        integral->strips().close();
    return AreaSpans{halfSpan(cut, *decimals), halfSpan(fill, *decimals)};
}

}  // namespace section
