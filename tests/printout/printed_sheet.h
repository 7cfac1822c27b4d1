#pragma once
// A printer double that keeps every call, so tests can compare the sheet item
// by item.

#include <ostream>
#include <string>
#include <vector>

#include "printout/print_device.h"
#include "runtime/number_text.h"

namespace printout {

// Readable items in failure messages.
inline std::ostream& operator<<(std::ostream& out, const ColumnStop& stop) {
    return out << "ColumnStop{" << stop.column << "}";
}
inline std::ostream& operator<<(std::ostream& out, const Text& text) {
    return out << "Text{\"" << text.text << "\"}";
}
inline std::ostream& operator<<(std::ostream& out, const Number& number) {
    return out << "Number{" << number.value << "}";
}

class RecordingPrinter : public PrintDevice {
  public:
    // Every call in order: "pageStart 1500 1000", "font 宋体", "size 12",
    // "line", "end".
    std::vector<std::string> calls;
    std::vector<PrintLine> lines;

    void setPageStart(double acrossTwips, double downTwips) override {
        calls.push_back("pageStart " + number(acrossTwips) + " " + number(downTwips));
    }
    void setFontName(const std::string& name) override { calls.push_back("font " + name); }
    void setFontSize(double points) override { calls.push_back("size " + number(points)); }
    void printLine(const PrintLine& items) override {
        calls.push_back("line");
        lines.push_back(items);
    }
    void endDocument() override { calls.push_back("end"); }

  private:
    static std::string number(double value) {
        return runtime::numberToText(static_cast<float>(value));
    }
};

}  // namespace printout
