// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_canvas.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "runtime/number_text.h"
#include "window/views/drawing_style.h"
#include "window/views/section_grid.h"

namespace window {

namespace {

using Role = section::PictureLine::Role;
using Shade = section::PictureRegion::Role;

const QColor kPending(240, 120, 0);  // a value being confirmed
const QColor kEdge(Qt::black);
const QColor kOutlineShade(120, 160, 220, 50);
constexpr double kLegendRow = 20;  // pixels above the drawing for the legend
constexpr double kMarkWidth = 18;
constexpr double kLegendTop = kSectionMargin / 2 + 2;
constexpr double kLegendFrom = 50;  // its leftmost pixel, right of "H (米)"
// How far the view zooms from the fitted scale, out and in.
constexpr double kLeastZoom = 0.25;
constexpr double kMostZoom = 1000;
constexpr double kZoomStep = 1.25;  // a notch of the wheel, a press of + or -
// Beyond this many points a Ground or Design line's points are not marked:
// the marks would only thicken it.
constexpr std::size_t kMostMarked = 200;

// The S and H spans of every value drawn; the centre line always among them.
std::pair<Span, Span> spansOf(const CanvasPicture& picture) {
    Span s{0, 0};
    std::optional<Span> h;
    auto take = [&](double offset, std::optional<double> elevation) {
        s = {std::min(s.from, offset), std::max(s.to, offset)};
        if (elevation) {
            h = h ? Span{std::min(h->from, *elevation), std::max(h->to, *elevation)}
                  : Span{*elevation, *elevation};
        }
    };
    for (const section::PictureLine& line : picture.section.lines)
        for (const section::Point& point : line.points) take(point.offset, point.elevation);
    if (picture.pendingElevation)
        take(picture.pendingOffset.value_or(0.0), *picture.pendingElevation);
    return {s, h.value_or(Span{0, 0})};
}

QPolygonF polygonOf(const SectionScale& scale, const std::vector<section::Point>& points) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const section::Point& point : points)
        polygon << pointAt(scale, point.offset, point.elevation);
    return polygon;
}

void shade(QPainter& painter, const SectionScale& scale,
           const std::vector<section::PictureRegion>& regions, Shade role, const QColor& colour) {
    QPainterPath path;
    for (const section::PictureRegion& region : regions)
        if (region.role == role) path.addPolygon(polygonOf(scale, region.outline));
    painter.fillPath(path, colour);
}

void drawLine(QPainter& painter, const SectionScale& scale, const section::PictureLine& line) {
    const QColor colour = line.role == Role::Design ? kDesignColour : kGroundColour;
    const QPolygonF polyline = polygonOf(scale, line.points);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(polyline);
    if (line.points.size() > kMostMarked) return;
    painter.setPen(QPen(colour, 1.2));
    painter.setBrush(Qt::white);
    for (const QPointF& point : polyline) painter.drawEllipse(point, 2.5, 2.5);
}

void drawPoint(QPainter& painter, QPointF where, int number, const QColor& colour) {
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(where, 3.5, 3.5);
    painter.setPen(colour);
    painter.drawText(where + QPointF(5, -5), QString::number(number));
}

// The Outline's points; none when the picture has no Outline.
const std::vector<section::Point>& outlineOf(const CanvasPicture& picture) {
    static const std::vector<section::Point> none;
    for (const section::PictureLine& line : picture.section.lines)
        if (line.role == Role::Outline) return line.points;
    return none;
}

QRectF rectOf(const PixelBox& box) {
    return {box.left, box.top, box.width, box.height};
}

}  // namespace

SectionCanvas::SectionCanvas(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(200, 160);
    // Clicked, it takes the keys + - 0 as a drawing does; Tab passes it by,
    // so it never comes between the form's boxes.
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::OpenHandCursor);
    setToolTip(QStringLiteral("滚轮缩放，按住左键拖动平移，双击或按 0 键显示全图"));
}

void SectionCanvas::setPicture(CanvasPicture picture) {
    // The layers stay only when they hold the same regions and the first of
    // the new Outline's points.
    const std::vector<section::Point>& drawn = outlineOf(picture_);
    const std::vector<section::Point>& coming = outlineOf(picture);
    const bool kept = picture_.section.regions == picture.section.regions &&
                      layered_ <= coming.size() &&
                      std::equal(drawn.begin(), drawn.begin() + layered_, coming.begin());
    if (!kept) layeredScale_.reset();
    picture_ = std::move(picture);
    update();
}

