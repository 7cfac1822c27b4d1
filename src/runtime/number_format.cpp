// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_format.h"

#include <cmath>

#include "runtime/shortest_decimal.h"

namespace runtime {
namespace {

// A value as the thousandths it holds, after rounding its shortest decimal form
// to three decimals: digits (no sign, at least one) and the sign.
struct Thousandths {
    bool negative = false;
    std::string digits;
};

enum class Halves { AwayFromZero, ToEven };

Thousandths toThousandths(const DecimalDigits& decimal, Halves halves) {
    const std::string& mantissa = decimal.digits;
    const int exponent = decimal.exponent;
    Thousandths result;
    result.negative = decimal.negative;

    // value = d0.d1d2... x 10^exponent, so its thousandths have exponent + 4
    // integer digits: the first `kept` digits of the mantissa, padded with zeros.
    const int count = static_cast<int>(mantissa.size());
    const int kept = exponent + 4;
    if (kept >= count) {
        result.digits = mantissa + std::string(kept - count, '0');
        return result;
    }
    std::string digits = kept > 0 ? mantissa.substr(0, kept) : std::string();
    bool roundUp = false;
    if (kept >= 0) {
        const char first = mantissa[kept];
        const bool restNonZero = mantissa.find_first_not_of('0', kept + 1) != std::string::npos;
        if (halves == Halves::AwayFromZero) {
            roundUp = first >= '5';
        } else {
            const bool lastOdd = !digits.empty() && (digits.back() - '0') % 2 == 1;
            roundUp = first > '5' || (first == '5' && (restNonZero || lastOdd));
        }
    }
    if (digits.empty()) digits = "0";
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i];
        }
    }
    result.digits = digits;
    return result;
}

bool isZero(const Thousandths& t) {
    return t.digits.find_first_not_of('0') == std::string::npos;
}

std::string toText(const Thousandths& t, int minIntegerDigits) {
    std::string digits = t.digits;
    const std::size_t minDigits = static_cast<std::size_t>(minIntegerDigits) + 3;
    if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    std::string text = (t.negative && !isZero(t)) ? "-" : "";
    text += digits.substr(0, digits.size() - 3);
    text += '.';
    text += digits.substr(digits.size() - 3);
    return text;
}

}  // namespace

std::string formatFixed3(double value, int minIntegerDigits) {
    if (!std::isfinite(value)) return value > 0 ? "inf" : (value < 0 ? "-inf" : "nan");
    if (value == 0.0) return toText(Thousandths{false, "0"}, minIntegerDigits);
    return formatFixed3(shortestDecimal(value), minIntegerDigits);
}

std::string formatFixed3(const DecimalDigits& value, int minIntegerDigits) {
    return toText(toThousandths(value, Halves::AwayFromZero), minIntegerDigits);
}

std::string roundedFixed3(const DecimalDigits& value) {
    return toText(toThousandths(value, Halves::ToEven), 1);
}

double truncate(double value) {
    return std::trunc(value);
}

}  // namespace runtime
