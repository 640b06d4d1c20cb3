#include "zetview/ZETView.h"

#include "core/Twips.h"

#include "control/AboutBox.h"
#include "control/ComponentIcon.h"
#include "control/ReportRequests.h"
#include "export/PageImageExport.h"

#include <QPushButton>
#include <QResizeEvent>

ZETView::ZETView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ZETView"));
    cmdIcona_ = new QPushButton(this);
    cmdIcona_->setObjectName(QStringLiteral("cmdIcona"));
    cmdIcona_->setIcon(zet::componentIcon());
    cmdIcona_->setToolTip(QStringLiteral("ZETView"));
    keepSurfaceSize();
}

ZETView::~ZETView() = default;

void ZETView::LoadRecordset(const QString &xmlRecordSet)
{
    dataText_ = xmlRecordSet;
}

void ZETView::LoadZET(const QString &xmlZET)
{
    templateText_ = xmlZET;
}

void ZETView::ShowAboutBox()
{
    zet::AboutBox box(this);
    box.exec();
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
    cmdIcona_->setGeometry(0, 0, width, height);
    cmdIcona_->setIconSize(QSize(width * 3 / 4, height * 3 / 4));
}
