// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of runtime/titles.h as the window's text.

#include <QString>

#include "runtime/titles.h"

namespace window {

inline QString applicationTitle() {
    return QString::fromUtf8(runtime::applicationName);
}

inline QString sheetDocumentName() {
    return QString::fromUtf8(runtime::sheetName);
}

}  // namespace window
