// SPDX-License-Identifier: GPL-3.0-or-later
// The choosing dialog of a LandXML file: the guess preselected, another
// alignment preselecting its own guess, the lists' choice read back; a file
// that leaves nothing to choose opens without it; in the main window the
// surfaces chosen are the ones read (reading_report_window_test: the gaps).
#include "window/landxml_choice_dialog.h"

#include <QComboBox>
#include <QTest>

#include "dialog_driver.h"
#include "survey_file/landxml.h"
#include "window/main_window.h"
#include "window/platform/application.h"

namespace {

QString realFile(const char* name) {
    return QStringLiteral(VELMORIN_REAL_FILES "/") + QString::fromUtf8(name);
}

survey_file::LandXmlRead contentsOf(const char* name) {
    QFile in(realFile(name));
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    survey_file::SurveyRead read =
        survey_file::readLandXml(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    return read.landXml.value_or(survey_file::LandXmlRead{});
}

void choose(QComboBox* list, const QString& start) {
    list->setCurrentIndex(list->findText(start, Qt::MatchStartsWith));
}

}  // namespace

class LandXmlChoiceDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void the_guess_is_preselected_and_each_surface_shows_its_sections() {
        const survey_file::LandXmlRead read = contentsOf("civil3d-links.xml");
        window::LandXmlChoiceDialog dialog(read);
        QCOMPARE(dialog.ground()->currentText(),
                 QStringLiteral("EG — Existing Ground（3 个断面）"));
        QCOMPARE(dialog.design()->currentText(), QStringLiteral("Corridor (1) Top（3 个断面）"));
        QCOMPARE(dialog.design()->count(), 3);
        choose(dialog.design(), QStringLiteral("Corridor (1) Pave1"));
        QCOMPARE(dialog.choice(),
                 (survey_file::LandXmlChoice{"Centerline (1)", "EG", "Corridor (1) Pave1"}));
    }

    void another_alignment_preselects_its_own_guess() {
        const survey_file::LandXmlRead read = contentsOf("two-alignments.xml");
        window::LandXmlChoiceDialog dialog(read);
        QCOMPARE(dialog.alignment()->count(), 2);
        QCOMPARE(dialog.ground()->currentText(), QStringLiteral("原地面（2 个断面）"));
        choose(dialog.alignment(), QStringLiteral("匝道A"));
        QCOMPARE(dialog.ground()->currentText(), QStringLiteral("地面线（3 个断面）"));
        QCOMPARE(dialog.design()->currentText(), QStringLiteral("设计（3 个断面）"));
        QCOMPARE(dialog.choice(), (survey_file::LandXmlChoice{"匝道A", "地面线", "设计"}));
    }

    void a_file_that_leaves_nothing_to_choose_is_not_asked_about() {
        const survey_file::LandXmlRead read = contentsOf("ground-pieces.xml");
        DialogDriver driver({});  // any dialog would be unexpected, rejected and logged
        QCOMPARE(window::askLandXmlChoice(nullptr, read), std::optional(read.choice));
        QCOMPARE(driver.log(), QStringList());
    }

    void the_main_window_reads_the_surfaces_chosen() {
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        DialogDriver driver({acceptDialog()});
        driver.onOpen([](QWidget* opened) {
            if (auto* dialog = qobject_cast<window::LandXmlChoiceDialog*>(opened))
                choose(dialog->design(), QStringLiteral("30"));
        });
        QVERIFY(mainWindow.openSurvey(realFile("railway-codes.xml"), false));
        QVERIFY(driver.scriptDone());
        const section::CutFillSurvey* lines = mainWindow.document().survey().cutFill();
        QVERIFY(lines);
        // The ballast top "30" at 100.6 from -3 to 3 over the first ground.
        QCOMPARE(lines->sections[0].design,
                 (std::vector<section::Point>{{100.6, 3.0}, {100.6, -3.0}}));
    }
};

QTEST_MAIN(LandXmlChoiceDialogTest)
#include "landxml_choice_dialog_test.moc"
