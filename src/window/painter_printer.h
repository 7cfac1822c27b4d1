#pragma once
// The print device of the calculation sheet on a real printer: QPainter on a
// QPrinter, the text set in character columns of the current font.

#include <QFont>
#include <QPainter>

#include "printout/print_device.h"

class QPrinter;

namespace window {

class PainterPrinter : public printout::PrintDevice {
  public:
    explicit PainterPrinter(QPrinter& printer);

    // Opens the print job; false when the printer cannot start it.
    bool begin();
    // True once endDocument() has handed the job to the printer.
    bool handedOver() const { return handedOver_; }

    void setPageStart(double acrossTwips, double downTwips) override;
    void setFontName(const std::string& name) override;
    void setFontSize(double points) override;
    void printLine(const printout::PrintLine& items) override;
    void endDocument() override;

  private:
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    double lineTop_ = 0;  // device pixels below the top of the printable area
    bool handedOver_ = false;
};

}  // namespace window
