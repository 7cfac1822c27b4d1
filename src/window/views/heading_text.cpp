// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/heading_text.h"

#include <QTextBoundaryFinder>

namespace window {

namespace {

constexpr QChar kNoBreakSpace(0x00A0);
constexpr QChar kWordJoiner(0x2060);

bool betweenGroups(const QString& text, qsizetype at) {
    return text.mid(at - 2, 2) == QStringLiteral("  ") ||
           QStringLiteral("，；、").contains(text[at - 1]);
}

}  // namespace

QString keptTogether(const QString& text) {
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QString kept;
    kept.reserve(text.size() + text.size() / 2);
    qsizetype from = 0;
    for (qsizetype at = breaks.toNextBoundary(); at > 0 && at < text.size();
         at = breaks.toNextBoundary()) {
        if (betweenGroups(text, at)) continue;
        kept += QStringView(text).sliced(from, at - from);
        if (kept.endsWith(u' '))
            kept.back() = kNoBreakSpace;
        else
            kept += kWordJoiner;
        from = at;
    }
    return kept += QStringView(text).sliced(from);
}

QString asWritten(const QString& heading) {
    QString words = heading;
    return words.remove(kWordJoiner).replace(kNoBreakSpace, u' ');
}

}  // namespace window
