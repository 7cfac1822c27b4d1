// SPDX-License-Identifier: GPL-3.0-or-later
// 计算 ▸ 体积计算方法: the method chosen is one step of the document, the
// checked item and the title follow it through undo and redo and through a
// survey file opened with its method.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "section/figures.h"
#include "window/main_window.h"
#include "window/platform/application.h"

namespace {

// Rectangles 10 m wide, 1 and 4 m high, 20 m apart: 500 m³, or 466.667 m³
// as a prismoid.
constexpr const char* kSurvey =
    "断面,高程H,距离S,间距DL\n1,0,0,20\n1,0,10,\n1,1,10,\n1,1,0,\n"
    "2,0,0,\n2,0,10,\n2,4,10,\n2,4,0,\n";

}  // namespace

class VolumeMethodWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    window::MainWindow* mainWindow = nullptr;

    document::SurveyDocument& document() const { return mainWindow->document(); }
    QAction* item(const QString& name) const {
        QAction* methods = menuAction(*mainWindow, QStringLiteral("体积计算方法"));
        if (!methods || !methods->menu()) return nullptr;
        for (QAction* action : methods->menu()->actions())
            if (action->text() == name) return action;
        return nullptr;
    }
    QString checked() const {
        QString names;
        for (const char* name : {"平均断面法", "棱台法"})
            if (QAction* action = item(QString::fromUtf8(name)); action && action->isChecked())
                names += QString::fromUtf8(name);
        return names;
    }
    QString total() const {
        return QString::fromStdString(
            section::Figures(*document().survey().closedOutline()).total());
    }
    bool open(const QString& name, const QByteArray& text) {
        QFile out(dir.filePath(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) return false;
        out.close();
        return mainWindow->openSurvey(dir.filePath(name));
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() { mainWindow = new window::MainWindow; }
    void cleanup() {
        document().markSaved();
        delete mainWindow;
    }

    void the_method_chosen_is_one_step_and_the_menu_and_title_follow_it() {
        QVERIFY(open("a.csv", kSurvey));
        QCOMPARE(checked(), "平均断面法");
        QCOMPARE(total(), "500.000");
        QVERIFY(item("棱台法"));
        item("棱台法")->trigger();
        QCOMPARE(document().survey().volumeMethod(), section::VolumeMethod::Prismoidal);
        QCOMPARE(document().undoStack()->undoText(), "修改体积计算方法");
        QCOMPARE(checked(), "棱台法");
        QCOMPARE(total(), "466.667");
        QCOMPARE(mainWindow->windowTitle(), "a.csv*（棱台法） - Velmorin");

        document().undoStack()->undo();
        QCOMPARE(checked(), "平均断面法");
        QCOMPARE(total(), "500.000");
        QCOMPARE(mainWindow->windowTitle(), "a.csv - Velmorin");
        document().undoStack()->redo();
        QCOMPARE(checked(), "棱台法");
        // The checked item again is no step.
        item("棱台法")->trigger();
        QCOMPARE(document().undoStack()->count(), 2);
    }

    void a_file_opened_brings_its_method() {
        QVERIFY(open("p.csv", QByteArray("体积计算方法,棱台法\n") + kSurvey));
        QCOMPARE(checked(), "棱台法");
        QCOMPARE(total(), "466.667");
        QCOMPARE(mainWindow->windowTitle(), "p.csv（棱台法） - Velmorin");
        QVERIFY(open("a.csv", kSurvey));
        QCOMPARE(checked(), "平均断面法");
        QCOMPARE(mainWindow->windowTitle(), "a.csv - Velmorin");
    }
};

QTEST_MAIN(VolumeMethodWindowTest)
#include "volume_method_window_test.moc"
