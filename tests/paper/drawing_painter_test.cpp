// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing entities land where the view puts them, up being up, each in its
// layer's colour.
#include "paper/drawing_painter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace printout;

class DrawingPainterTest : public QObject {
    Q_OBJECT

  private slots:
    void entitiesLandInTheirLayersColoursUpBeingUp() {
        DrawingBlock block;
        // A cut square left of x = 0 and a fill square right of it, both
        // above y = 0; a design line along y = 0.
        block.hatches = {{kCutLayer, {{-4, 0}, {-1, 0}, {-1, 3}, {-4, 3}}},
                         {kFillLayer, {{1, 0}, {4, 0}, {4, 3}, {1, 3}}}};
        block.lines = {{kDesignLayer, {{-5, -1}, {5, -1}}}};
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paper::paintBlock(painter, block, {QPointF(100, 100), 20.0, 2.0});
        }
        // The squares are in the upper half: y = 1.5 m is 30 pixels up.
        auto tint = [&](QPoint at) {
            const QColor colour = image.pixelColor(at);
            return colour.red() - colour.blue();
        };
        QVERIFY(tint({50, 70}) > 0);                             // cut: reddish
        QVERIFY(tint({150, 70}) < 0);                            // fill: bluish
        QCOMPARE(image.pixelColor(50, 130), QColor(Qt::white));  // below the line, nothing
        QCOMPARE(image.pixelColor(100, 120), paper::layerColour(kDesignLayer));
    }
};

QTEST_MAIN(DrawingPainterTest)
#include "drawing_painter_test.moc"
