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

// What the control keeps besides being a widget; the public header names
// only this class, so its members can change between releases.
class ZETView::Private
{
public:
    explicit Private(ZETView *view)
        : view_(view)
    { }

    void keepSurfaceSize();
    QString printRequest(bool showDialog);
    zet::DebugSink debugEvent()
    {
        return [view = view_](const QString &description) { Q_EMIT view->DebugEvent(description); };
    }

    ZETView *view_;
    QString dataText_;
    QString templateText_;
    QString exportError_;
    QPushButton *iconButton_ = nullptr;
    // The documents of this control's previews, one slot per preview.
    zet::OpenDocuments previewDocuments_;
};

ZETView::ZETView(QWidget *parent)
    : QWidget(parent)
    , d_(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("ZETView"));
    d_->iconButton_ = new QPushButton(this);
    d_->iconButton_->setObjectName(QStringLiteral("cmdIcona"));
    d_->iconButton_->setIcon(zet::componentIcon());
    d_->iconButton_->setToolTip(QStringLiteral("ZETView"));
    d_->keepSurfaceSize();
}

ZETView::~ZETView() = default;

void ZETView::LoadRecordset(const QString &recordsetText)
{
    d_->dataText_ = recordsetText;
}

void ZETView::LoadZET(const QString &templateText)
{
    d_->templateText_ = templateText;
}

QString ZETView::recordsetText() const
{
    return d_->dataText_;
}

QString ZETView::templateText() const
{
    return d_->templateText_;
}

QString ZETView::lastExportError() const
{
    return d_->exportError_;
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
        zet::PreviewWindow window(d_->previewDocuments_.document(slot), this);
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
    return zet::runPreviewRequest(
        d_->previewDocuments_, d_->templateText_, d_->dataText_, returnResult, present, d_->debugEvent());
}

bool ZETView::ExportPdf(const QString &fileName)
{
    d_->exportError_.clear();
    bool written = false;
    auto writePdf = [&](zet::ReportDocument &document) {
        written = zet::exportPagesToPdf(document, fileName, true, {}, &d_->exportError_);
        return written;
    };
    zet::runPrintRequest(d_->templateText_, d_->dataText_, writePdf, d_->debugEvent());
    return written;
}

QString ZETView::PrintDirect(bool)
{
    return d_->printRequest(true);
}

QString ZETView::PrintDirectWithoutDialog(bool)
{
    return d_->printRequest(false);
}

QString ZETView::Private::printRequest(bool showDialog)
{
    auto print = [this, showDialog](zet::ReportDocument &document) {
        const zet::PrintOutcome outcome = zet::printReport(document, view_, false, showDialog);
        if (outcome.status == zet::PrintStatus::Failed)
            throw zet::Error(zet::Error::kPrinterError, outcome.message);
        return outcome.status == zet::PrintStatus::Printed;
    };
    return zet::runPrintRequest(templateText_, dataText_, print, debugEvent());
}

void ZETView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d_->keepSurfaceSize();
}

void ZETView::Private::keepSurfaceSize()
{
    // 585 twips at the screen's logical resolution, whatever size is asked for.
    const int width = qRound(zet::twipsToPixels(kSurfaceTwips, view_->logicalDpiX()));
    const int height = qRound(zet::twipsToPixels(kSurfaceTwips, view_->logicalDpiY()));
    if (view_->size() != QSize(width, height))
        view_->setFixedSize(width, height);
    iconButton_->setGeometry(0, 0, width, height);
    iconButton_->setIconSize(QSize(width * 3 / 4, height * 3 / 4));
}
