// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/quantity_table_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <functional>
#include <vector>

#include "printout/column_groups.h"
#include "printout/page_frame.h"
#include "printout/quantity_table.h"

namespace paper {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr double kBodyPoints = 10.0;
constexpr double kTitlePoints = 16.0;

// Where everything of a page goes, in device pixels, worked out once for all
// pages so that they look alike.
class TableGeometry {
  public:
    TableGeometry(const printout::QuantityTable& table, QPagedPaintDevice& device)
        : table_(table), device_(device) {
        body_.setFamily(QStringLiteral("宋体"));
        body_.setPointSizeF(kBodyPoints);
        title_ = body_;
        title_.setPointSizeF(kTitlePoints);
        title_.setBold(true);
        const double width = device.width();
        const double height = device.height();
        const QFontMetricsF titleMetrics(title_, &device);
        const QFontMetricsF bodyMetrics(body_, &device);
        headTop_ = titleMetrics.lineSpacing() * 1.4;
        noteTop_ = headTop_;
        if (!table.note.empty()) headTop_ += bodyMetrics.lineSpacing() * 1.3;
        tableTop_ = headTop_ + bodyMetrics.lineSpacing() * 1.5;
        footerHeight_ = bodyMetrics.lineSpacing() * 1.5;
        const double signature = bodyMetrics.lineSpacing() * 2.0;
        std::size_t rows = 0;
        bool kilometres = false;
        for (const printout::QuantityPage& page : table.pages) {
            rows = std::max(rows, page.rows.size());
            kilometres = kilometres || page.kilometre;
        }
        // The head rows (a group line above the titles when there are
        // groups), the rows, 小计, 本公里小计, 合计 and the footnote.
        const double room = height - tableTop_ - footerHeight_ - signature;
        const std::size_t more =
            headRows() + 2 + (kilometres ? 1 : 0) + (table.footnote.empty() ? 0 : 1);
        rowHeight_ = std::min(room / double(rows + more), bodyMetrics.lineSpacing() * 1.8);
        // A font that fits the rows and, with a little room, the widest cells.
        double scale = std::min(1.0, rowHeight_ / (bodyMetrics.lineSpacing() * 1.15));
        std::vector<double> natural = naturalWidths(bodyMetrics);
        double sum = 0;
        for (double w : natural) sum += w;
        scale = std::min(scale, width / sum);
        if (scale < 1.0) body_.setPointSizeF(kBodyPoints * scale);
        // The rest of the width shared out in proportion.
        for (double& w : natural) w *= width / sum;
        edges_ = {0.0};
        for (double w : natural) edges_.push_back(edges_.back() + w);
    }

    const QFont& body() const { return body_; }
    const QFont& title() const { return title_; }
    // The note's line runs from noteTop() to headTop(), the 工程信息's from
    // there to tableTop().
    double noteTop() const { return noteTop_; }
    double headTop() const { return headTop_; }
    // Titles and units, and the group line above them when there are groups.
    std::size_t headRows() const { return columnGroups_.empty() ? 2 : 3; }
    const std::vector<printout::ColumnGroup>& groups() const { return columnGroups_; }
    double tableTop() const { return tableTop_; }
    double rowHeight() const { return rowHeight_; }
    double footerTop() const { return device_.height() - footerHeight_; }
    // Left edge of cell c (0 the key column) and the right edge of the last.
    const std::vector<double>& edges() const { return edges_; }

  private:
    // Each column as wide as its widest text and some room either side.
    std::vector<double> naturalWidths(const QFontMetricsF& metrics) const {
        const double pad = metrics.averageCharWidth() * 2.0;
        std::vector<double> widths(table_.columns.size() + 1, 0.0);
        auto fit = [&](std::size_t c, const std::string& text) {
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(qs(text)) + pad);
        };
        auto fitRow = [&](const printout::QuantityRow& row) {
            fit(0, row.key);
            for (std::size_t c = 0; c < row.cells.size(); ++c) fit(c + 1, row.cells[c]);
        };
        fit(0, table_.keyTitle);
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            fit(c + 1, table_.columns[c].title);
            fit(c + 1, printout::unitHead(table_.columns[c]));
        }
        for (const printout::QuantityPage& page : table_.pages) {
            for (const printout::QuantityRow& row : page.rows) fitRow(row);
            if (table_.summed()) fitRow(page.subtotal);
            if (page.kilometre) fitRow(*page.kilometre);
        }
        if (table_.summed()) fitRow(table_.total);
        // A group's heading wider than its columns widens them alike.
        for (const printout::ColumnGroup& group : columnGroups_) {
            double run = 0;
            for (std::size_t c = group.first; c <= group.last; ++c) run += widths[c + 1];
            const double needed = metrics.horizontalAdvance(qs(group.title)) + pad;
            if (needed > run)
                for (std::size_t c = group.first; c <= group.last; ++c)
                    widths[c + 1] += (needed - run) / double(group.last - group.first + 1);
        }
        return widths;
    }

    const printout::QuantityTable& table_;
    QPagedPaintDevice& device_;
    std::vector<printout::ColumnGroup> columnGroups_ = printout::columnGroups(table_.columns);
    QFont body_;
    QFont title_;
    double noteTop_ = 0;
    double headTop_ = 0;
    double tableTop_ = 0;
    double footerHeight_ = 0;
    double rowHeight_ = 0;
    std::vector<double> edges_;
};

