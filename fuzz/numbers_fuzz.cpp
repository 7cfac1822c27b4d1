// SPDX-License-Identifier: GPL-3.0-or-later
// Any typed text through the number rules: no crash, and every accepted value
// survives its way back through text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    runtime::textToInt16(text);
    runtime::readNumber(text);
    const std::optional<double> value = runtime::textToValue(text);
    if (!value) return 0;
    check(runtime::inValueRange(*value));
    check(runtime::textToValue(runtime::numberToText(*value)) == *value);

    const std::optional<double> formatted = runtime::readNumber(runtime::formatFixed3(*value));
    check(formatted.has_value());
    check(std::abs(*formatted - *value) <= 0.0005 + std::abs(*value) * 1e-15);
    const std::optional<double> padded = runtime::readNumber(runtime::formatFixed3(*value, 3));
    check(padded == formatted);

    if (*value != 0.0) {
        const std::optional<double> rounded =
            runtime::readNumber(runtime::roundedFixed3(runtime::shortestDecimal(*value)));
        check(rounded && std::abs(*rounded - *value) <= 0.0005 + std::abs(*value) * 1e-15);
    }
    return 0;
}
