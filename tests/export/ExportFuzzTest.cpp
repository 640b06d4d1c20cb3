// Mutated sample templates and data, laid out and drawn into a small picture,
// end in pages or a zet::Error: never a crash, a hang or a drawing left half
// undone.

#include "gfx/DeviceContext.h"
#include "layout/PageLayout.h"
#include "render/PageRenderer.h"
#include "support/TextMutation.h"
#include "template/TemplateLoader.h"
#include "xml/RecordsetData.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace zet;

namespace {

// A sample file's text: UTF-8, or Latin-1 (a character a byte) when it holds raw picture bytes.
QString sample(const QString &name)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/examples/") + name);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf8(bytes);
    return text.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : text;
}

// Up to three pages at 10 dpi, with options that vary by round; false when
// it ended in a zet::Error.
bool drawn(const QString &templateText, QString data, int round)
{
    ReportDocument document;
    try {
        loadTemplate(document, templateText);
        readData(document, document.recordsetStruct, data);
        layOutReport(document);
        for (int page = 0; page < std::min<qsizetype>(3, document.pages.size()); ++page) {
            QImage image(90, 120, QImage::Format_RGB32);
            DeviceContext context(&image);
            context.setLogicalDpi(10, 10);
            renderPage(document, context, page,
                { .view = RenderView(round % 2),
                    .zoom = round % 5 == 1 ? 0.5 : 1.0,
                    .pageBuffer = round % 3 == 1,
                    .imageBuffer = round % 4 == 1,
                    .outlines = round % 7 == 1 });
            EXPECT_EQ(context.mapMode(), MapMode::Pixels);
        }
    } catch (const Error &) {
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        return false;
    }
    return true;
}

} // namespace

TEST(ExportFuzz, MutatedSamplesLayOutAndDrawOrFailCleanly)
{
    const QStringList pieces = { "<", ">", "</", "<zet_object>", "</zet_object>", "</zet_imagelist>", "1e308",
        "-", "2147483648", "0", "\r", "\u0301", "[&d", "]", "[&p]", "<Allineamento>3</Allineamento>",
        "<ZETe_ControlType>2</ZETe_ControlType>", "<Size>0,1</Size>", "&H" };
    QRandomGenerator random(20261207);
    for (const QString name : { "fattura", "elenco", "registro" }) {
        const QString base = sample(name + ".zet"), data = sample(name + ".xml");
        ASSERT_TRUE(drawn(base, data, 0)) << name.toStdString();
        int reports = 0;
        for (int round = 1; round <= 200; ++round) {
            SCOPED_TRACE(round);
            const bool dataMutated = round % 3 == 0;
            reports += drawn(dataMutated ? base : test::mutateText(base, random, pieces),
                dataMutated ? test::mutateText(data, random, pieces) : data, round);
        }
        EXPECT_GT(reports, 100) << "most mutations still make a report";
    }
}