class PageDrawer {
  public:
    PageDrawer(const printout::QuantityTable& table, QPagedPaintDevice& device, QPainter& painter)
        : table_(table), device_(device), painter_(painter), geometry_(table, device) {
        const double pixelsPerPoint = device.logicalDpiY() / 72.0;
        thin_ = QPen(Qt::black, 0.3 * pixelsPerPoint);
        thick_ = QPen(Qt::black, 0.8 * pixelsPerPoint);
        pad_ = QFontMetricsF(geometry_.body(), &device).averageCharWidth();
    }

    void draw(std::size_t index) {
        const printout::QuantityPage& page = table_.pages[index];
        const bool last = index + 1 == table_.pages.size();
        drawHeading();
        double top = geometry_.tableTop();
        std::vector<double> rules{top};
        drawHead(top);
        rules.push_back(top);
        const auto figures = [&](const printout::QuantityRow& row) {
            drawRow(top, qs(row.key), cellTexts(row), Qt::AlignRight);
            rules.push_back(top);
        };
        for (const printout::QuantityRow& row : page.rows) figures(row);
        if (table_.summed()) figures(page.subtotal);
        if (page.kilometre) figures(*page.kilometre);
        if (last && table_.summed()) figures(table_.total);
        drawRules(rules);
        if (last && !table_.footnote.empty()) {
            painter_.drawText(
                QRectF(geometry_.edges().front() + pad_, top,
                       geometry_.edges().back() - geometry_.edges().front(), geometry_.rowHeight()),
                Qt::AlignLeft | Qt::AlignVCenter, qs(table_.footnote));
            top += geometry_.rowHeight();
        }
        if (last && !table_.project.empty()) drawSignatures(top + geometry_.rowHeight());
        drawPageNumber(int(index) + 1);
    }

  private:
    template <class Text>
    QStringList columnTexts(Text text) const {
        QStringList texts;
        for (const printout::QuantityColumn& column : table_.columns)
            texts << qs(std::invoke(text, column));
        return texts;
    }

    static QStringList cellTexts(const printout::QuantityRow& row) {
        QStringList texts;
        for (const std::string& cell : row.cells) texts << qs(cell);
        return texts;
    }

