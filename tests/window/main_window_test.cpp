// SPDX-License-Identifier: GPL-3.0-or-later
// The window around the form on a small or scaled screen: it opens within the
// screen, and the form keeps its layout and scrolls instead of being cut off.
// Run once as it is and once with QT_SCALE_FACTOR=2.

#include "window/main_window.h"

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_view.h"
#include "window/views/form_layout.h"
#include "window/views/main_form.h"

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void opens_within_the_screen_with_the_form_whole_inside_a_scroll_area() {
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        const QRect screen = mainWindow.screen()->availableGeometry();
        QVERIFY2(mainWindow.frameGeometry().width() <= screen.width() &&
                     mainWindow.frameGeometry().height() <= screen.height(),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(mainWindow.width())
                                .arg(mainWindow.height())
                                .arg(screen.width())
                                .arg(screen.height())));
        QCOMPARE(mainWindow.windowTitle(), "Velmorin");
        QCOMPARE(QApplication::focusWidget()->objectName(), "Text1");
        QVERIFY(mainWindow.form().width() >= window::toPixels(window::layoutRight));
        QVERIFY(mainWindow.form().height() >= window::toPixels(window::layoutBottom));
    }

    void a_window_smaller_than_the_form_scrolls_to_every_button() {
        window::MainWindow mainWindow;
        mainWindow.resize(600, 400);
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QScrollArea& scroll = mainWindow.scrollArea();
        QVERIFY(scroll.horizontalScrollBar()->isVisible());
        QVERIFY(scroll.verticalScrollBar()->isVisible());
        QVERIFY(mainWindow.form().width() >= window::toPixels(window::layoutRight));

        auto* print = mainWindow.form().findChild<QWidget*>("Command3");
        scroll.ensureWidgetVisible(print);
        const QRect shown(print->mapTo(scroll.viewport(), QPoint(0, 0)), print->size());
        QVERIFY(scroll.viewport()->rect().contains(shown));
    }

    // Each column whole at the default font, the table no wider than half the window.
    void the_survey_table_opens_wide_enough_for_every_column() {
        for (const bool stations : {true, false}) {
            window::MainWindow mainWindow;
            mainWindow.show();
            QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
            mainWindow.newSurvey(section::SurveyKind::ClosedOutline, stations);
            mainWindow.showTable();
            QApplication::processEvents();
            const window::SurveyTableView& view = *mainWindow.table().view();
            QCOMPARE(view.model()->columnCount(), stations ? 3 : 4);
            int sum = 0;
            for (int column = 0; column < view.model()->columnCount(); ++column) {
                const int width = view.columnWidth(column);
                QVERIFY2(width >= view.horizontalHeader()->sectionSizeHint(column),
                         qPrintable(view.model()->headerData(column, Qt::Horizontal).toString()));
                sum += width;
            }
            // On a small screen (the run scaled twice) the form and the drawing
            // keep their room and the table gets what is left.
            const int needed =
                sum + view.verticalHeader()->width() + view.verticalScrollBar()->width();
            if (needed > mainWindow.width() / 2) continue;
            QVERIFY2(view.viewport()->width() >= sum,
                     qPrintable(QStringLiteral("%1 < %2, table %3, window %4")
                                    .arg(view.viewport()->width())
                                    .arg(sum)
                                    .arg(mainWindow.table().width())
                                    .arg(mainWindow.width())));
            QVERIFY(mainWindow.table().width() <= mainWindow.width() / 2 + 8);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