bool SectionCanvas::hasLegend() const {
    return std::ranges::any_of(picture_.section.lines, [](const section::PictureLine& line) {
        return line.role != Role::Outline;
    });
}

void SectionCanvas::updateLayers(const SectionScale& scale, const PixelBox& box) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (!layeredScale_ || *layeredScale_ != scale || grid_.size() != pixels ||
        grid_.devicePixelRatio() != ratio) {
        for (QImage* layer : {&grid_, &edges_, &marks_}) {
            *layer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            layer->setDevicePixelRatio(ratio);
            layer->fill(Qt::transparent);
        }
        QPainter painter(&grid_);
        painter.setRenderHint(QPainter::Antialiasing);
        drawSectionGrid(painter, scale, box);
        painter.setClipRect(rectOf(box));
        shade(painter, scale, picture_.section.regions, Shade::Cut, kCutColour);
        shade(painter, scale, picture_.section.regions, Shade::Fill, kFillColour);
        drawCentreLine(painter, scale, box);
        layeredScale_ = scale;
        layered_ = 0;
    }
    const std::vector<section::Point>& points = outlineOf(picture_);
    if (layered_ == points.size()) return;
    QPainter edges(&edges_);
    edges.setRenderHint(QPainter::Antialiasing);
    edges.setClipRect(rectOf(box));
    edges.setPen(QPen(kEdge, 1.5));
    QPainter marks(&marks_);
    marks.setRenderHint(QPainter::Antialiasing);
    marks.setClipRect(rectOf(box));
    marks.setFont(tickFont());
    // The numbers laid out once, whatever the scale: most of a redraw's time.
    const double ascent = QFontMetricsF(tickFont()).ascent();
    while (numbers_.size() < points.size()) {
        numbers_.emplace_back(QString::number(numbers_.size() + 1));
        numbers_.back().prepare(QTransform(), tickFont());
    }
    marks.setPen(QPen(kEdge, 1.5));
    marks.setBrush(Qt::white);
    for (std::size_t k = layered_; k < points.size(); ++k) {
        const QPointF corner = pointAt(scale, points[k].offset, points[k].elevation);
        if (k > 0)
            edges.drawLine(pointAt(scale, points[k - 1].offset, points[k - 1].elevation), corner);
        marks.drawEllipse(corner, 3.5, 3.5);
        marks.drawStaticText(corner + QPointF(5, -5 - ascent), numbers_[k]);
    }
    layered_ = points.size();
}

PixelBox SectionCanvas::drawingBox() const {
    const std::vector<LegendEntry> entries = legend();
    const double legend =
        entries.empty() ? 0 : entries.back().label.top() - kLegendTop + kLegendRow;  // its last row
    return {kSectionMargin, kSectionMargin / 2 + legend, width() - 1.5 * kSectionMargin,
            height() - 1.5 * kSectionMargin - legend};
}

SectionScale SectionCanvas::fittedScale() const {
    const auto [sSpan, hSpan] = spansOf(picture_);
    return fitSection(sSpan, hSpan, drawingBox(), 8, exaggeration_);
}

SectionScale SectionCanvas::scale() const {
    SectionScale scale = fittedScale();
    if (!view_) return scale;
    const PixelBox box = drawingBox();
    scale.pixelsPerMetre *= view_->zoom;
    scale.xOfCentreLine = box.left + box.width / 2 + view_->middle.s * scale.pixelsPerMetre;
    scale.yOfZero = box.top + box.height / 2 + view_->middle.h * scale.pixelsPerMetreUp();
    return scale;
}

SectionCanvas::View SectionCanvas::currentView() const {
    if (view_) return *view_;
    const PixelBox box = drawingBox();
    return {1, fittedScale().toMetres({box.left + box.width / 2, box.top + box.height / 2})};
}

