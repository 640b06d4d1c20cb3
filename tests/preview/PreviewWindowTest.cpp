#include "preview/PreviewWindow.h"

#include "export/PageBitmapExport.h"
#include "layout/PageLayout.h"
#include "template/TemplateLoader.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace zet {
namespace {

QString exampleText(const char *name)
{
    QFile file(QStringLiteral(ZET_SOURCE_DIR "/examples/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A sample report, built and laid out as a request builds it.
void buildExample(ReportDocument &document, const char *name)
{
    const QString templateText = exampleText((QByteArray(name) + ".zet").constData());
    loadTemplate(document, getElementValue(templateText, QStringLiteral("ZET")));
    QString data = exampleText((QByteArray(name) + ".xml").constData());
    readData(document, document.recordsetStruct, data);
    layOutReport(document);
}

class PreviewTest : public ::testing::Test
{
protected:
    // Opens the preview of a sample at 1000 x 700 pixels (96 dpi).
    PreviewWindow &open(const char *name)
    {
        buildExample(document_, name);
        window_ = std::make_unique<PreviewWindow>(document_);
        window_->setPrinter([this](ReportDocument &document, QWidget *, bool outlines) {
            printedValues_.clear();
            for (const DataValue &value : std::as_const(document.values))
                printedValues_ << value.value;
            printedWithOutlines_ = outlines;
            return printStatus_;
        });
        window_->resize(1000, 700);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        return *window_;
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window_->windowHandle(), key, modifiers);
    }

    template <typename T> T *child(const QString &name) { return window_->findChild<T *>(name); }

    QString zoomText() { return child<QLineEdit>(QStringLiteral("txtZoom"))->text(); }

    void clickZoomItem(const QString &caption)
    {
        for (QAction *action : child<QMenu>(QStringLiteral("mnuZoom"))->actions()) {
            if (action->text() == caption)
                action->trigger();
        }
    }

    ReportDocument document_;
    std::unique_ptr<PreviewWindow> window_;
    PrintStatus printStatus_ = PrintStatus::Printed;
    QStringList printedValues_;
    bool printedWithOutlines_ = false;
};

TEST_F(PreviewTest, ZoomCommandsClampAndShowThePercentage)
{
    open("registro");
    QLineEdit *typed = child<QLineEdit>(QStringLiteral("txtZoom"));
    auto typeZoom = [&](const QString &keys) {
        typed->setFocus();
        typed->selectAll();
        QTest::keyClick(typed, Qt::Key_Backspace);
        QTest::keyClicks(typed, keys);
        key(Qt::Key_Return);
    };
    struct Row
    {
        std::function<void()> command;
        double factor;
        const char *text;
    };
    auto clickButton = [&](const char *name) {
        return [&, name] { child<QToolButton>(QString::fromUtf8(name))->click(); };
    };
    const Row rows[] = {
        { [&] { clickZoomItem(QStringLiteral("400 %")); }, 4.0, "400 %" },
        { clickButton("cmdZoomPi\u00F9"), 4.0, "400 %" },
        { clickButton("cmdZoomMeno"), 3.9, "390 %" },
        { [&] { clickZoomItem(QStringLiteral("10%")); }, 0.1, "10 %" },
        { clickButton("cmdZoomMeno"), 0.1, "10 %" },
        { [&] { typeZoom(QStringLiteral("999")); }, 4.0, "400 %" },
        { [&] { typeZoom(QStringLiteral("0")); }, 0.1, "10 %" },
        // Only digits reach the box: "7-,5" is typed as 75.
        { [&] { typeZoom(QStringLiteral("7-,5")); }, 0.75, "75 %" },
        { [&] { clickZoomItem(QStringLiteral("100%")); }, 1.0, "100 %" },
    };
    for (const Row &row : rows) {
        row.command();
        EXPECT_DOUBLE_EQ(window_->zoomFactor(), row.factor) << row.text;
        EXPECT_EQ(zoomText(), QString::fromUtf8(row.text));
    }
    // A typed zoom applies with Enter and does not print.
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(printedValues_.isEmpty());
}

TEST_F(PreviewTest, FitModesFillTheContainerAndFollowTheWindow)
{
    open("registro");
    QWidget *container = child<QWidget>(QStringLiteral("picContenitore"));
    QWidget *page = child<QWidget>(QStringLiteral("picFoglio"));
    const int extent = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // 240 twips of margin around the page are 16 pixels at 96 dpi; the
    // factor's two decimals may overshoot by half a hundredth of the page.
    auto pageFits = [&] {
        return page->height() + 16 + extent <= container->height() + page->height() / 200 + 1
            && page->width() + 16 + extent <= container->width() + page->width() / 200 + 1;
    };
    clickZoomItem(QStringLiteral("Adatta alla finestra"));
    const double fitted = window_->zoomFactor();
    EXPECT_TRUE(pageFits()) << fitted;
    EXPECT_GT(page->height() + 16 + extent + 15, container->height()) << "the height decides";
    EXPECT_FALSE(child<QScrollBar>(QStringLiteral("scrPaginaY"))->isVisible());

    window_->resize(1000, 1400);
    EXPECT_GT(window_->zoomFactor(), fitted);
    EXPECT_TRUE(pageFits()) << page->width() << "x" << page->height() << " in " << container->width() << "x"
                            << container->height();

    clickZoomItem(QStringLiteral("Adatta alla larghezza"));
    EXPECT_NEAR(page->width() + 16 + extent, container->width(), 10);

    // Too small a window clamps the fit to 10 %.
    window_->resize(60, 60);
    EXPECT_DOUBLE_EQ(window_->zoomFactor(), 0.1);
    // An explicit zoom leaves the fit modes.
    child<QToolButton>(QStringLiteral("cmdZoomPi\u00F9"))->click();
    window_->resize(1000, 1400);
    EXPECT_DOUBLE_EQ(window_->zoomFactor(), 0.2);
}

TEST_F(PreviewTest, KeysPageAndScrollWithinTheirEnds)
{
    open("registro");
    QLineEdit *pageText = child<QLineEdit>(QStringLiteral("txtPagina"));
    QScrollBar *vertical = child<QScrollBar>(QStringLiteral("scrPaginaY"));
    const int pages = int(document_.pages.size());
    ASSERT_GT(pages, 2);
    const QString last = QStringLiteral("%1 / %1").arg(pages);
    struct Row
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int repeat;
        QString pageText;
    };
    const Row rows[] = {
        { Qt::Key_Minus, Qt::KeypadModifier, 1, QStringLiteral("1 / %1").arg(pages) },
        { Qt::Key_Plus, Qt::KeypadModifier, 1, QStringLiteral("2 / %1").arg(pages) },
        { Qt::Key_Equal, Qt::NoModifier, 1, QStringLiteral("3 / %1").arg(pages) },
        { Qt::Key_Plus, Qt::ShiftModifier, pages + 2, last },
        { Qt::Key_Minus, Qt::ControlModifier, 1, QStringLiteral("%1 / %2").arg(pages - 1).arg(pages) },
    };
    for (const Row &row : rows) {
        for (int i = 0; i < row.repeat; ++i)
            key(row.key, row.modifiers);
        EXPECT_EQ(pageText->text(), row.pageText);
    }

    ASSERT_TRUE(vertical->isEnabled());
    for (int i = 0; i < 50; ++i)
        key(Qt::Key_PageDown);
    EXPECT_EQ(vertical->value(), vertical->maximum());
    QWidget *page = child<QWidget>(QStringLiteral("picFoglio"));
    QWidget *container = child<QWidget>(QStringLiteral("picContenitore"));
    // At the bottom the page's lower margin shows above the horizontal bar's place.
    EXPECT_NEAR(page->geometry().bottom() + 8, container->height() - vertical->width(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(vertical->value(), vertical->maximum() - vertical->singleStep());
    for (int i = 0; i < 50; ++i)
        key(Qt::Key_PageUp);
    EXPECT_EQ(vertical->value(), 0);
    EXPECT_EQ(page->pos(), QPoint(8, 8));
    EXPECT_EQ(child<QWidget>(QStringLiteral("shaOmbraFoglio"))->pos(), QPoint(12, 12));
}

TEST_F(PreviewTest, TypedTextReachesTheDataExactlyAndTheRendererFillingNever)
{
    open("fattura");
    ASSERT_TRUE(document_.hasFramedFields);
    EXPECT_FALSE(child<QToolButton>(QStringLiteral("cmdZoomPi\u00F9"))->isEnabled());
    QLineEdit *box = nullptr;
    for (QLineEdit *candidate : window_->findChildren<QLineEdit *>(QStringLiteral("txtData"))) {
        if (candidate->isVisible() && !box)
            box = candidate;
    }
    ASSERT_NE(box, nullptr);
    // The boxes are filled and shown, but no value has been touched.
    ASSERT_TRUE(document_.loadedValues.isEmpty());

    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QStringLiteral("  Nuova  Ditta  "));
    // Paging away and back redraws and refills the boxes; the edit stays.
    key(Qt::Key_Plus, Qt::KeypadModifier);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    // The print view allows zoom; back in the full view it is 100 % again,
    // with the boxes showing the edit.
    child<QToolButton>(QStringLiteral("optToolbar1"))->click();
    child<QToolButton>(QStringLiteral("cmdZoomPi\u00F9"))->click();
    EXPECT_DOUBLE_EQ(window_->zoomFactor(), 1.1);
    EXPECT_FALSE(box->isVisible());
    child<QToolButton>(QStringLiteral("optToolbar0"))->click();
    EXPECT_DOUBLE_EQ(window_->zoomFactor(), 1.0);
    EXPECT_FALSE(child<QToolButton>(QStringLiteral("cmdZoomPi\u00F9"))->isEnabled());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("  Nuova  Ditta  "));
    // Enter prints from any control; the result carries the edit verbatim.
    key(Qt::Key_Return);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(printedValues_.contains(QStringLiteral("  Nuova  Ditta  ")));
    // The data text writer drops a value's outer spaces, never the inner ones.
    EXPECT_TRUE(document_.resultText.contains(QStringLiteral(">Nuova  Ditta<")));
    int changed = 0;
    for (int i = 0; i < document_.values.size(); ++i)
        changed += document_.values.at(i).value != loadedValue(document_, i);
    EXPECT_EQ(changed, 1);
}

TEST_F(PreviewTest, ResultOfEachWayOut)
{
    enum Expected { DataText, Empty, Unchanged };
    struct Row
    {
        const char *name;
        std::function<void()> action;
        PrintStatus printStatus;
        bool closed;
        Expected result;
    };
    const Row rows[] = {
        { "print button", [this] { child<QToolButton>(QStringLiteral("cmdToolbar0"))->click(); },
            PrintStatus::Printed, true, DataText },
        { "cancelled print", [this] { key(Qt::Key_Enter, Qt::KeypadModifier); }, PrintStatus::Cancelled,
            false, Unchanged },
        { "Annulla", [this] { child<QToolButton>(QStringLiteral("cmdToolbar2"))->click(); },
            PrintStatus::Printed, true, Empty },
        { "Escape", [this] { key(Qt::Key_Escape); }, PrintStatus::Printed, true, Empty },
        { "close box", [this] { window_->close(); }, PrintStatus::Printed, true, Unchanged },
    };
    for (const Row &row : rows) {
        window_.reset();
        document_ = ReportDocument();
        printStatus_ = row.printStatus;
        open("registro");
        document_.resultText = QStringLiteral("prima");
        row.action();
        EXPECT_EQ(!window_->isVisible(), row.closed) << row.name;
        const QString expected[] = { dataToText(document_), QString(), QStringLiteral("prima") };
        EXPECT_EQ(document_.resultText, expected[row.result]) << row.name;
    }
}

TEST_F(PreviewTest, CodeWordTurnsOutlinesOnUntilTheNextKey)
{
    open("registro");
    const QString typed = QStringLiteral("QuAdRiX");
    for (const QChar ch : typed)
        QTest::keyClick(window_->windowHandle(), ch.toLatin1());
    EXPECT_TRUE(window_->outlinesShown());
    QTest::keyClick(window_->windowHandle(), 'a');
    EXPECT_FALSE(window_->outlinesShown());
    // Typing the last letter again brings them back, and a print gets them.
    QTest::keyClick(window_->windowHandle(), 'x');
    EXPECT_TRUE(window_->outlinesShown());
    key(Qt::Key_Return);
    EXPECT_TRUE(printedWithOutlines_);
}

TEST_F(PreviewTest, ExportedBitmapsAreThePagesAsShown)
{
    open("fattura");
    child<QToolButton>(QStringLiteral("optToolbar1"))->click();
    clickZoomItem(QStringLiteral("75%"));
    key(Qt::Key_Plus, Qt::KeypadModifier);
    window_->repaint();
    QTemporaryDir dir;
    ASSERT_TRUE(
        exportPageBitmaps(document_, dir.filePath(QStringLiteral("f.bmp")), window_->zoomFactor(), true));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("f  1.bmp"))).convertToFormat(QImage::Format_RGB32),
        window_->pageImage());
}

