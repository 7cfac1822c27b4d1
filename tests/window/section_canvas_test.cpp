// SPDX-License-Identifier: GPL-3.0-or-later
// The section drawn from the layers it keeps is the section drawn afresh,
// whatever changed since; the wheel zooms about the cursor, a drag pans, -
// zooms out, 0 fits again; the ring marks the point of the table's row on
// either line.

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

// The same picture on a canvas that has drawn nothing before, seen as `view`
// sets it.
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

    // Step after step on one canvas: a point far out (a new scale), a new
    // size, a point moved within the reach (the scale stays), fewer points,
    // and a crossing's cut and fill swapped (the lines' reach stays).
    void each_change_is_drawn_as_a_fresh_drawing_shows() {
        window::CanvasPicture far = outline(30), moved = outline(30), swapped = groundAndDesign();
        far.pendingElevation = 140.0;
        far.pendingOffset = 60.0;
        moved.section.lines[0].points[3] = moved.section.lines[0].points[5];
        swapped.section.regions = {
            {section::PictureRegion::Role::Cut, {{100, -10}, {96, -10}, {100, 0}}}};
        const struct {
            const char* step;
            window::CanvasPicture picture;
            QSize size;
        } steps[] = {{"an outline", outline(30), {360, 300}},
                     {"a point far out", far, {360, 300}},
                     {"resized", far, {300, 420}},
                     {"the outline again", outline(30), {300, 420}},
                     {"one point moved", moved, {300, 420}},
                     {"fewer points", outline(12), {300, 420}},
                     {"ground and design", groundAndDesign(), {300, 420}},
                     {"other regions", swapped, {300, 420}}};
        for (const auto& [step, picture, size] : steps) {
            canvas->resize(size);
            canvas->setPicture(picture);
            expectAsDrawnAfresh(step);
        }
    }

    // Zoomed, heights exaggerated: a point of either line is ringed where it
    // is drawn, the picture the one drawn afresh; nothing is ringed for no
    // point, one past the last, or a design point of an outline.
    void the_point_highlighted_is_ringed_on_its_line_and_nowhere_else() {
        const auto view = [](window::SectionCanvas& c) {
            c.setExaggeration(5);
            c.zoomAbout({200, 120}, 0.8);
        };
        for (window::CanvasPicture picture : {outline(30), groundAndDesign()})
            for (const bool design : {false, true})
                for (const int j : {0, 1, 3, 30, 31}) {
                    picture.highlighted = {j, design};
                    canvas->fitToWindow();
                    canvas->setPicture(picture);
                    view(*canvas);
                    const auto& lines = picture.section.lines;
                    const auto* line =
                        design ? (lines.size() > 1 ? &lines[1] : nullptr) : &lines[0];
                    const QString where = QStringLiteral("point %1 of line %2 of %3")
                                              .arg(j)
                                              .arg(design)
                                              .arg(lines.size());
                    if (line && j >= 1 && j <= int(line->points.size())) {
                        const Point& point = line->points[std::size_t(j - 1)];
                        expectRingAround(drawnAt(canvas->scale(), {point.offset, point.elevation}),
                                         where);
                    } else {
                        QVERIFY2(highlightPixels(canvas->grab().toImage()).empty(),
                                 qPrintable(where));
                    }
                    QVERIFY2(canvas->grab().toImage() == drawnAfresh(picture, canvas->size(), view),
                             qPrintable(where));
                }
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
};

QTEST_MAIN(SectionCanvasTest)
#include "section_canvas_test.moc"
