#include "window/sheet_printer.h"

namespace window {

QString printSheet(const section::SectionSurvey&) {
    return QStringLiteral("打印功能尚未完成。");  // replaced by the real printer
}

}  // namespace window
