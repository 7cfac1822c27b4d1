// SPDX-License-Identifier: GPL-3.0-or-later
// The layout tables checked against rows written down independently from the
// window's design, and the lines checked for their geometry.

#include <QSet>
#include <QTest>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "window/views/form_layout.h"

using window::ControlKind;
using window::ControlRow;
using window::FontId;
using window::LineRow;

Q_DECLARE_METATYPE(ControlKind)
Q_DECLARE_METATYPE(FontId)

namespace {

const ControlRow* findControl(const QString& name) {
    for (const ControlRow& row : window::controlTable())
        if (name == QString::fromUtf8(row.name)) return &row;
    return nullptr;
}

const LineRow& findLine(const char* name) {
    const auto lines = window::lineTable();
    return *std::ranges::find_if(lines,
                                 [&](const LineRow& l) { return qstrcmp(l.name, name) == 0; });
}

using Point = std::pair<int, int>;

// How many of the given lines end at each point.
std::map<Point, int> endCounts(std::initializer_list<const char*> names) {
    std::map<Point, int> counts;
    for (const char* name : names) {
        const LineRow& line = findLine(name);
        ++counts[{line.x1, line.y1}];
        ++counts[{line.x2, line.y2}];
    }
    return counts;
}

}  // namespace

class LayoutTableTest : public QObject {
    Q_OBJECT

  private slots:
    void control_rows_match_the_window_design_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ControlKind>("kind");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<FontId>("font");
        QTest::addColumn<int>("tab");

        using enum ControlKind;
        using enum FontId;
        QTest::newRow("title label")
            << "Label1" << Label << QRect(4920, 840, 4335, 375) << "Velmorin" << F2 << 0;
        QTest::newRow("section count box")
            << "Text1" << TextBox << QRect(5160, 1560, 3135, 270) << "" << F1 << 1;
        QTest::newRow("progress box")
            << "Text11" << TextBox << QRect(2520, 5280, 3855, 270) << "" << F1 << 32;
        QTest::newRow("elevation caption with two blanks")
            << "Label5" << Label << QRect(7680, 5760, 615, 255) << "高  程" << F1 << 8;
        QTest::newRow("spacing volume caption")
            << "Label14" << Label << QRect(8760, 6720, 1575, 255) << "相邻断面间距方量" << F1 << 24;
        QTest::newRow("total volume box")
            << "Text10" << TextBox << QRect(5880, 7800, 1815, 270) << "" << F1 << 26;
        QTest::newRow("calculate button")
            << "Command1" << Button << QRect(4680, 8400, 975, 495) << "进行计算" << F1 << 15;
        QTest::newRow("print button with a blank")
            << "Command3" << Button << QRect(7680, 8400, 975, 495) << "打 印" << F1 << 48;
        QTest::newRow("point label with negative S")
            << "Label31" << Label << QRect(12120, 2520, 735, 255) << "(H7,-S7)" << F3 << 44;
        QTest::newRow("centre line caption with seven blanks")
            << "Label34" << Label << QRect(11520, 240, 975, 375) << "道路中心线       S=0" << F3
            << 47;
        QTest::newRow("S axis caption")
            << "Label24" << Label << QRect(14280, 3360, 255, 375) << "S" << F4 << 37;
    }

    void control_rows_match_the_window_design() {
        QFETCH(QString, name);
        QFETCH(ControlKind, kind);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        QFETCH(FontId, font);
        QFETCH(int, tab);

        const ControlRow* row = findControl(name);
        QVERIFY(row);
        QCOMPARE(row->kind, kind);
        QCOMPARE(QRect(row->left, row->top, row->width, row->height), twips);
        QCOMPARE(QString::fromUtf8(row->caption), caption);
        QCOMPARE(row->font, font);
        QCOMPARE(row->tab, tab);
    }

    void table_holds_34_labels_12_text_boxes_and_3_buttons_with_distinct_tab_places() {
        std::map<ControlKind, int> kinds;
        std::set<int> tabs;
        QSet<QString> names;
        for (const ControlRow& row : window::controlTable()) {
            ++kinds[row.kind];
            tabs.insert(row.tab);
            names.insert(QString::fromUtf8(row.name));
        }
        QCOMPARE(kinds[ControlKind::Label], 34);
        QCOMPARE(kinds[ControlKind::TextBox], 12);
        QCOMPARE(kinds[ControlKind::Button], 3);
        QCOMPARE(int(tabs.size()), 49);
        QCOMPARE(*tabs.begin(), 0);
        QCOMPARE(*tabs.rbegin(), 48);
        for (int i = 1; i <= 34; ++i) QVERIFY(names.contains(QStringLiteral("Label%1").arg(i)));
        for (int i = 1; i <= 12; ++i) QVERIFY(names.contains(QStringLiteral("Text%1").arg(i)));
    }

    void results_frame_is_closed_at_its_four_corners() {
        const std::map<Point, int> expected{
            {{2160, 4800}, 2}, {{10920, 4800}, 2}, {{2160, 8160}, 2}, {{10920, 8160}, 2}};
        QCOMPARE(endCounts({"Line24", "Line25", "Line26", "Line27"}), expected);
        for (const char* edge : {"Line24", "Line25", "Line26", "Line27"}) {
            QCOMPARE(findLine(edge).colour, window::Colour::Red);
            QCOMPARE(findLine(edge).width, 3);
        }
    }

    void band_dividers_end_on_the_frame_sides() {
        for (const char* divider : {"Line21", "Line23"}) {
            const LineRow& line = findLine(divider);
            QCOMPARE(line.x1, findLine("Line26").x1);
            QCOMPARE(line.x2, findLine("Line27").x1);
            QCOMPARE(line.y1, line.y2);
            QVERIFY(line.y1 > 4800 && line.y1 < 8160);
        }
    }

    void outline_is_closed_with_each_of_its_nine_points_ending_two_edges() {
        const auto counts = endCounts(
            {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6", "Line7", "Line8", "Line9"});
        QCOMPARE(int(counts.size()), 9);
        for (const auto& [point, count] : counts) QCOMPARE(count, 2);
        QCOMPARE((Point{findLine("Line9").x1, findLine("Line9").y1}), (Point{10440, 1800}));
        QCOMPARE((Point{findLine("Line1").x1, findLine("Line1").y1}), (Point{10440, 1800}));
        QCOMPARE((Point{findLine("Line7").x2, findLine("Line7").y2}), (Point{12480, 2760}));
        QCOMPARE((Point{findLine("Line6").x2, findLine("Line6").y2}), (Point{12480, 2760}));
    }
};

QTEST_APPLESS_MAIN(LayoutTableTest)
#include "layout_table_test.moc"
