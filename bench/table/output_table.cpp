// The output rows of the performance table, printed as markdown:
//
//   | Work | ZETView | reference | ratio | goal | met |
//
// - PDF of the warehouse register over 100,000 movements: the export call
//   beside a bare QPainter loop writing the same text lines to a QPdfWriter,
//   in milliseconds of CPU a page (both run on one thread).
// - PNG of its first 1,000 pages: the export (drawing here, encoding on the
//   writer's threads) beside the same bare loop saving each page as PNG on
//   one thread, in pages a second of wall time.
//
// Each measure is taken three times and the median printed. The data comes
// from bench/generate_data.py.
#include "control/ReportBuilder.h"
#include "export/PageImageExport.h"
#include "gfx/FontResolver.h"
#include "layout/ObjectFrame.h"
#include "render/Placeholders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace zet;

namespace {

constexpr int kMovements = 100000;
constexpr int kPngPages = 1000;
constexpr int kRuns = 3;
constexpr double kPdfGoal = 1.2; // at most this many times the bare loop's time a page
constexpr double kPngGoal = 1.8; // at least this many times the bare loop's pages a second

// One text as the page shows it, resolved beforehand.
struct TextLine
{
    QRectF frame;
    QString text;
    int font = 0; // into Floor::fonts
    Qt::Alignment alignment;
    QColor colour;
};

// The text lines of every page and the fonts they use.
struct Floor
{
    std::vector<QFont> fonts;
    std::vector<std::vector<TextLine>> pages;
};

QString registerData()
{
    QProcess generator;
    generator.start(QStringLiteral("python3"),
        { QStringLiteral(ZET_SOURCE_DIR "/bench/generate_data.py"), QStringLiteral("registro"),
            QString::number(kMovements) });
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        std::fprintf(stderr, "bench/generate_data.py failed\n");
        std::exit(1);
    }
    return QString::fromUtf8(generator.readAllStandardOutput());
}

ReportDocument registerReport()
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/examples/registro.zet"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read examples/registro.zet\n");
        std::exit(1);
    }
    ReportDocument document;
    BuildOptions options;
    options.readReportSettings = [](const QString &) { return QString(); };
    buildReport(document, QString::fromUtf8(file.readAll()), registerData(), {}, options);
    return document;
}

int fontIndex(Floor &floor, const ReportFont &font)
{
    QFont made(resolveFontFamily(font.name));
    made.setPixelSize(qRound(font.size * 20)); // twips
    made.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    made.setItalic(font.italic);
    made.setUnderline(font.underline);
    made.setKerning(false);
    const auto known = std::find(floor.fonts.begin(), floor.fonts.end(), made);
    if (known != floor.fonts.end())
        return int(known - floor.fonts.begin());
    floor.fonts.push_back(made);
    return int(floor.fonts.size()) - 1;
}

void addLine(
    Floor &floor, std::vector<TextLine> &lines, const ReportDocument &document, int objectIndex, int bandTop)
{
    const ReportObject &object = document.objects.at(objectIndex);
    if (object.controlType != ControlType::Text && object.controlType != ControlType::FramedText)
        return;
    const ObjectFrame f = computeObjectFrame(document, objectIndex, bandTop);
    const Qt::Alignment alignment = object.alignment == TextAlignment::Right ? Qt::AlignRight
        : object.alignment == TextAlignment::Centre                          ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft;
    lines.push_back({ QRectF(f.left, f.top, f.right - f.left, f.bottom - f.top), object.value,
        fontIndex(floor, object.font.value_or(ReportFont())), alignment,
        QColor(
            object.textColour & 0xFF, (object.textColour >> 8) & 0xFF, (object.textColour >> 16) & 0xFF) });
}

// The texts each page shows in the full view, with the page's own values.
Floor floorOf(ReportDocument &document)
{
    Floor floor;
    for (int p = 0; p < document.pages.size(); ++p) {
        std::vector<TextLine> lines;
        const LaidPage &page = document.pages.at(p);
        for (int b = 0; b < page.placedBands.size(); ++b) {
            const PlacedBand &placed = page.placedBands.at(b);
            const ReportBand &band = document.bands.at(placed.bandIndex);
            if (!band.visible)
                continue;
            for (int objectIndex : band.objectIndexes) {
                const ReportObject &object = document.objects.at(objectIndex);
                if (object.dataSource.isEmpty() && object.printable)
                    addLine(floor, lines, document, objectIndex, placed.top);
            }
            for (int i = 0; i < placed.items.size(); ++i) {
                resolveObjectText(document, p, b, i, placed.items.at(i).objectIndex);
                addLine(floor, lines, document, placed.items.at(i).objectIndex, placed.top);
            }
        }
        floor.pages.push_back(std::move(lines));
    }
    return floor;
}