void SectionCanvas::zoomAbout(QPointF at, double factor) {
    // The place under `at` stays there.
    const SectionPlace under = scale().toMetres({at.x(), at.y()});
    View view = currentView();
    view.zoom = std::clamp(view.zoom * factor, kLeastZoom, kMostZoom);
    SectionScale zoomed = fittedScale();
    zoomed.pixelsPerMetre *= view.zoom;
    const PixelBox box = drawingBox();
    view.middle = {under.s + (at.x() - box.left - box.width / 2) / zoomed.pixelsPerMetre,
                   under.h + (at.y() - box.top - box.height / 2) / zoomed.pixelsPerMetreUp()};
    view_ = view;
    update();
}

void SectionCanvas::panBy(QPointF pixels) {
    const SectionScale now = scale();
    View view = currentView();
    view.middle.s += pixels.x() / now.pixelsPerMetre;
    view.middle.h += pixels.y() / now.pixelsPerMetreUp();
    view_ = view;
    update();
}

void SectionCanvas::fitToWindow() {
    view_.reset();
    update();
}

void SectionCanvas::setExaggeration(int times) {
    exaggeration_ = std::max(times, 1);
    update();
}

QString SectionCanvas::cornerText() const {
    return exaggeration_ == 1 ? QString() : QStringLiteral("竖向 ×%1").arg(exaggeration_);
}

std::vector<SectionCanvas::LegendEntry> SectionCanvas::legend() const {
    if (!hasLegend()) return {};
    std::vector<LegendEntry> entries{{QStringLiteral("地面线"), kGroundColour, false, {}, {}},
                                     {QStringLiteral("设计线"), kDesignColour, false, {}, {}},
                                     {QStringLiteral("挖方"), kCutColour, true, {}, {}},
                                     {QStringLiteral("填方"), kFillColour, true, {}, {}}};
    // In a row from the right edge, above the drawing; when narrow, the
    // lines in one row and the shadings in a second.
    const QFontMetricsF metrics(font());
    double widths = 0;
    for (const LegendEntry& entry : entries)
        widths += kMarkWidth + 4 + metrics.horizontalAdvance(entry.text) + 12;
    const bool twoRows = width() - 6 - widths < kLegendFrom;
    double right = width() - 6;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const double textWidth = metrics.horizontalAdvance(entry->text);
        if (twoRows && entry != entries.rbegin() && std::prev(entry)->shaded && !entry->shaded)
            right = width() - 6;
        const double top = kLegendTop + (twoRows && entry->shaded ? kLegendRow : 0);
        entry->label = QRectF(right - textWidth, top, textWidth, metrics.height());
        const double middle = entry->label.center().y();
        entry->mark = QRectF(entry->label.left() - 4 - kMarkWidth, middle - 5, kMarkWidth, 10);
        right = entry->mark.left() - 12;
    }
    return entries;
}

void SectionCanvas::paintEvent(QPaintEvent*) {
    const PixelBox box = drawingBox();
    const SectionScale scale = this->scale();
    updateLayers(scale, box);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    painter.drawImage(QPointF(0, 0), grid_);
    painter.setClipRect(rectOf(box));

    const std::vector<section::Point>& points = outlineOf(picture_);
    QPolygonF corners = polygonOf(scale, points);
    const bool pendingPoint = picture_.pendingElevation && picture_.pendingOffset;
    if (pendingPoint)
        corners << pointAt(scale, *picture_.pendingOffset, *picture_.pendingElevation);

    if (corners.size() >= 3) {
        QPainterPath shaded;
        shaded.addPolygon(corners);
        painter.fillPath(shaded, kOutlineShade);
    }
    painter.drawImage(QPointF(0, 0), edges_);
    for (const section::PictureLine& line : picture_.section.lines)
        if (line.role != Role::Outline) drawLine(painter, scale, line);
    if (pendingPoint && corners.size() >= 2) {
        painter.setPen(QPen(kPending, 2.5));
        painter.drawLine(corners[corners.size() - 2], corners.back());
    }
    if (corners.size() >= 3) {
        painter.setPen(QPen(kEdge, 1.5, Qt::DashLine));
        painter.drawLine(corners.back(), corners.front());
    }
    painter.drawImage(QPointF(0, 0), marks_);
    drawCatchPoints(painter, scale);
    drawRing(painter, scale);
    if (pendingPoint) {
        drawPoint(painter, corners.back(), int(points.size()) + 1, kPending);
    } else if (picture_.pendingElevation) {
        // Its distance still to come: the level of the elevation.
        const double y = scale.toPixel(0, *picture_.pendingElevation).y;
        painter.setPen(QPen(kPending, 2, Qt::DashDotLine));
        painter.drawLine(QPointF(box.left, y), QPointF(box.left + box.width, y));
        painter.drawText(
            QPointF(box.left + 4, y - 4),
            QStringLiteral("第 %1 点 H=%2")
                .arg(points.size() + 1)
                .arg(QString::fromStdString(runtime::numberToText(*picture_.pendingElevation))));
    }
    painter.setClipping(false);
    drawCorner(painter);
    drawLegend(painter);
}

