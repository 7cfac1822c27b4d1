// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/fonts.h"

#include <QFont>
#include <QStringList>

namespace paper {

void installFontSubstitutions() {
    // On Windows the real faces are found first; elsewhere the first installed
    // substitute wins. AR PL UMing is the closest Song face on Debian.
    const QStringList song{"SimSun", "AR PL UMing CN", "AR PL SungtiL GB", "Noto Serif CJK SC"};
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), {"AR PL UMing CN", "AR PL SungtiL GB"});
    // DejaVu Sans is wider than MS Sans Serif: its condensed cut keeps captions
    // such as "(H4,-S4)" within their labels.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {"Microsoft Sans Serif", "DejaVu Sans Condensed", "DejaVu Sans", "Liberation Sans"});
}

}  // namespace paper
