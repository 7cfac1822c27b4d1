#pragma once
// What the calculation sheet needs from a printer. The Qt printer in the window
// layer implements it for real; tests record the calls.

#include <string>

#include "printout/print_item.h"

namespace printout {

class PrintDevice {
  public:
    virtual ~PrintDevice() = default;

    // Where the first line starts, in twips (1/1440 inch) from the top left of
    // the printable area.
    virtual void setPageStart(double acrossTwips, double downTwips) = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(double points) = 0;
    // Prints one line of items and moves to the next line (the layout of
    // line_layout.h decides how many lines the items take).
    virtual void printLine(const PrintLine& items) = 0;
    // Closes the job and hands the sheet to the printer.
    virtual void endDocument() = 0;
};

}  // namespace printout
