// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/dxf_tags.h"

#include <cstdio>

#include "runtime/number_text.h"

namespace survey_file {

namespace {

std::string hexadecimal(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%llX", value);
    return text;
}

}  // namespace

void DxfText::tag(int code, const std::string& value) {
    char group[8];
    std::snprintf(group, sizeof group, "%3d", code);
    out_ += group;
    out_ += "\r\n" + value + "\r\n";
}

void DxfText::number(int code, double value) {
    tag(code, runtime::numberToText(value));
}

void DxfText::integer(int code, long long value) {
    tag(code, std::to_string(value));
}

void DxfText::point(int code, printout::DrawPoint at) {
    number(code, at.x);
    number(code + 10, at.y);
    number(code + 20, 0.0);
}

std::string DxfText::handle() {
    return hexadecimal(next_++);
}

std::string DxfText::seed() const {
    return hexadecimal(next_);
}

}  // namespace survey_file
