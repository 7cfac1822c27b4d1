// SPDX-License-Identifier: GPL-3.0-or-later
// The section drawn from the layers it keeps is the section drawn afresh:
// point by point as an outline is typed, after a point that changes the
// scale, after a resize, when the points are replaced by others, and when
// other cut and fill regions are shaded at the same scale, and after a zoom
// and a pan. The wheel zooms about the cursor, a drag pans, - zooms out, 0 fits again;
// the ring marks the point of the table's row on any of the lines.

#include "window/views/section_canvas.h"

#include <QLineF>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>

#include "window/views/drawing_style.h"

namespace {

using Point = section::Point;

Point outlinePoint(int j) {
    const double across = j <= 20 ? 10.0 - 0.5 * j : -10.0 + 0.5 * (j - 20);
    return {static_cast<decltype(Point::elevation)>(100 + (j * 37) % 11 / 4.0),
            static_cast<decltype(Point::offset)>(across)};
}

window::CanvasPicture outline(int points) {
    window::CanvasPicture picture{{{{section::PictureLine::Role::Outline, {}}}, {}}};
    for (int j = 1; j <= points; ++j) picture.section.lines[0].points.push_back(outlinePoint(j));
    return picture;
}

// A ground line over a design line crossing it, the cut and fill between.
window::CanvasPicture groundAndDesign() {
    using Line = section::PictureLine::Role;
    using Shade = section::PictureRegion::Role;
    return {{{{Line::Ground, {{100, 10}, {101, 2}, {100, -10}}},
              {Line::Design, {{104, 10}, {100, 4}, {96, -10}}}},
             {{Shade::Fill, {{100, 10}, {104, 10}, {100, 0}}}}}};
}

// The same picture on a canvas that has drawn nothing before, seen as `view` sets it.
QImage drawnAfresh(const window::CanvasPicture& picture, QSize size,
                   const std::function<void(window::SectionCanvas&)>& view = {}) {
    window::SectionCanvas canvas;
    canvas.resize(size);
    canvas.setPicture(picture);
    if (view) view(canvas);
    return canvas.grab().toImage();
}

QPointF drawnAt(const window::SectionScale& scale, window::SectionPlace place) {
    const window::Pixel p = scale.toPixel(place.s, place.h);
    return {p.x, p.y};
}

// Where the highlight colour is drawn, its edges blended or not.
std::vector<QPoint> highlightPixels(const QImage& image) {
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const QColor h = window::kHighlightColour;
            if (std::abs(c.red() - h.red()) + std::abs(c.green() - h.green()) +
                    std::abs(c.blue() - h.blue()) <
                40)
                found.emplace_back(x, y);
        }
    return found;
}

}  // namespace

class SectionCanvasTest : public QObject {
    Q_OBJECT

    window::SectionCanvas* canvas = nullptr;

    void expectAsDrawnAfresh(const char* step) {
        const QImage kept = canvas->grab().toImage();
        QVERIFY2(kept == drawnAfresh(canvas->picture(), canvas->size()), step);
    }

    // The ring drawn, all of it close around `centre`.
    void expectRingAround(QPointF centre, const QString& where) {
        const std::vector<QPoint> ring = highlightPixels(canvas->grab().toImage());
        QVERIFY2(ring.size() > 20, qPrintable(where));
        for (const QPoint& p : ring)
            QVERIFY2(QLineF(centre, p).length() < 11,
                     qPrintable(QStringLiteral("%1: (%2, %3) far from (%4, %5)")
                                    .arg(where)
                                    .arg(p.x())
                                    .arg(p.y())
                                    .arg(centre.x())
                                    .arg(centre.y())));
    }

  private slots:
    void init() {
        canvas = new window::SectionCanvas;
        canvas->resize(360, 300);
    }

    void cleanup() { delete canvas; }

    void typing_point_by_point_draws_what_a_fresh_drawing_shows() {
        window::CanvasPicture picture = outline(0);
        for (int j = 1; j <= 30; ++j) {
            const Point next = outlinePoint(j);
            picture.pendingElevation = next.elevation;
            canvas->setPicture(picture);
            expectAsDrawnAfresh("elevation typed");
            picture.pendingOffset = next.offset;
            canvas->setPicture(picture);
            expectAsDrawnAfresh("distance typed");
            picture.section.lines[0].points.push_back(next);
            picture.pendingElevation.reset();
            picture.pendingOffset.reset();
            canvas->setPicture(picture);
            expectAsDrawnAfresh("point confirmed");
        }
    }