// Esporta: the dialog as offered, each choice written where asked, and the
// message that follows: success only after the file was written.
TEST_F(PreviewTest, EsportaWritesTheChosenFormatAndTellsHowItWent)
{
    open("fattura");
    document_.exportFileName = QStringLiteral("Fattura 12");
    QTemporaryDir folder;
    struct Row
    {
        const char *name;
        const char *filter; // empty: the dialog is cancelled
        const char *written; // the file to look at
        const char *writtenStart; // its first bytes, empty when nothing is written
        const char *message;
    };
    const char *done = "Esportazione completata con successo";
    const Row rows[] = {
        // The extension typed plays no part: the filter decides.
        { "dati.htm", "Archivio XML (*.xml)", "dati.htm", "<?xml", done },
        { "report", "Documento PDF (*.pdf)", "report.pdf", "%PDF", done },
        { "sito.htm", "Pagina HTML (*.htm)", "sito_file/1.htm", "<HTML>", done },
        { "rep.bmp", "Immagini (*.bmp)", "rep  2.bmp", "BM", done },
        { "manca/report.pdf", "Documento PDF (*.pdf)", "manca/report.pdf", "", "Esportazione non riuscita" },
        { "annullato.xml", "", "annullato.xml", "", "" },
    };
    for (const Row &row : rows) {
        const QString path = folder.filePath(QString::fromUtf8(row.name));
        QString offeredFilter, offeredName, title, saveButton, told;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                title = dialog->windowTitle();
                saveButton = dialog->labelText(QFileDialog::Accept);
                offeredFilter = dialog->selectedNameFilter();
                offeredName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
                if (!*row.filter) {
                    dialog->reject();
                    return;
                }
                dialog->selectNameFilter(QString::fromUtf8(row.filter));
                // Typed, as a user does.
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
                static_cast<QDialog *>(dialog)->accept();
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                told = box->windowTitle() + QLatin1Char('|') + box->text();
                box->accept();
            }
        });
        driver.start(10);
        child<QToolButton>(QStringLiteral("cmdToolbar1"))->click();
        driver.stop();
        EXPECT_EQ(title, QStringLiteral("Esporta"));
        EXPECT_EQ(saveButton, QStringLiteral("&Salva")); // Qt's own texts in Italian too
        EXPECT_EQ(offeredFilter, QStringLiteral("Archivio XML (*.xml)"));
        EXPECT_EQ(offeredName, QStringLiteral("Fattura 12"));
        EXPECT_TRUE(told.contains(QString::fromUtf8(row.message))) << row.name << ": " << told.toStdString();
        if (!*row.message) {
            EXPECT_TRUE(told.isEmpty()) << told.toStdString();
        }
        QFile written(folder.filePath(QString::fromUtf8(row.written)));
        EXPECT_EQ(written.open(QIODevice::ReadOnly) ? written.read(qstrlen(row.writtenStart)) : QByteArray(),
            QByteArray(row.writtenStart))
            << row.name;
    }
    EXPECT_TRUE(window_->isVisible());
}

TEST(PreviewErrors, APageThatCannotBeDrawnIsToldInABoxAndLeftBlank)
{
    ReportDocument document;
    buildExample(document, "elenco");
    // A placed item pointing past the object list: drawing page 2 fails.
    document.pages[1].placedBands[0].items.append(PlacedItem { 9999, -1 });
    PreviewWindow window(document);
    window.resize(800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QString told;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            told = box->text();
            box->close();
        }
    });
    closer.start(10);
    QTest::keyClick(window.windowHandle(), Qt::Key_Plus, Qt::KeypadModifier); // to page 2, from a key event
    for (int waited = 0; told.isEmpty() && waited < 5000; waited += 10)
        QTest::qWait(10);
    EXPECT_TRUE(told.contains(QStringLiteral("Errore 9"))) << told.toStdString();
    EXPECT_EQ(window.pageImage().pixelColor(window.pageImage().width() / 2, 40), QColor(Qt::white));
}

} // namespace
} // namespace zet
