// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PDF page as a picture (poppler's pdftoppm), to look for the colours of
// the drawings on it: the text and the frames are black or grey; and what
// poppler's other tools (pdfinfo, pdftotext) print of a PDF.

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace pdf_page_image {

// Page `page` (from 1) at `dpi`, rendered beside the PDF; null when it cannot be.
inline QImage pageImage(const QString& pdf, int page, int dpi) {
    const QString png = pdf + QStringLiteral("-page%1").arg(page);
    const int status =
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           QString::number(page), QStringLiteral("-l"), QString::number(page),
                           QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png});
    return status == 0 ? QImage(png + QStringLiteral(".png")) : QImage();
}

inline QString toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline bool coloured(QRgb pixel) {
    const int spread = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) -
                       std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return spread > 60;
}

inline int colouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += coloured(image.pixel(x, y));
    return count;
}

}  // namespace pdf_page_image