    void the_wheel_zooms_about_the_cursor_a_drag_pans_and_0_fits_again() {
        canvas->setPicture(outline(30));
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        const window::SectionScale fitted = canvas->scale();
        const QPointF cursor(120, 90);
        const window::SectionPlace under = fitted.toMetres({cursor.x(), cursor.y()});
        QWheelEvent wheel(cursor, canvas->mapToGlobal(cursor), {}, {0, 2 * 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        const window::SectionScale zoomed = canvas->scale();
        QCOMPARE(zoomed.pixelsPerMetre, fitted.pixelsPerMetre * 1.25 * 1.25);
        QVERIFY(QLineF(drawnAt(zoomed, under), cursor).length() < 1e-9);

        const QPoint from(200, 150), to(150, 190);
        const window::SectionPlace grabbed = zoomed.toMetres({double(from.x()), double(from.y())});
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        const window::SectionScale panned = canvas->scale();
        QCOMPARE(panned.pixelsPerMetre, zoomed.pixelsPerMetre);
        QVERIFY(QLineF(drawnAt(panned, grabbed), to).length() < 1e-9);
        const QImage kept = canvas->grab().toImage();
        QVERIFY(kept == drawnAfresh(canvas->picture(), canvas->size(), [&](auto& fresh) {
                    fresh.zoomAbout(cursor, 1.25 * 1.25);
                    fresh.panBy(to - from);
                }));
        QVERIFY(kept != drawnAfresh(canvas->picture(), canvas->size()));
        QTest::keyClick(canvas, Qt::Key_Minus);
        QCOMPARE(canvas->scale().pixelsPerMetre, zoomed.pixelsPerMetre / 1.25);

        QTest::keyClick(canvas, Qt::Key_0);
        QVERIFY(canvas->isFitted());
        QCOMPARE(canvas->scale(), fitted);
        expectAsDrawnAfresh("fitted again");
    }

    void a_new_scale_a_new_size_and_other_points_are_drawn_afresh() {
        canvas->setPicture(outline(30));
        canvas->grab();
        window::CanvasPicture far = outline(30);
        far.pendingElevation = 140.0f;
        far.pendingOffset = 60.0f;
        canvas->setPicture(far);
        expectAsDrawnAfresh("a point far out");
        canvas->resize(300, 420);
        expectAsDrawnAfresh("resized");
        canvas->setPicture(outline(30));
        canvas->grab();
        // Within the outline's reach: the scale stays, the point moves.
        window::CanvasPicture other = outline(30);
        auto& points = other.section.lines[0].points;
        points[3] = points[5];
        canvas->setPicture(other);
        expectAsDrawnAfresh("one point changed");
        canvas->setPicture(outline(12));
        expectAsDrawnAfresh("fewer points");
    }

    // A crossing's cut and fill swapped: the lines' reach, and so the scale, stay.
    void other_regions_at_the_same_scale_are_drawn_afresh() {
        using Line = section::PictureLine::Role;
        using Shade = section::PictureRegion::Role;
        window::CanvasPicture picture{
            {{{Line::Ground, {{100, 10}, {100, -10}}}, {Line::Design, {{104, 10}, {96, -10}}}},
             {{Shade::Fill, {{100, 10}, {104, 10}, {100, 0}}}}}};
        canvas->setPicture(picture);
        canvas->grab();
        picture.section.regions = {{Shade::Cut, {{100, -10}, {96, -10}, {100, 0}}}};
        canvas->setPicture(picture);
        expectAsDrawnAfresh("other regions");
    }

    void the_point_highlighted_is_ringed_there_and_nowhere_else() {
        window::CanvasPicture picture = outline(30);
        canvas->setPicture(picture);
        QVERIFY(highlightPixels(canvas->grab().toImage()).empty());
        for (const int j : {1, 12, 30}) {
            picture.highlighted.point = j;
            canvas->setPicture(picture);
            expectRingAround(canvas->pointPosition(j), QStringLiteral("point %1").arg(j));
        }
        // Kept layers or not, the picture is the one drawn afresh.
        expectAsDrawnAfresh("highlighted");
        picture.highlighted.point = 0;
        canvas->setPicture(picture);
        QVERIFY(highlightPixels(canvas->grab().toImage()).empty());
        picture.highlighted.point = 31;  // no such point
        canvas->setPicture(picture);
        QVERIFY(highlightPixels(canvas->grab().toImage()).empty());
    }

    // Narrow, the legend takes a second row; zoomed, it is drawn the same
    // and nothing of the drawing runs over it.
    void the_legend_keeps_its_rows_above_the_drawing_at_any_width_and_zoom() {
        canvas->setPicture(groundAndDesign());
        for (const int width : {200, 260, 360}) {
            canvas->resize(width, 300);
            const auto entries = canvas->legend();
            QRectF all;
            for (std::size_t k = 0; k < entries.size(); ++k) {
                const QRectF entry = entries[k].mark.united(entries[k].label);
                QVERIFY2(entry.left() >= 40 && entry.right() <= width, qPrintable(entries[k].text));
                for (std::size_t other = 0; other < k; ++other)
                    QVERIFY(!entry.intersects(entries[other].mark.united(entries[other].label)));
                all = all.united(entry);
            }
            const QRect legend = all.toAlignedRect();
            const QImage fitted = canvas->grab().toImage().copy(legend);
            canvas->zoomAbout({width / 2.0, 150}, 8);
            canvas->setExaggeration(10);
            QCOMPARE(canvas->grab().toImage().copy(legend), fitted);
            canvas->fitToWindow();
            canvas->setExaggeration(1);
        }
    }

    // Ground and design points differ: each ringed on its own line, the
    // ring at the point whatever the view.
    void a_point_of_either_line_is_ringed_on_its_line() {
        window::CanvasPicture picture = groundAndDesign();
        canvas->setPicture(picture);
        canvas->setExaggeration(5);
        canvas->zoomAbout({200, 120}, 0.8);
        for (const bool design : {false, true})
            for (const int j : {1, 2, 3}) {
                picture.highlighted = {j, design};
                canvas->setPicture(picture);
                const section::Point& point = picture.section.lines[design].points[j - 1];
                expectRingAround(drawnAt(canvas->scale(), {point.offset, point.elevation}),
                                 QStringLiteral("line %1 point %2").arg(design).arg(j));
            }
    }
};

QTEST_MAIN(SectionCanvasTest)
#include "section_canvas_test.moc"
