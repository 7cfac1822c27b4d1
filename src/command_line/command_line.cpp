// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "command_line/command_output.h"
#include "command_line/landxml_notes.h"
#include "paper/fonts.h"
#include "paper/pdf_export.h"
#include "paper/section_sheets_pdf.h"
#include "printout/earthworks_table.h"
#include "printout/haul_table.h"
#include "printout/road_table.h"
#include "printout/section_sheet_drawing.h"
#include "printout/survey_printouts.h"
#include "runtime/titles.h"
#include "section/any_survey.h"
#include "section/survey_warnings.h"
#include "storage/interchange_export.h"
#include "storage/quantity_workbook_file.h"
#include "storage/road_design_io.h"
#include "storage/safe_write.h"
#include "storage/survey_io.h"
#include "survey_file/survey_file.h"

namespace command_line {

namespace {

enum Status { Success = 0, BadFile = 1, BadUsage = 2 };

void say(std::FILE* stream, std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

void say(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    say(stream, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void complain(const QString& message) {
    say(stderr, QStringLiteral("velmorin: ") + message + u'\n');
}

// The files an output is made from: the survey, and the road design
// (--design) that gives its design lines and 断链, when there is one; and the
// volume method (--method) in place of the survey's own, when one is given.
struct Input {
    QString survey;
    QString design;
    std::optional<section::VolumeMethod> method{};
    printout::SectionDrawings drawings = printout::SectionDrawings::Without;  // --drawings
    // A LandXML file's alignment and surfaces (--alignment, --ground,
    // --design-surface); what is not given is guessed.
    survey_file::LandXmlChoice choice{};
};

// --method's value: its English word or the method's own name.
std::optional<section::VolumeMethod> methodNamed(const QString& value) {
    const QString name = value.trimmed();
    for (const auto& [word, method] : {std::pair{"average", section::VolumeMethod::AverageEndArea},
                                       std::pair{"prismoidal", section::VolumeMethod::Prismoidal}})
        if (name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0 ||
            name == QString::fromStdString(section::methodName(method)))
            return method;
    return std::nullopt;
}

// An output file that is one of the input files, under any name: the message.
QString outputOverInputs(const Input& input, const QString& out) {
    QString refused = outputOverInput(input.survey, out);
    if (refused.isEmpty() && !input.design.isEmpty()) refused = outputOverInput(input.design, out);
    return refused;
}

// The survey of FILE, calculated, with its 工程信息; no survey (after saying
// why) when it cannot be.
struct CalculatedSurvey {
    std::optional<section::Survey> survey;
    section::ProjectInfo project;
    int failure = BadFile;                // the exit status when there is no survey
    section::ReadingReport reading = {};  // what the reading told beside the survey
};

// What looks wrong but calculates, one line each for standard error, in
// UTF-8 as the warnings are (thousands of them for a large survey).
std::string warningLines(const section::Survey& survey) {
    std::string lines;
    for (const section::SurveyWarning& warning : section::warnings(survey))
        lines += "velmorin: 提醒：" + warning.text + '\n';
    return lines;
}

// What the reading changed, one line each for standard error.
std::string noteLines(const section::ReadingReport& reading) {
    std::string lines;
    for (const std::string& note : reading.notes) lines += "velmorin: " + note + '\n';
    return lines;
}

// The survey calculated, its warnings not yet told.
CalculatedSurvey calculatedQuietly(const Input& input) {
    const QString& path = input.survey;
    storage::OpenedSurvey opened = storage::openSurveyAs(path, input.choice);
    if (opened.landXml && opened.landXml->fault) {
        complain(choiceRefused(path, *opened.landXml->fault));
        return {.survey = {}, .project = {}, .failure = BadUsage};
    }
    if (!opened.survey) {
        complain(opened.error);
        return {};
    }
    if (opened.landXml) {
        say(stderr, choiceLines(path, *opened.landXml, input.choice));
    } else if (input.choice != survey_file::LandXmlChoice{}) {
        complain(QStringLiteral("--alignment、--ground 和 --design-surface 只用于 LandXML 文件，"
                                "“%1”不是：请去掉这些选项（velmorin --help 列出用法）。")
                     .arg(QDir::toNativeSeparators(path)));
        return {.survey = {}, .project = {}, .failure = BadUsage};
    }
    if (!input.design.isEmpty()) {
        storage::OpenedDesign design = storage::openRoadDesign(input.design);
        if (!design.design) {
            complain(design.error);
            return {};
        }
        if (const auto fault = opened.survey->setRoadDesign(std::move(*design.design))) {
            complain(QStringLiteral("道路设计文件“%1”不能使用：%2。")
                         .arg(QDir::toNativeSeparators(input.design),
                              QString::fromStdString(fault->message)));
            return {};
        }
    }
    if (input.method) opened.survey->setVolumeMethod(*input.method);
    if (const std::optional<section::Fault> fault = section::calculate(*opened.survey)) {
        // A fault of the survey as a whole (no section) reads as what the file's results do.
        complain((fault->section == 0 ? QStringLiteral("测量数据文件“%1”的%2。")
                                      : QStringLiteral("测量数据文件“%1”算不出：%2。"))
                     .arg(QDir::toNativeSeparators(path), QString::fromStdString(fault->message)));
        return {};
    }
    return {.survey = std::move(opened.survey),
            .project = std::move(opened.project),
            .reading = std::move(opened.reading)};
}

// The warnings told: the output and the exit status as without them.
CalculatedSurvey calculatedSurvey(const Input& input) {
    CalculatedSurvey calculated = calculatedQuietly(input);
    if (calculated.survey)
        say(stderr, noteLines(calculated.reading) + warningLines(*calculated.survey));
    return calculated;
}

// Status of a write: the message said when there is one.
int written(const QString& error) {
    if (error.isEmpty()) return Success;
    complain(error);
    return BadFile;
}

int writeResults(const Input& input) {
    if (const QString refused = outputOverInputs(input, kStandardOutput); !refused.isEmpty())
        return written(refused);
    const CalculatedSurvey calculated = calculatedQuietly(input);
    if (!calculated.survey) return calculated.failure;
    // Neither the warnings nor the results need the other: the warnings are
    // worked out on a second thread meanwhile (where one can be started),
    // and told first, as always.
    std::future<std::string> warnings =
        std::async([&] { return warningLines(*calculated.survey); });
    const std::string results = survey_file::resultsCsv(*calculated.survey);
    say(stderr, noteLines(calculated.reading) + warnings.get());
    say(stderr, materialLines(*calculated.survey, calculated.reading));
    return written(writeStandardOutput(QByteArray::fromStdString(results)));
}

// An export of FILE to OUT ("-": standard output) by `bytes`, which takes the
// file's 工程信息 and says why it has nothing to write by setting its error.
using ExportBytes =
    std::function<QByteArray(const section::Survey&, const section::ProjectInfo&, QString&)>;

int writeExport(const Input& input, const QString& out, const ExportBytes& bytes) {
    if (const QString refused = outputOverInputs(input, out); !refused.isEmpty())
        return written(refused);
    const CalculatedSurvey calculated = calculatedSurvey(input);
    if (!calculated.survey) return calculated.failure;
    QString error;
    const QByteArray content = bytes(*calculated.survey, calculated.project, error);
    if (!error.isEmpty()) return written(error);
    return written(out == kStandardOutput ? writeStandardOutput(content)
                                          : storage::writeFileSafely(out, content));
}

// The printouts of a survey and the workbooks of its tables.
enum class Printout {
    Sheet,
    QuantityTable,
    Workbook,
    RoadTable,
    RoadWorkbook,
    Earthworks,
    EarthworksWorkbook,
    Haul,
    HaulWorkbook
};

// A table only cut-and-fill sections have, written as a PDF or a workbook
// as the output's name ends.
struct CutFillTable {
    const char* option;  // "road-table"
    const char* name;    // "路基设计表"
    Printout pdf;
    Printout workbook;
    printout::QuantityTable (*make)(const section::Survey&, const section::ProjectInfo&, int);
};
constexpr CutFillTable kCutFillTables[] = {
    {"road-table", "路基设计表", Printout::RoadTable, Printout::RoadWorkbook, printout::roadTable},
    {"earthworks", "路基土石方数量计算表", Printout::Earthworks, Printout::EarthworksWorkbook,
     printout::earthworksTable},
    {"haul", "土方调配表", Printout::Haul, Printout::HaulWorkbook, printout::haulTable},
};

const CutFillTable* cutFillTable(Printout printout) {
    for (const CutFillTable& table : kCutFillTables)
        if (printout == table.pdf || printout == table.workbook) return &table;
    return nullptr;
}

// A file written safely, or its bytes to standard output.
int writtenTo(const QString& out, const std::function<QString(const QString&)>& toFile,
              const std::function<QByteArray(QString&)>& toBytes) {
    if (out != kStandardOutput) return written(toFile(out));
    QString error;
    const QByteArray bytes = toBytes(error);
    return written(error.isEmpty() ? writeStandardOutput(bytes) : error);
}

int writtenPdf(const paper::PdfDrawing& drawing, const QString& out) {
    return writtenTo(
        out, [&](const QString& file) { return paper::exportPdf(drawing, file); },
        [&](QString& error) { return paper::pdfBytes(drawing, error); });
}

// A table as a PDF, or as a workbook.
int writeTable(const printout::QuantityTable& table, const QString& out, bool workbook) {
    if (!workbook) return writtenPdf(paper::quantityTableDrawing(table), out);
    return writtenTo(
        out, [&](const QString& file) { return storage::exportQuantityWorkbook(table, file); },
        [&](QString& error) { return storage::quantityWorkbookBytes(table, error); });
}

int writePrintout(const CalculatedSurvey& calculated, const QString& out, Printout printout,
                  printout::SectionDrawings drawings) {
    const section::Survey& survey = *calculated.survey;
    const section::ProjectInfo& project = calculated.project;
    if (printout == Printout::Sheet) {
        const printout::Sheet sheet =
            printout::calculationSheet(survey, project, drawings, calculated.reading);
        return writtenPdf(paper::sheetDrawing(sheet), out);
    }
    const CutFillTable* only = cutFillTable(printout);
    const bool workbook = printout == Printout::Workbook || (only && printout == only->workbook);
    if (!only) return writeTable(printout::quantityTable(survey, project), out, workbook);
    return writeTable(only->make(survey, project, 0), out, workbook);
}

// A cut-and-fill table as the output's name ends: a PDF or a workbook;
// nothing (after saying why) for another ending.
std::optional<Printout> tableOutput(const CutFillTable& table, const QString& out) {
    if (out.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return table.pdf;
    if (out.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive)) return table.workbook;
    complain(QStringLiteral("--%1 的输出文件“%2”既不是 .pdf 也不是 .xlsx："
                            "%3按文件名的结尾写成 PDF 或 Excel 工作簿，"
                            "请给出以 .pdf 或 .xlsx 结尾的文件名。")
                 .arg(QString::fromUtf8(table.option), QDir::toNativeSeparators(out),
                      QString::fromUtf8(table.name)));
    return std::nullopt;
}

// Fonts and the PDF need a GUI application, not a screen.
void startPaper(std::optional<QGuiApplication>& app, int& argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app.emplace(argc, argv);
    paper::installFontSubstitutions();
}

int writePrintout(int argc, char* argv[], const Input& input, const QString& out,
                  Printout printout) {
    if (const QString refused = outputOverInputs(input, out); !refused.isEmpty())
        return written(refused);
    std::optional<QGuiApplication> app;
    startPaper(app, argc, argv);
    const CalculatedSurvey calculated = calculatedSurvey(input);
    if (!calculated.survey) return calculated.failure;
    const CutFillTable* only = cutFillTable(printout);
    if (only && calculated.survey->kind() != section::SurveyKind::CutFill) {
        return written(
            QStringLiteral("测量数据文件“%1”是封闭断面，没有%2："
                           "%2只给有地面线和设计线的填挖方断面。")
                .arg(QDir::toNativeSeparators(input.survey), QString::fromUtf8(only->name)));
    }
    return writePrintout(calculated, out, printout, input.drawings);
}

enum class SheetFormat { Pdf, Dxf };

// --sections' format by the output's name; nothing (after saying why) for
// another ending, or for standard output, which has no name to tell by.
std::optional<SheetFormat> sheetFormat(const QString& out) {
    if (out.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) return SheetFormat::Pdf;
    if (out.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive)) return SheetFormat::Dxf;
    complain(out == kStandardOutput
                 ? QStringLiteral("--sections 写到标准输出（“-”）时看不出要 PDF 还是 DXF："
                                  "DXF 请用 --dxf -，PDF 请给出以 .pdf 结尾的文件名。")
                 : QStringLiteral("--sections 的输出文件“%1”既不是 .pdf 也不是 .dxf："
                                  "横断面图按文件名的结尾写成 PDF 或 DXF，"
                                  "请给出以 .pdf 或 .dxf 结尾的文件名。")
                       .arg(QDir::toNativeSeparators(out)));
    return std::nullopt;
}

// The sheets' scale (--scale) and paper (--paper); nothing (after saying
// why) for a value not understood.
std::optional<printout::SheetOptions> sheetOptions(const QCommandLineParser& parser,
                                                   const QCommandLineOption& scale,
                                                   const QCommandLineOption& paper) {
    printout::SheetOptions options;
    const QString ratio = parser.value(scale);
    if (parser.isSet(scale) && !printout::readScale(ratio.toStdString(), options.scale)) {
        complain(QStringLiteral("--scale 的值“%1”不是比例：请写成 1:200 这样（1:1 到 1:10000），"
                                "常用 1:100、1:200、1:500、1:1000（velmorin --help 列出用法）。")
                     .arg(ratio));
        return std::nullopt;
    }
    const QString size = parser.value(paper).trimmed().toUpper();
    if (size == QStringLiteral("A4")) {
        options.paper = printout::Paper::a4();
    } else if (parser.isSet(paper) && size != QStringLiteral("A3")) {
        complain(QStringLiteral("--paper 的值“%1”不认识：请写 A3 或 A4（横放）"
                                "（velmorin --help 列出用法）。")
                     .arg(parser.value(paper)));
        return std::nullopt;
    }
    return options;
}

// The 横断面图 sheets of FILE: a PDF, or DXF (to standard output too). Sections
// too large for a sheet are told of, and written all the same.
int writeSections(int argc, char* argv[], const Input& input, const QString& out,
                  const printout::SheetOptions& options, SheetFormat format) {
    if (const QString refused = outputOverInputs(input, out); !refused.isEmpty())
        return written(refused);
    std::optional<QGuiApplication> app;
    if (format == SheetFormat::Pdf) startPaper(app, argc, argv);
    const CalculatedSurvey calculated = calculatedSurvey(input);
    if (!calculated.survey) return calculated.failure;
    const printout::SheetDrawing drawing =
        printout::sectionSheets(*calculated.survey, calculated.project, options);
    if (const QString warning = paper::oversizeWarning(*calculated.survey, drawing);
        !warning.isEmpty())
        complain(QStringLiteral("提醒：") + warning);
    if (format == SheetFormat::Pdf)
        return written(paper::exportPdf(paper::sectionSheetsDrawing(drawing), out));
    return writtenTo(
        out,
        [&](const QString& file) {
            return storage::writeFileSafely(file, storage::sectionSheetsDxf(drawing));
        },
        [&](QString&) { return storage::sectionSheetsDxf(drawing); });
}

}  // namespace

Outcome run(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("velmorin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORIN_VERSION));
    QStringList arguments;
    for (int k = 0; k < argc; ++k) arguments << QString::fromLocal8Bit(argv[k]);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "%1：道路土方断面计算。不带选项时打开主窗口（给出 FILE 时打开这个测量数据文件）。\n"
            "OUT.pdf 为“-”时写到标准输出（终端、管道都可以）；是符号链接时写到它指向的文件。"
            "其他输出文件也一样。\n"
            "不写的输出：设备、管道（FIFO）、文件夹，以及 FILE "
            "本身（也包括它的链接和转到它的标准输出）。\n"
            "退出状态：0 成功；1 文件读不出、有错或算不出，或者输出写不成、被拒绝；2 用法有误。")
            .arg(QString::fromUtf8(runtime::applicationName)));
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
        QStringLiteral(
            "把 FILE 的土方数量表写成 Excel 工作簿 OUT.xlsx（“-”：标准输出），不打开窗口。"),
        QStringLiteral("OUT.xlsx"));
    const QCommandLineOption roadTable(
        QStringLiteral("road-table"),
        QStringLiteral("把填挖方断面 FILE 的路基设计表写成 PDF 文件 OUT.pdf 或 Excel 工作簿 "
                       "OUT.xlsx（按文件名的结尾），不打开窗口。"),
        QStringLiteral("OUT.pdf|OUT.xlsx"));
    const QCommandLineOption earthworks(
        QStringLiteral("earthworks"),
        QStringLiteral("把填挖方断面 FILE 的路基土石方数量计算表（土石分类、本桩利用、填缺、挖余）"
                       "写成 PDF 文件 OUT.pdf 或 Excel 工作簿 OUT.xlsx（按文件名的结尾），"
                       "不打开窗口。"),
        QStringLiteral("OUT.pdf|OUT.xlsx"));
    const QCommandLineOption haul(
        QStringLiteral("haul"),
        QStringLiteral("把填挖方断面 FILE 的土方调配表（调配段、平均运距、运量、超运运量、"
                       "弃方、借方）写成 PDF 文件 OUT.pdf 或 Excel 工作簿 OUT.xlsx"
                       "（按文件名的结尾），不打开窗口。"),
        QStringLiteral("OUT.pdf|OUT.xlsx"));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QStringLiteral("把 FILE 的计算结果以 CSV 格式写到标准输出，不打开窗口。"));
    const QCommandLineOption landXml(
        QStringLiteral("landxml"),
        QStringLiteral("把 FILE 的断面、面积和体积写成 LandXML 1.2 文件 OUT.xml（“-”：标准输出），"
                       "供设计程序读入，不打开窗口。"),
        QStringLiteral("OUT.xml"));
    const QCommandLineOption sections(
        QStringLiteral("sections"),
        QStringLiteral("把 FILE 的横断面图（按比例分幅的图纸，带图框和图签）写成 PDF 文件 "
                       "OUT.pdf 或 DXF 文件 OUT.dxf（按文件名的结尾），不打开窗口。"),
        QStringLiteral("OUT.pdf|OUT.dxf"));
    const QCommandLineOption dxfDrawing(
        QStringLiteral("dxf"),
        QStringLiteral("把 FILE 的横断面图写成 DXF 文件 OUT.dxf（R2007，“-”：标准输出），"
                       "供 CAD 程序打开，不打开窗口；与 --sections OUT.dxf 相同。"),
        QStringLiteral("OUT.dxf"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("横断面图的比例，如 1:200（不写时为 1:200）；用于 --sections 和 --dxf。"),
        QStringLiteral("1:N"));
    const QCommandLineOption paper(
        QStringLiteral("paper"),
        QStringLiteral("横断面图的图纸：A3 或 A4，横放（不写时为 A3）；用于 --sections 和 --dxf。"),
        QStringLiteral("A3|A4"));
    const QCommandLineOption design(
        QStringLiteral("design"),
        QStringLiteral("按道路设计文件 DESIGN.csv（纵断面、路幅、边坡、边沟、断链）给 FILE "
                       "中没有输入设计线的填挖方断面生成设计线，并按断链计算间距；"
                       "用于以上每一种输出。"),
        QStringLiteral("DESIGN.csv"));
    const QCommandLineOption method(
        QStringLiteral("method"),
        QStringLiteral("按 METHOD 计算体积：average 为平均断面法，prismoidal 为棱台法"
                       "（V = L×(A1+A2+√(A1×A2))/3，计算书上注明）；用于以上每一种输出。"
                       "不写时按 FILE 中写明的方法，没有写明的按平均断面法。"),
        QStringLiteral("METHOD"));
    const QCommandLineOption drawings(
        QStringLiteral("drawings"),
        QStringLiteral("和 --pdf 一起写：计算书上每个断面的点旁附一个小的断面图。"));
    const QCommandLineOption alignment(
        QStringLiteral("alignment"),
        QStringLiteral("LandXML 文件有几条带横断面的路线时，读名为 NAME 的那条"
                       "（不写时读第一条，并在标准错误上说明）；用于以上每一种输出。"),
        QStringLiteral("NAME"));
    const QCommandLineOption ground(
        QStringLiteral("ground"),
        QStringLiteral("LandXML 文件中名为 NAME 的横断面表面作为地面线（不写时按名称猜："
                       "地面线、EG、existing、Gelände、“10”等）；用于以上每一种输出。"),
        QStringLiteral("NAME"));
    const QCommandLineOption designSurface(
        QStringLiteral("design-surface"),
        QStringLiteral("LandXML 文件中名为 NAME 的横断面表面作为设计线（不写时按名称猜："
                       "设计线、FG、finished、Planum、“50”等，否则取断面最多的 "
                       "DesignCrossSectSurf）；猜的结果在标准错误上说明；用于以上每一种输出。"),
        QStringLiteral("NAME"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("显示本说明。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("显示版本号。"));
    parser.addOptions({pdf,      tablePdf,  xlsx,       roadTable,     earthworks, haul,   results,
                       landXml,  sections,  dxfDrawing, scale,         paper,      design, method,
                       drawings, alignment, ground,     designSurface, help,       version});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("测量数据文件（CSV，里程文件 .hdm，或 LandXML 的 .xml）。"),
        QStringLiteral("[FILE]"));

    for (const auto& [option, value] :
         {std::pair{"--method", "体积计算方法：请写 average（平均断面法）或 prismoidal（棱台法）"},
          std::pair{"--scale", "比例：请写成 1:200 这样"},
          std::pair{"--paper", "图纸：请写 A3 或 A4"}, std::pair{"--alignment", "路线的名称"},
          std::pair{"--ground", "地面线的横断面表面名称"},
          std::pair{"--design-surface", "设计线的横断面表面名称"}}) {
        if (arguments.last() != QLatin1String(option)) continue;
        complain(QStringLiteral("%1 后面缺少%2（velmorin --help 列出用法）。")
                     .arg(QLatin1String(option), QString::fromUtf8(value)));
        return BadUsage;
    }
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        complain(
            (unknown.isEmpty()
                 ? QStringLiteral("--pdf、--table-pdf、--xlsx、--road-table、--earthworks、--"
                                  "haul、--landxml、--sections 或 "
                                  "--dxf 后面缺少输出文件名，或 --design 后面缺少道路设计文件名")
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
    int outputs = 0;
    for (const QCommandLineOption* option : {&pdf, &tablePdf, &xlsx, &roadTable, &earthworks, &haul,
                                             &results, &landXml, &sections, &dxfDrawing})
        outputs += int(parser.isSet(*option));
    if (files.size() > 1 || outputs > 1 || (outputs == 1 && files.isEmpty())) {
        complain(QStringLiteral(
            "用法有误：--pdf、--table-pdf、--xlsx、--road-table、--earthworks、--haul、--results、"
            "--landxml、--sections 和 --dxf 只能选一个，并且需要一个测量数据文件 FILE"
            "（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    if (parser.isSet(design) && outputs == 0) {
        complain(QStringLiteral(
            "用法有误：--design 给输出选项用，要和 "
            "--pdf、--table-pdf、--xlsx、--road-table、--earthworks、--haul、"
            "--results、--landxml、--sections 或 --dxf 之一一起写；在窗口中请用“文件 ▸ "
            "打开道路设计…”（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    survey_file::LandXmlChoice choice;
    for (const auto& [option, name] :
         {std::pair{&alignment, &choice.alignment}, std::pair{&ground, &choice.ground},
          std::pair{&designSurface, &choice.design}})
        if (parser.isSet(*option)) *name = parser.value(*option).toStdString();
    if (choice != survey_file::LandXmlChoice{} && outputs == 0) {
        complain(
            QStringLiteral("用法有误：--alignment、--ground 和 --design-surface 给输出选项用，要和 "
                           "--pdf、--table-pdf、--xlsx、--road-table、--earthworks、--haul、"
                           "--results、--landxml、--sections 或 --dxf 之一一起写"
                           "（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    const std::optional<section::VolumeMethod> chosen = methodNamed(parser.value(method));
    if (parser.isSet(method) && (outputs == 0 || !chosen)) {
        complain((chosen ? QStringLiteral(
                               "用法有误：--method 给输出选项用，要和 --pdf、--table-pdf、"
                               "--xlsx、--road-table、--results、--landxml、--sections 或 --dxf "
                               "之一一起写；在窗口中请用“计算 ▸ 体积计算方法”")
                         : QStringLiteral("--method 的值“%1”不认识：请写 average（平均断面法）或 "
                                          "prismoidal（棱台法）")
                               .arg(parser.value(method))) +
                 QStringLiteral("（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    const bool drawsSheets = parser.isSet(sections) || parser.isSet(dxfDrawing);
    if ((parser.isSet(scale) || parser.isSet(paper)) && !drawsSheets) {
        complain(
            QStringLiteral("用法有误：--scale 和 --paper 给横断面图用，要和 --sections 或 --dxf "
                           "一起写；在窗口中请用“文件 ▸ 导出横断面图…”"
                           "（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    const std::optional<printout::SheetOptions> sheets = sheetOptions(parser, scale, paper);
    if (!sheets) return BadUsage;
    if (parser.isSet(drawings) && !parser.isSet(pdf)) {
        complain(
            QStringLiteral("用法有误：--drawings 只给计算书用，要和 --pdf 一起写；"
                           "在窗口中请在打印或导出 PDF 的对话框里选“计算书附断面图”"
                           "（velmorin --help 列出用法）。"));
        return BadUsage;
    }
    const QString file = files.value(0);
    const Input input{file, parser.value(design), chosen,
                      parser.isSet(drawings) ? printout::SectionDrawings::Beside
                                             : printout::SectionDrawings::Without,
                      choice};
    if (parser.isSet(results)) return writeResults(input);
    const std::pair<const QCommandLineOption*, Printout> printouts[] = {
        {&pdf, Printout::Sheet}, {&tablePdf, Printout::QuantityTable}, {&xlsx, Printout::Workbook}};
    for (const auto& [option, printout] : printouts) {
        if (parser.isSet(*option))
            return writePrintout(argc, argv, input, parser.value(*option), printout);
    }
    for (const auto& [option, table] :
         {std::pair{&roadTable, &kCutFillTables[0]}, std::pair{&earthworks, &kCutFillTables[1]},
          std::pair{&haul, &kCutFillTables[2]}}) {
        if (!parser.isSet(*option)) continue;
        const QString out = parser.value(*option);
        const std::optional<Printout> printout = tableOutput(*table, out);
        if (!printout) return BadUsage;
        return writePrintout(argc, argv, input, out, *printout);
    }
    if (parser.isSet(landXml))
        return writeExport(input, parser.value(landXml), storage::landXmlBytes);
    if (parser.isSet(sections)) {
        const std::optional<SheetFormat> format = sheetFormat(parser.value(sections));
        if (!format) return BadUsage;
        return writeSections(argc, argv, input, parser.value(sections), *sheets, *format);
    }
    if (parser.isSet(dxfDrawing))
        return writeSections(argc, argv, input, parser.value(dxfDrawing), *sheets,
                             SheetFormat::Dxf);
    return Outcome::window(file);
}

}  // namespace command_line
