// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <string>

namespace runtime {
namespace {

using Magnitude = std::vector<std::uint32_t>;
__extension__ using UInt128 = unsigned __int128;

void trim(Magnitude& m) {
    while (!m.empty() && m.back() == 0) m.pop_back();
}

// m <- m x factor + carry
void multiplyAdd(Magnitude& m, std::uint32_t factor, std::uint32_t carry) {
    std::uint64_t c = carry;
    for (std::uint32_t& limb : m) {
        c += std::uint64_t(limb) * factor;
        limb = static_cast<std::uint32_t>(c);
        c >>= 32;
    }
    if (c != 0) m.push_back(static_cast<std::uint32_t>(c));
}

int compare(const Magnitude& a, const Magnitude& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t k = a.size(); k-- > 0;) {
        if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
    }
    return 0;
}

Magnitude add(const Magnitude& a, const Magnitude& b) {
    Magnitude out(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t k = 0; k + 1 < out.size(); ++k) {
        carry += std::uint64_t(k < a.size() ? a[k] : 0) + (k < b.size() ? b[k] : 0);
        out[k] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    out.back() = static_cast<std::uint32_t>(carry);
    trim(out);
    return out;
}

// a - b for a >= b.
Magnitude subtract(const Magnitude& a, const Magnitude& b) {
    Magnitude out(a.size(), 0);
    std::int64_t borrow = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        std::int64_t d = std::int64_t(a[k]) - (k < b.size() ? b[k] : 0) - borrow;
        borrow = d < 0 ? 1 : 0;
        out[k] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    trim(out);
    return out;
}

Magnitude multiply(const Magnitude& a, const Magnitude& b) {
    if (a.empty() || b.empty()) return {};
    Magnitude out(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            carry += std::uint64_t(a[i]) * b[j] + out[i + j];
            out[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        out[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    trim(out);
    return out;
}

int bitLength(const Magnitude& m) {
    return m.empty() ? 0 : 32 * int(m.size() - 1) + std::bit_width(m.back());
}

Magnitude shiftedLeft(const Magnitude& m, int bits) {
    Magnitude out(std::size_t(bits / 32), 0);
    out.insert(out.end(), m.begin(), m.end());
    if (bits % 32 != 0) multiplyAdd(out, std::uint32_t(1) << (bits % 32), 0);
    return out;
}

void halve(Magnitude& m) {
    for (std::size_t k = 0; k < m.size(); ++k)
        m[k] = (m[k] >> 1) | (k + 1 < m.size() ? m[k + 1] << 31 : 0);
    trim(m);
}

// n / d for d not zero, bit by bit: as many steps as the quotient has bits.
// n is left as the remainder.
Magnitude divide(Magnitude& n, const Magnitude& d) {
    const int shift = bitLength(n) - bitLength(d);
    if (shift < 0) return {};
    Magnitude q(std::size_t(shift / 32 + 1), 0);
    Magnitude step = shiftedLeft(d, shift);
    for (int bit = shift; bit >= 0; --bit) {
        if (compare(n, step) >= 0) {
            n = subtract(n, step);
            q[std::size_t(bit / 32)] |= std::uint32_t(1) << (bit % 32);
        }
        halve(step);
    }
    trim(q);
    return q;
}

// Decimal digits of m, "0" for zero.
std::string decimalText(Magnitude m) {
    std::string chunks;
    while (!m.empty()) {
        std::uint64_t rest = 0;
        for (std::size_t k = m.size(); k-- > 0;) {
            rest = (rest << 32) | m[k];
            m[k] = static_cast<std::uint32_t>(rest / 1'000'000'000);
            rest %= 1'000'000'000;
        }
        trim(m);
        std::string chunk = std::to_string(rest);
        if (!m.empty()) chunk.insert(0, 9 - chunk.size(), '0');
        chunks.insert(0, chunk);
    }
    return chunks.empty() ? "0" : chunks;
}

}  // namespace

ExactDecimal ExactDecimal::scaled(Int128 mantissa, int exponent) {
    ExactDecimal out;
    out.negative_ = mantissa < 0;
    auto magnitude = static_cast<UInt128>(out.negative_ ? -mantissa : mantissa);
    while (magnitude != 0) {
        out.magnitude_.push_back(static_cast<std::uint32_t>(magnitude));
        magnitude >>= 32;
    }
    out.exponent_ = exponent;
    return out;
}

ExactDecimal ExactDecimal::of(double value) {
    ExactDecimal out;
    if (value == 0.0) return out;
    const DecimalDigits d = shortestDecimal(value);
    out.negative_ = d.negative;
    for (char c : d.digits) multiplyAdd(out.magnitude_, 10, static_cast<std::uint32_t>(c - '0'));
    trim(out.magnitude_);
    out.exponent_ = d.exponent - static_cast<int>(d.digits.size()) + 1;
    return out;
}

ExactDecimal::Magnitude ExactDecimal::scaledTo(int exponent) const {
    Magnitude m = magnitude_;
    for (int k = exponent_ - exponent; k > 0; k -= 9) {
        static constexpr std::uint32_t kPowers[] = {
            1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};
        multiplyAdd(m, kPowers[std::min(k, 9)], 0);
    }
    return m;
}

ExactDecimal ExactDecimal::sum(const ExactDecimal& a, const ExactDecimal& b, bool negateB) {
    if (b.isZero()) return a;
    const bool bNegative = b.negative_ != negateB;
    if (a.isZero()) {
        ExactDecimal out = b;
        out.negative_ = bNegative;
        return out;
    }
    ExactDecimal out;
    out.exponent_ = std::min(a.exponent_, b.exponent_);
    const Magnitude x = a.scaledTo(out.exponent_);
    const Magnitude y = b.scaledTo(out.exponent_);
    if (a.negative_ == bNegative) {
        out.magnitude_ = add(x, y);
        out.negative_ = a.negative_;
    } else if (compare(x, y) >= 0) {
        out.magnitude_ = subtract(x, y);
        out.negative_ = a.negative_;
    } else {
        out.magnitude_ = subtract(y, x);
        out.negative_ = bNegative;
    }
    if (out.isZero()) out.negative_ = false;
    return out;
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
    return ExactDecimal::sum(a, b, false);
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) {
    return ExactDecimal::sum(a, b, true);
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
    ExactDecimal out;
    out.magnitude_ = multiply(a.magnitude_, b.magnitude_);
    if (out.isZero()) return out;
    out.negative_ = a.negative_ != b.negative_;
    out.exponent_ = a.exponent_ + b.exponent_;
    return out;
}

ExactDecimal ExactDecimal::half() const {
    ExactDecimal out = *this;
    multiplyAdd(out.magnitude_, 5, 0);
    --out.exponent_;
    return out;
}

ExactDecimal ExactDecimal::quotient(const ExactDecimal& a, const ExactDecimal& b, int exponent,
                                    bool& rest) {
    // a / b / 10^exponent = (ma x 10^k) / mb for k = ea - eb - exponent.
    const int k = a.exponent_ - b.exponent_ - exponent;
    Magnitude n = k >= 0 ? a.scaledTo(a.exponent_ - k) : a.magnitude_;
    const Magnitude d = k >= 0 ? b.magnitude_ : b.scaledTo(b.exponent_ + k);
    ExactDecimal out;
    out.magnitude_ = divide(n, d);
    out.exponent_ = exponent;
    out.negative_ = !out.isZero() && a.negative_ != b.negative_;
    rest = !n.empty();
    return out;
}

DecimalDigits ExactDecimal::digits() const {
    DecimalDigits d;
    d.negative = negative_;
    d.digits = decimalText(magnitude_);
    d.exponent = isZero() ? 0 : exponent_ + static_cast<int>(d.digits.size()) - 1;
    return d;
}

double ExactDecimal::nearest() const {
    if (isZero()) return 0.0;
    const std::string text =
        (negative_ ? "-" : "") + decimalText(magnitude_) + "e" + std::to_string(exponent_);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace runtime
