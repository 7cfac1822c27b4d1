// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a DXF file as it is written: group codes and values, CR LF
// line ends as CAD programs write them, numbers in the shortest form that
// reads back the same, and the handles (hexadecimal, counted up) that R2000
// and later give every table, record, entity and object.

#include <string>

#include "printout/drawing.h"

namespace survey_file {

class DxfText {
  public:
    void tag(int code, const std::string& value);
    void number(int code, double value);
    void integer(int code, long long value);
    // x, y and z = 0 under `code`, `code` + 10 and `code` + 20.
    void point(int code, printout::DrawPoint at);

    // A new handle.
    std::string handle();
    // The next handle not yet given, for $HANDSEED.
    std::string seed() const;

    const std::string& text() const { return out_; }

  private:
    std::string out_;
    unsigned long long next_ = 0x20;
};

}  // namespace survey_file