    void drawHeading() {
        painter_.setFont(geometry_.title());
        const double width = device_.width();
        painter_.drawText(QRectF(0, 0, width, geometry_.noteTop()), Qt::AlignCenter,
                          qs(table_.title));
        painter_.setFont(geometry_.body());
        painter_.drawText(
            QRectF(0, geometry_.noteTop(), width, geometry_.headTop() - geometry_.noteTop()),
            Qt::AlignCenter, qs(table_.note));
        const QRectF line(0, geometry_.headTop(), width,
                          geometry_.tableTop() - geometry_.headTop());
        painter_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                          qs(printout::projectNameText(table_.project)));
        painter_.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                          qs(printout::segmentText(table_.project)));
    }

    // The column heads: the key's title and those of columns of no group
    // over the group line and the titles' line, each group's heading over
    // its columns' titles; the units under all.
    void drawHead(double& top) {
        const std::size_t lines = geometry_.headRows() - 1;  // without the units
        const double height = geometry_.rowHeight();
        const std::vector<double>& edges = geometry_.edges();
        painter_.setFont(geometry_.body());
        const auto draw = [&](std::size_t from, std::size_t to, double y, double rows,
                              const std::string& text) {
            painter_.drawText(QRectF(edges[from] + pad_ / 2, y, edges[to + 1] - edges[from] - pad_,
                                     height * rows),
                              Qt::AlignCenter | Qt::TextWordWrap, qs(text));
        };
        draw(0, 0, top, double(lines), table_.keyTitle);
        std::vector<bool> grouped(table_.columns.size(), false);
        for (const printout::ColumnGroup& group : geometry_.groups()) {
            draw(group.first + 1, group.last + 1, top, 1, group.title);
            for (std::size_t c = group.first; c <= group.last; ++c) grouped[c] = true;
        }
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            const bool under = grouped[c];
            draw(c + 1, c + 1, under ? top + height * double(lines - 1) : top,
                 under ? 1.0 : double(lines), table_.columns[c].title);
        }
        top += height * double(lines);
        drawRow(top, {}, columnTexts(printout::unitHead), Qt::AlignCenter);
    }

    // The key cell and the cells of one row; numbers (and text that stands
    // for one, such as 无) to the right, the key and the column heads centred.
    void drawRow(double& top, const QString& key, const QStringList& cells, Qt::Alignment figures) {
        painter_.setFont(geometry_.body());
        const std::vector<double>& edges = geometry_.edges();
        const double height = geometry_.rowHeight();
        painter_.drawText(QRectF(edges[0], top, edges[1] - edges[0], height), Qt::AlignCenter, key);
        for (int c = 0; c < cells.size(); ++c) {
            const QRectF cell(edges[c + 1] + pad_, top, edges[c + 2] - edges[c + 1] - 2 * pad_,
                              height);
            // A column of text (填, 挖) centred as its head is.
            const Qt::Alignment across =
                table_.columns[std::size_t(c)].unit.empty() ? Qt::AlignHCenter : figures;
            painter_.drawText(cell, across | Qt::AlignVCenter, cells[c]);
        }
        top += height;
    }

    // Across under every row, thick round the table and under its heads,
    // and under each group's heading, which no rule inside it crosses.
    void drawRules(const std::vector<double>& rules) {
        const std::vector<double>& edges = geometry_.edges();
        const double left = edges.front();
        const double right = edges.back();
        const double height = geometry_.rowHeight();
        painter_.setPen(thin_);
        for (double y : rules) painter_.drawLine(QPointF(left, y), QPointF(right, y));
        std::vector<double> starts(edges.size(), rules.front());
        for (const printout::ColumnGroup& group : geometry_.groups()) {
            const double y = rules.front() + height;
            painter_.drawLine(QPointF(edges[group.first + 1], y),
                              QPointF(edges[group.last + 2], y));
            for (std::size_t e = group.first + 2; e <= group.last + 1; ++e) starts[e] = y;
        }
        for (std::size_t e = 0; e < edges.size(); ++e)
            painter_.drawLine(QPointF(edges[e], starts[e]), QPointF(edges[e], rules.back()));
        painter_.setPen(thick_);
        painter_.drawLine(QPointF(left, rules[1]), QPointF(right, rules[1]));
        painter_.drawRect(QRectF(QPointF(left, rules.front()), QPointF(right, rules.back())));
        painter_.setPen(QPen(Qt::black));
    }

    void drawSignatures(double top) {
        painter_.setFont(geometry_.body());
        const double width = device_.width() / 3.0;
        const QString texts[] = {qs(printout::calculatedByText(table_.project)),
                                 qs(printout::checkedByText(table_.project)),
                                 qs(printout::dateText(table_.project))};
        for (int k = 0; k < 3; ++k) {
            painter_.drawText(QRectF(k * width, top, width, geometry_.rowHeight()),
                              Qt::AlignLeft | Qt::AlignVCenter, texts[k]);
        }
    }

    void drawPageNumber(int page) {
        painter_.setFont(geometry_.body());
        painter_.drawText(QRectF(0, geometry_.footerTop(), device_.width(),
                                 device_.height() - geometry_.footerTop()),
                          Qt::AlignHCenter | Qt::AlignBottom,
                          qs(printout::pageNumberText(page, int(table_.pages.size()))));
    }

    const printout::QuantityTable& table_;
    QPagedPaintDevice& device_;
    QPainter& painter_;
    TableGeometry geometry_;
    QPen thin_;
    QPen thick_;
    double pad_ = 0;
};

}  // namespace

QPageLayout quantityTablePageLayout(const printout::QuantityTable& table) {
    return QPageLayout(
        QPageSize(table.large ? QPageSize::A3 : QPageSize::A4),
        table.landscape || table.large ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

bool renderQuantityTable(const printout::QuantityTable& table, QPagedPaintDevice& device,
                         PageRange pages) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PageDrawer drawer(table, device, painter);
    bool first = true;
    for (std::size_t page = 0; page < table.pages.size(); ++page) {
        if (!pages.holds(int(page) + 1)) continue;
        if (!first) device.newPage();
        first = false;
        drawer.draw(page);
    }
    return painter.end();
}

}  // namespace paper
