#include "zetview/ZETView.h"

#include "core/Twips.h"

#include "control/AboutBox.h"
#include "control/ComponentIcon.h"
#include "control/OpenDocuments.h"
#include "control/ReportRequests.h"
#include "export/PageImageExport.h"
#include "preview/PreviewWindow.h"
#include "print/PrintDriver.h"
#include "zetview/Error.h"

#include <QPushButton>
#include <QResizeEvent>

ZETView::ZETView(QWidget *parent)
    : QWidget(parent)
    , previewDocuments_(std::make_unique<zet::OpenDocuments>())
{
    setObjectName(QStringLiteral("ZETView"));
    iconButton_ = new QPushButton(this);
    iconButton_->setObjectName(QStringLiteral("cmdIcona"));
    iconButton_->setIcon(zet::componentIcon());
    iconButton_->setToolTip(QStringLiteral("ZETView"));
    keepSurfaceSize();
}

ZETView::~ZETView() = default;

void ZETView::LoadRecordset(const QString &recordsetText)
{
    dataText_ = recordsetText;
}

void ZETView::LoadZET(const QString &templateText)
{
    templateText_ = templateText;
}

void ZETView::ShowAboutBox()
{
    zet::AboutBox box(this);
    box.exec();
}

QString ZETView::ShowPreview(
    const QString &title, bool returnResult, const QIcon &icon, Qt::WindowStates windowState)
{
    auto present = [&](int slot) {
        zet::PreviewWindow window(previewDocuments_->document(slot), this);
        connect(&window, &zet::PreviewWindow::aboutRequested, &window, [&window] {
            zet::AboutBox box(&window);
            box.exec();
        });
        if (!icon.isNull())
            window.setWindowIcon(icon);
        window.setWindowTitle(title);
        window.setWindowState(windowState);
        window.exec();
    };
    return zet::runPreviewRequest(*previewDocuments_, templateText_, dataText_, returnResult, present,
        [this](const QString &description) { Q_EMIT DebugEvent(description); });
}

bool ZETView::ExportPdf(const QString &fileName)
{
    exportError_.clear();
    bool written = false;
    auto writePdf = [&](zet::ReportDocument &document) {
        written = zet::exportPagesToPdf(document, fileName, true, {}, &exportError_);
        return written;
    };
    zet::runPrintRequest(templateText_, dataText_, writePdf,
        [this](const QString &description) { Q_EMIT DebugEvent(description); });
    return written;
}

QString ZETView::PrintDirect(bool)
{
    return printRequest(true);
}

QString ZETView::PrintDirectWithoutDialog(bool)
{
    return printRequest(false);
}

QString ZETView::printRequest(bool showDialog)
{
    auto print = [this, showDialog](zet::ReportDocument &document) {
        const zet::PrintOutcome outcome = zet::printReport(document, this, false, showDialog);
        if (outcome.status == zet::PrintStatus::Failed)
            throw zet::Error(zet::Error::kPrinterError, outcome.message);
        return outcome.status == zet::PrintStatus::Printed;
    };
    return zet::runPrintRequest(templateText_, dataText_, print,
        [this](const QString &description) { Q_EMIT DebugEvent(description); });
}

void ZETView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    keepSurfaceSize();
}

void ZETView::keepSurfaceSize()
{
    // 585 twips at the screen's logical resolution, whatever size is asked for.
    const int width = qRound(zet::twipsToPixels(kSurfaceTwips, logicalDpiX()));
    const int height = qRound(zet::twipsToPixels(kSurfaceTwips, logicalDpiY()));
    if (size() != QSize(width, height))
        setFixedSize(width, height);
    iconButton_->setGeometry(0, 0, width, height);
    iconButton_->setIconSize(QSize(width * 3 / 4, height * 3 / 4));
}