void SectionCanvas::drawCorner(QPainter& painter) const {
    const QString text = cornerText();
    if (text.isEmpty()) return;
    // Beside "H (米)", above the legend: it hides no point of the drawing.
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const double left = 12 + QFontMetricsF(tickFont()).horizontalAdvance(QStringLiteral("H (米)"));
    painter.drawText(QPointF(left, 1 + QFontMetricsF(bold).ascent()), text);
}

void SectionCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return event->ignore();
    zoomAbout(event->position(), std::pow(kZoomStep, notches));
}

void SectionCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void SectionCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!dragFrom_) return QWidget::mouseMoveEvent(event);
    panBy(event->position() - *dragFrom_);
    dragFrom_ = event->position();
}

void SectionCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    dragFrom_.reset();
    setCursor(Qt::OpenHandCursor);
}

void SectionCanvas::mouseDoubleClickEvent(QMouseEvent*) {
    fitToWindow();
}

void SectionCanvas::keyPressEvent(QKeyEvent* event) {
    const PixelBox box = drawingBox();
    const QPointF middle(box.left + box.width / 2, box.top + box.height / 2);
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return zoomAbout(middle, kZoomStep);
        case Qt::Key_Minus:
            return zoomAbout(middle, 1 / kZoomStep);
        case Qt::Key_0:
            return fitToWindow();
        default:
            QWidget::keyPressEvent(event);
    }
}

void SectionCanvas::drawRing(QPainter& painter, const SectionScale& scale) const {
    const auto& lines = picture_.section.lines;
    const auto ringed = std::ranges::find_if(lines, [&](const section::PictureLine& line) {
        return !picture_.highlighted.design || line.role == Role::Design;
    });
    const int j = picture_.highlighted.point;
    if (ringed == lines.end() || j < 1 || j > int(ringed->points.size())) return;
    // A ring around the mark, wide enough to be seen among close points.
    const section::Point& point = ringed->points[std::size_t(j - 1)];
    painter.setPen(QPen(kHighlightColour, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pointAt(scale, point.offset, point.elevation), 7.5, 7.5);
}

void SectionCanvas::drawCatchPoints(QPainter& painter, const SectionScale& scale) const {
    for (const section::PictureMark& mark : picture_.section.catchPoints) {
        const QPointF at = pointAt(scale, mark.at.offset, mark.at.elevation);
        // A small triangle standing on the point, its name above it.
        const QPolygonF triangle{at, at + QPointF(-5, -9), at + QPointF(5, -9)};
        painter.setPen(QPen(kCatchColour, 1.5));
        painter.setBrush(kCatchColour);
        painter.drawPolygon(triangle);
        painter.drawText(QRectF(at.x() - 30, at.y() - 26, 60, 14), Qt::AlignCenter,
                         mark.role == section::PictureMark::Role::Toe ? QStringLiteral("坡脚")
                                                                      : QStringLiteral("坡口"));
    }
}

void SectionCanvas::drawLegend(QPainter& painter) const {
    painter.setFont(font());
    for (const LegendEntry& entry : legend()) {
        if (entry.shaded) {
            painter.fillRect(entry.mark, entry.colour);
        } else {
            painter.setPen(QPen(entry.colour, 2));
            painter.drawLine(QPointF(entry.mark.left(), entry.mark.center().y()),
                             QPointF(entry.mark.right(), entry.mark.center().y()));
        }
        painter.setPen(Qt::black);
        painter.drawText(entry.label, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
    }
}

}  // namespace window