// The bare loop's page: white, then every text line in twips.
void drawFloorPage(QPainter &painter, const Floor &floor, int pageIndex, const QSizeF &pageTwips)
{
    painter.fillRect(QRectF(QPointF(0, 0), pageTwips), Qt::white);
    int font = -1;
    QColor colour;
    for (const TextLine &line : floor.pages.at(pageIndex)) {
        if (line.font != font)
            painter.setFont(floor.fonts.at(font = line.font));
        if (line.colour != colour)
            painter.setPen(colour = line.colour);
        painter.drawText(line.frame, line.alignment | Qt::AlignTop | Qt::TextSingleLine, line.text);
    }
}

double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The median of kRuns runs of work, each measured by clock (seconds).
double median(const std::function<double()> &clock, const std::function<void()> &work)
{
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const double start = clock();
        work();
        runs.push_back(clock() - start);
    }
    std::sort(runs.begin(), runs.end());
    return runs.at(kRuns / 2);
}

double processCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double wallSeconds()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return double(timer.nsecsElapsed()) / 1e9;
}

void row(const QString &work, double ours, double reference, const QString &unit, double ratio,
    const QString &goal, bool met)
{
    std::printf("| %s | %.2f %s | %.2f %s | %.2f | %s | %s |\n", qPrintable(work), ours, qPrintable(unit),
        reference, qPrintable(unit), ratio, qPrintable(goal), met ? "yes" : "no");
    std::fflush(stdout);
}

void pdfRow(ReportDocument &document, const Floor &floor, const QString &folder)
{
    const QSizeF pageTwips(document.pageWidth, document.pageHeight);
    const int pages = int(document.pages.size());
    const QString ourFile = folder + QStringLiteral("/register.pdf");
    const double ours = median(cpuSeconds, [&] {
        if (!exportPagesToPdf(document, ourFile, false))
            std::fprintf(stderr, "PDF export failed\n");
    });
    const double reference = median(cpuSeconds, [&] {
        QPdfWriter writer(folder + QStringLiteral("/floor.pdf"));
        writer.setResolution(1440);
        writer.setPageSize(QPageSize(pageTwips / 20, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        for (int p = 0; p < pages; ++p) {
            if (p > 0)
                writer.newPage();
            drawFloorPage(painter, floor, p, pageTwips);
        }
    });
    row(QStringLiteral("PDF, register of %L1 rows (%L2 pages), CPU a page").arg(kMovements).arg(pages),
        ours * 1000 / pages, reference * 1000 / pages, QStringLiteral("ms"), ours / reference,
        QStringLiteral("at most %1").arg(kPdfGoal), ours / reference <= kPdfGoal);
}

void pngRow(ReportDocument &document, const Floor &floor, const QString &folder)
{
    ReportDocument first = document;
    first.pages.resize(kPngPages);
    const QSizeF pageTwips(document.pageWidth, document.pageHeight);
    const QSize pixels(qRound(pageTwips.width() / 15), qRound(pageTwips.height() / 15));
    QDir(folder).mkpath(QStringLiteral("png"));
    double oursCpu = processCpuSeconds();
    const double ours = median(wallSeconds, [&] {
        if (!exportPagesToPng(first, folder + QStringLiteral("/png/register.png"), 96, false))
            std::fprintf(stderr, "PNG export failed\n");
    });
    oursCpu = processCpuSeconds() - oursCpu;
    double referenceCpu = processCpuSeconds();
    const double reference = median(wallSeconds, [&] {
        for (int p = 0; p < kPngPages; ++p) {
            QImage image(pixels, QImage::Format_RGB32);
            image.setDotsPerMeterX(3780);
            image.setDotsPerMeterY(3780);
            {
                QPainter painter(&image);
                painter.scale(1.0 / 15, 1.0 / 15);
                drawFloorPage(painter, floor, p, pageTwips);
            }
            image.save(folder + QStringLiteral("/png/floor-%1.png").arg(p + 1), "PNG");
        }
    });
    referenceCpu = processCpuSeconds() - referenceCpu;
    // CPU of all threads a page, to tell the machine's load from the work.
    std::fprintf(stderr, "PNG CPU a page: %.1f ms exported, %.1f ms bare loop\n",
        oursCpu * 1000 / (kRuns * kPngPages), referenceCpu * 1000 / (kRuns * kPngPages));
    const double oursRate = kPngPages / ours;
    const double referenceRate = kPngPages / reference;
    row(QStringLiteral("PNG, first %L1 pages of the register, %2 threads beside one core")
            .arg(kPngPages)
            .arg(QThread::idealThreadCount()),
        oursRate, referenceRate, QStringLiteral("pages/s"), oursRate / referenceRate,
        QStringLiteral("at least %1").arg(kPngGoal), oursRate / referenceRate >= kPngGoal);
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ReportDocument document = registerReport();
    const Floor floor = floorOf(document);
    QTemporaryDir folder;
    // "pdf" or "png" as the argument prints that row alone.
    const QStringList rows = app.arguments().mid(1);
    if (rows.isEmpty() || rows.contains(QStringLiteral("pdf")))
        pdfRow(document, floor, folder.path());
    if (rows.isEmpty() || rows.contains(QStringLiteral("png")))
        pngRow(document, floor, folder.path());
    return 0;
}
