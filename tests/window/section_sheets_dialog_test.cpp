// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 ▸ 导出横断面图…'s dialog driven as a user would: the paper and the
// scale chosen reach the file written (read back with pdfinfo and pdftotext);
// oversize sections are told and written only when the user goes on; a
// failed write is told naming the file, the dialog staying open.
#include "window/section_sheets_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "paper/fonts.h"
#include "pdf_page_image.h"
#include "storage/survey_io.h"

namespace {

// Two cut-and-fill sections 40 m across, 20 m apart.
constexpr char kSurvey[] =
    "工程名称,某某公路\n桩号,线,高程H,距离S\n"
    "0,地面线,98,-20\n0,地面线,102,20\n0,设计线,100,-20\n0,设计线,100,20\n"
    "20,地面线,97,-20\n20,地面线,101,20\n20,设计线,100,-20\n20,设计线,100,20\n";

}  // namespace

class SectionSheetsDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::optional<storage::OpenedSurvey> opened;

    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    // The dialog with `path`, the paper and the scale (as the lists show
    // them) set, and 导出 pressed; the log of the dialogs it opened.
    QStringList exported(const QString& path, const QString& paper, const QString& scale,
                         QList<Reply> replies = {}) {
        window::SectionSheetsDialog dialog(*opened->survey, opened->project, path);
        dialog.file()->setText(path);
        dialog.paper()->setCurrentIndex(dialog.paper()->findText(paper, Qt::MatchStartsWith));
        dialog.scale()->setCurrentIndex(dialog.scale()->findText(scale));
        replies.prepend(acceptDialog());
        DialogDriver driver(replies);
        dialog.exec();
        return driver.log();
    }

  private slots:
    void initTestCase() {
        paper::installFontSubstitutions();
        QFile csv(file("road.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(kSurvey) > 0);
        csv.close();
        opened = storage::openSurvey(csv.fileName());
        QVERIFY2(opened->survey, qPrintable(opened->error));
        QVERIFY(!section::calculate(*opened->survey));
    }

    void thePaperAndScaleChosenAreThoseOfTheSheets() {
        const QString pdf = file("a4.pdf");
        QCOMPARE(exported(pdf, QStringLiteral("A4"), QStringLiteral("1:500")),
                 QStringList{QStringLiteral("window::SectionSheetsDialog")});
        QVERIFY(pdf_page_image::toolOutput(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QStringLiteral("(A4)")));
        const QString text =
            pdf_page_image::toolOutput(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                .simplified();
        for (const char* label : {"某某公路", "比例 1:500", "第 1 张 共 1 张", "K0+020.000"})
            QVERIFY2(text.contains(QString::fromUtf8(label)), label);
    }

    // 40 m at 1:100 is 400 mm: wider than an A4 sheet.
    void oversizeSectionsAreWrittenOnlyWhenTheUserGoesOn() {
        const QString pdf = file("large.pdf");
        const QStringList back = exported(pdf, QStringLiteral("A4"), QStringLiteral("1:100"),
                                          {press(QStringLiteral("换个比例"))});
        QVERIFY2(back.value(1).contains(QStringLiteral("K0+000.000、K0+020.000")),
                 qPrintable(back.join('\n')));
        QVERIFY(back.value(1).contains(QStringLiteral("1:200")));
        QVERIFY(!QFile::exists(pdf));
        exported(pdf, QStringLiteral("A4"), QStringLiteral("1:100"),
                 {press(QStringLiteral("仍然导出"))});
        QVERIFY(pdf_page_image::toolOutput(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QStringLiteral("Pages:")));
    }

    void aFailedWriteIsToldNamingTheFileAndTheDialogStays() {
        const QString dxf = file("无此文件夹/横断面图.dxf");
        const QStringList log =
            exported(dxf, QStringLiteral("A3"), QStringLiteral("1:200"), {acknowledge()});
        QVERIFY2(log.value(1).contains(QDir::toNativeSeparators(dxf)), qPrintable(log.join('\n')));
        QVERIFY(log.value(2).startsWith(QStringLiteral("still open")));
    }
};

QTEST_MAIN(SectionSheetsDialogTest)
#include "section_sheets_dialog_test.moc"
