// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "printout/dayang.h"
#include "printout/page_frame.h"
#include "printout/quantity_table.h"
#include "section/calculation.h"
#include "section/checks.h"
#include "survey_file/survey_file.h"
#include "window/command_output.h"
#include "window/files/quantity_workbook_file.h"
#include "window/files/survey_io.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/platform/fonts.h"
#include "window/platform/startup.h"
#include "window/printing/pdf_export.h"
#include "window/printing/quantity_table_print.h"

namespace window {

namespace {

enum Status { Success = 0, BadFile = 1, BadUsage = 2 };

void say(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

void complain(const QString& message) {
    say(stderr, QStringLiteral("velmorin: ") + message + u'\n');
}

// What looks wrong but calculates: one line each, the output and the exit
// status as without them.
void tellWarnings(const section::SectionSurvey& survey) {
    for (const section::SurveyWarning& warning : section::surveyWarnings(survey))
        complain(QStringLiteral("提醒：") + QString::fromStdString(warning.text));
}

// The survey of FILE, calculated, and its 工程信息; nothing (after saying why)
// when it cannot be.
std::optional<section::SectionSurvey> calculatedSurvey(const QString& path,
                                                       section::ProjectInfo* project = nullptr) {
    OpenedSurvey opened = readSurveyFile(path);
    if (!opened.survey) {
        complain(opened.error);
        return std::nullopt;
    }
    if (!section::calculateSurvey(*opened.survey)) {
        complain(QStringLiteral("测量数据文件“%1”的计算结果超出了数值范围（绝对值超过 3.4E+38）。")
                     .arg(QDir::toNativeSeparators(path)));
        return std::nullopt;
    }
    tellWarnings(*opened.survey);
    if (project) *project = std::move(opened.project);
    return opened.survey;
}

// Status of a write: the message said when there is one.
int written(const QString& error) {
    if (error.isEmpty()) return Success;
    complain(error);
    return BadFile;
}

int writeResults(const QString& path) {
    if (const QString refused = outputOverInput(path, kStandardOutput); !refused.isEmpty())
        return written(refused);
    const std::optional<section::SectionSurvey> survey = calculatedSurvey(path);
    if (!survey) return BadFile;
    return written(
        writeStandardOutput(QByteArray::fromStdString(survey_file::resultsCsv(*survey))));
}

// What --pdf, --table-pdf and --xlsx write.
enum class Output { Sheet, QuantityTable, Workbook };

// Bytes of a file or of standard output: the file written safely.
int writtenTo(const QString& out, const std::function<QString(const QString&)>& toFile,
              const std::function<QByteArray(QString&)>& toBytes) {
    if (out != kStandardOutput) return written(toFile(out));
    QString error;
    const QByteArray bytes = toBytes(error);
    return written(error.isEmpty() ? writeStandardOutput(bytes) : error);
}

int writtenPdf(const PdfDrawing& drawing, const QString& out) {
    return writtenTo(
        out, [&](const QString& file) { return exportPdf(drawing, file); },
        [&](QString& error) { return pdfBytes(drawing, error); });
}

int writeOutput(int argc, char* argv[], const QString& path, const QString& out, Output output) {
    if (const QString refused = outputOverInput(path, out); !refused.isEmpty())
        return written(refused);
    // Fonts and the PDF need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    section::ProjectInfo project;
    const std::optional<section::SectionSurvey> survey = calculatedSurvey(path, &project);
    if (!survey) return BadFile;
    if (output == Output::Sheet) {
        printout::Sheet sheet = printout::dayang(*survey);
        sheet.frame = printout::pageFrame(project);
        return writtenPdf(sheetDrawing(sheet), out);
    }
    const printout::QuantityTable table = printout::quantityTable(*survey, project);
    if (output == Output::QuantityTable) return writtenPdf(quantityTableDrawing(table), out);
    return writtenTo(
        out, [&](const QString& file) { return exportQuantityWorkbook(table, file); },
        [&](QString& error) { return quantityWorkbookBytes(table, error); });
}

int openWindow(int argc, char* argv[], const QString& path) {
    if (!displayReachable()) return BadFile;
    QApplication app(argc, argv);
    prepareApplication(app);
    MainWindow mainWindow;
    mainWindow.show();
    QTimer::singleShot(0, &mainWindow, [&] {
        warnIfNoChineseFont(&mainWindow);
        if (!path.isEmpty()) mainWindow.openSurvey(path);
    });
    return QApplication::exec();
}

}  // namespace

int runProgram(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("velmorin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORIN_VERSION));
    QStringList arguments;
    for (int k = 0; k < argc; ++k) arguments << QString::fromLocal8Bit(argv[k]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Velmorin：道路土方断面计算。不带选项时打开主窗口（给出 FILE 时打开这个测量数据文件）。\n"
        "OUT.pdf 为“-”时写到标准输出（终端、管道都可以）；是符号链接时写到它指向的文件。"
        "OUT.xlsx 也一样。\n"
        "不写的输出：设备、管道（FIFO）、文件夹，以及 FILE "
        "本身（也包括它的链接和转到它的标准输出）。\n"
        "退出状态：0 成功；1 文件读不出、有错或算不出，或者输出写不成、被拒绝；2 用法有误。"));
    const QCommandLineOption pdf(
        QStringLiteral("pdf"),
        QStringLiteral("把 FILE 的计算书写成 PDF 文件 OUT.pdf（“-”：标准输出），不打开窗口。"),
        QStringLiteral("OUT.pdf"));
    const QCommandLineOption tablePdf(
        QStringLiteral("table-pdf"),
        QStringLiteral("把 FILE 的土方数量表写成 PDF 文件 OUT.pdf（“-”：标准输出），不打开窗口。"),
        QStringLiteral("OUT.pdf"));
    const QCommandLineOption xlsx(
        QStringLiteral("xlsx"),
        QStringLiteral("把 FILE 的土方数量表写成 Excel 工作簿 OUT.xlsx（“-”：标准输出），不打开窗口。"),
        QStringLiteral("OUT.xlsx"));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("把 FILE 的计算结果以 CSV 格式写到标准输出，不打开窗口。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示本说明。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号。"));
    parser.addOptions({pdf, tablePdf, xlsx, results, help, version});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("测量数据文件（CSV）。"),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        // Otherwise an option without its file name: the last one given.
        QString missing = QStringLiteral("--pdf");
        for (const QString& argument : arguments) {
            if (argument == QStringLiteral("--table-pdf") || argument == QStringLiteral("--xlsx") ||
                argument == QStringLiteral("--pdf"))
                missing = argument;
        }
        complain((unknown.isEmpty() ? missing + QStringLiteral(" 后面缺少输出文件名")
                                    : QStringLiteral("不认识的选项“%1”").arg(unknown.first())) +
                 QStringLiteral("（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    if (parser.isSet(help)) {
        return written(writeStandardOutput(
            parser.helpText()
                .replace(QStringLiteral("<executable_name>"), QStringLiteral("velmorin"))
                .replace(QStringLiteral("[options]"), QStringLiteral("[选项]"))
                .replace(QStringLiteral("Usage:"), QStringLiteral("用法："))
                .replace(QStringLiteral("Options:"), QStringLiteral("选项："))
                .replace(QStringLiteral("Arguments:"), QStringLiteral("参数："))
                .toUtf8()));
    }
    if (parser.isSet(version)) {
        return written(writeStandardOutput(
            QStringLiteral("velmorin %1\n").arg(QCoreApplication::applicationVersion()).toUtf8()));
    }
    const QStringList files = parser.positionalArguments();
    const int outputs = int(parser.isSet(pdf)) + int(parser.isSet(tablePdf)) +
                        int(parser.isSet(xlsx)) + int(parser.isSet(results));
    if (files.size() > 1 || outputs > 1 || (outputs == 1 && files.isEmpty())) {
        complain(QStringLiteral(
            "用法有误：--pdf、--table-pdf、--xlsx 和 --results 只能选一个，并且需要一个测量数据文件 "
            "FILE（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    const QString file = files.value(0);
    if (parser.isSet(results)) return writeResults(file);
    if (parser.isSet(pdf)) return writeOutput(argc, argv, file, parser.value(pdf), Output::Sheet);
    if (parser.isSet(tablePdf))
        return writeOutput(argc, argv, file, parser.value(tablePdf), Output::QuantityTable);
    if (parser.isSet(xlsx))
        return writeOutput(argc, argv, file, parser.value(xlsx), Output::Workbook);
    return openWindow(argc, argv, file);
}

}  // namespace window
