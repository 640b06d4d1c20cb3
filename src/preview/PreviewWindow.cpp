#include "preview/PreviewWindow.h"

#include "preview/ExportDialog.h"

#include "core/Rounding.h"
#include "core/Twips.h"
#include "core/WaitCursor.h"
#include "gfx/DeviceContext.h"
#include "gfx/FontResolver.h"
#include "print/SettingsDialog.h"
#include "render/EditBoxes.h"
#include "render/PageRenderer.h"
#include "template/Conversions.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"
#include "zetview/Error.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace zet {

namespace {

// Toolbar geometry, twips.
constexpr int kToolbarTop = 30;
constexpr int kToolbarLeft = 30;
constexpr int kButtonSize = 315;
constexpr int kGroupWidths[] = { 1125, 825, 1725, 525, 525 };
constexpr int kControllerWidth = 1395;
constexpr int kControllerHeight = 300;
// Margin around the page inside the container, and the shadow's offset.
constexpr int kPageMargin = 120;
constexpr int kShadowOffset = 60;
constexpr int kScrollUnits = 1000;
constexpr int kScrollStep = 120;
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 0.1;
const QString kCodeWord = QStringLiteral("QUADRIX");

// Toolbar commands by index.
enum Command { kPrint = 0, kExport = 1, kCancel = 2, kSettings = 3, kAbout = 4 };

enum class Glyph { Printer, Gear };

// Icons drawn from vectors at a large size, so they stay sharp at any scale.
QIcon paintedIcon(Glyph glyph)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 3));
    if (glyph == Glyph::Printer) {
        p.setBrush(Qt::white);
        p.drawRect(18, 6, 28, 18); // paper in
        p.setBrush(QColor(120, 130, 145));
        p.drawRoundedRect(6, 22, 52, 24, 4, 4); // body
        p.setBrush(Qt::white);
        p.drawRect(16, 38, 32, 20); // paper out
        p.drawLine(22, 46, 42, 46);
        p.drawLine(22, 52, 36, 52);
    } else {
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            QTransform turn;
            turn.translate(32, 32);
            turn.rotate(i * 45.0);
            gear.addPolygon(turn.map(QPolygonF(QRectF(-6, -28, 12, 14))));
        }
        gear.addEllipse(QPointF(32, 32), 20, 20);
        p.setBrush(QColor(120, 130, 145));
        p.drawPath(gear.simplified());
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(32, 32), 8, 8);
    }
    return QIcon(pixmap);
}

QString zoomCaption(double factor)
{
    return QLocale().toString(factor * 100, 'g', 15) + QStringLiteral(" %");
}

QColor reportColour(int colour)
{
    return QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

} // namespace

// The edit boxes as line edits on the page surface. Text changes made while
// idle are the user's and go to onEdit; losing the focus asks for a redraw.
class LineEditBoxes : public QObject, public EditBoxes
{
public:
    LineEditBoxes(QWidget *surface, int dpi, std::function<void(int, const QString &)> onEdit,
        std::function<void()> onLeave)
        : surface_(surface)
        , dpi_(dpi)
        , onEdit_(std::move(onEdit))
        , onLeave_(std::move(onLeave))
    {
        load(0);
    }

    int upperBound() const override { return int(boxes_.size()) - 1; }
    void load(int index) override
    {
        auto *box = new QLineEdit(surface_);
        box->setObjectName(QStringLiteral("txtData"));
        box->setFrame(false);
        box->hide();
        box->installEventFilter(this);
        QObject::connect(box, &QLineEdit::textChanged, this, [this, index](const QString &text) {
            if (idle())
                onEdit_(index, text);
        });
        boxes_.append(box);
        tags_.append(QString());
    }
    void setVisible(int index, bool visible) override { boxes_.at(index)->setVisible(visible); }
    void setFont(int index, const ReportFont *font) override
    {
        if (!font)
            return;
        QFont qfont(resolveFontFamily(font->name));
        qfont.setPointSizeF(font->size);
        qfont.setBold(font->bold());
        qfont.setItalic(font->italic);
        qfont.setUnderline(font->underline);
        qfont.setStrikeOut(font->strikethrough);
        boxes_.at(index)->setFont(qfont);
    }
    void setAlignment(int index, TextAlignment alignment) override
    {
        Qt::Alignment align = Qt::AlignLeft;
        if (alignment == TextAlignment::Right)
            align = Qt::AlignRight;
        else if (alignment == TextAlignment::Centre)
            align = Qt::AlignHCenter;
        boxes_.at(index)->setAlignment(align | Qt::AlignVCenter);
    }
    void setForeColor(int index, int colour) override { setRole(index, QPalette::Text, colour); }
    void setBackColor(int index, int colour) override { setRole(index, QPalette::Base, colour); }
    void setGeometry(int index, int left, int top, int width, int height) override
    {
        const auto px = [this](int twips) { return qRound(twipsToPixels(twips, dpi_)); };
        boxes_.at(index)->setGeometry(px(left), px(top), px(width), px(height));
    }
    void setText(int index, const QString &text) override { boxes_.at(index)->setText(text); }
    QString tag(int index) const override { return tags_.at(index); }
    void setTag(int index, const QString &tag) override { tags_[index] = tag; }
    void bringToFront(int index) override { boxes_.at(index)->raise(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && idle()) {
            // Leaving for another window (a dialog, the zoom menu) is no edit's end.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                QTimer::singleShot(0, this, [this] { onLeave_(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void setRole(int index, QPalette::ColorRole role, int colour)
    {
        QLineEdit *box = boxes_.at(index);
        QPalette palette = box->palette();
        palette.setColor(role, reportColour(colour));
        box->setPalette(palette);
    }

    QWidget *surface_;
    int dpi_;
    std::function<void(int, const QString &)> onEdit_;
    std::function<void()> onLeave_;
    QList<QLineEdit *> boxes_;
    QStringList tags_;
};

// The white page surface: shows the last drawn page.
class PreviewWindow::PageSurface : public QWidget
{
public:
    PageSurface(const QImage &image, QWidget *parent)
        : QWidget(parent)
        , image_(image)
    {
        setObjectName(QStringLiteral("picFoglio"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!image_.isNull())
            p.drawImage(0, 0, image_);
    }

private:
    const QImage &image_;
};

PreviewWindow::PreviewWindow(ReportDocument &document, QWidget *parent)
    : QDialog(parent)
    , document_(document)
    , printer_([](ReportDocument &doc, QWidget *owner, bool outlines) {
        // Runs from a button or a key: an error ends here, told in a box,
        // never crossing the event loop.
        PrintOutcome outcome;
        try {
            outcome = printReport(doc, owner, outlines, true);
        } catch (const Error &error) {
            outcome.status = PrintStatus::Failed;
            outcome.message = errorText(error);
        }
        if (outcome.status == PrintStatus::Failed && !outcome.message.isEmpty())
            QMessageBox::warning(owner, QStringLiteral("Stampa"), outcome.message);
        return outcome.status;
    })
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima"));
    setModal(true);
    dpi_ = logicalDpiX();
    resize(px(7605), px(5835));
    buildToolbar();
    buildPageController();
    buildContainer();

    // Load: page controller, zoom state, surface, then the first drawing.
    pageBar_->setRange(0, int(document_.pages.size()) - 1);
    pageBar_->setValue(0);
    onPageChanged();
    sizePageSurface();
    updateScrollRanges();
    positionPage();
    enableZoomControls(!document_.hasFramedFields);
    drawCurrentPage();
}

PreviewWindow::~PreviewWindow() = default;

int PreviewWindow::px(double twipsValue) const
{
    return qRound(twipsToPixels(twipsValue, dpi_));
}

double PreviewWindow::twips(int pixels) const
{
    return pixelsToTwips(pixels, dpi_);
}

int PreviewWindow::currentPage() const
{
    return pageBar_->value();
}

void PreviewWindow::buildToolbar()
{
    QStyle *st = style();
    const QSize buttonSize(px(kButtonSize), px(kButtonSize));
    for (int i = 0; i < 5; ++i) {
        auto *group = new QWidget(this);
        group->setObjectName(QStringLiteral("picToolbar%1").arg(i));
        group->resize(px(kGroupWidths[i]), px(kButtonSize));
        auto *separator = new QFrame(group);
        separator->setObjectName(QStringLiteral("cmdSeparator%1").arg(i));
        separator->setFrameShape(QFrame::VLine);
        separator->setFrameShadow(QFrame::Sunken);
        separator->setGeometry(group->width() - px(45), 0, px(30), group->height());
        groups_.append(group);
    }
    // The first group takes the focus the toolbar hands back, so the window's
    // keys work whatever was clicked.
    groups_.at(0)->setFocusPolicy(Qt::StrongFocus);

    struct ToolButton
    {
        int group;
        int left;
        const char *tip;
        QIcon icon;
    };
    const ToolButton buttons[] = {
        { 0, 30, "Avvia la stampa", paintedIcon(Glyph::Printer) },
        { 0, 375, "Esporta", st->standardIcon(QStyle::SP_DialogSaveButton) },
        { 4, 60, "Annulla", st->standardIcon(QStyle::SP_DialogCancelButton) },
        { 0, 720, "Impostazioni", paintedIcon(Glyph::Gear) },
        { 3, 60, "Informazioni", st->standardIcon(QStyle::SP_MessageBoxInformation) },
    };
    for (int i = 0; i < 5; ++i) {
        auto *button = new QToolButton(groups_.at(buttons[i].group));
        button->setObjectName(QStringLiteral("cmdToolbar%1").arg(i));
        button->setToolTip(QString::fromUtf8(buttons[i].tip));
        button->setIcon(buttons[i].icon);
        button->setIconSize(buttonSize * 3 / 4);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(QRect(QPoint(px(buttons[i].left), 0), buttonSize));
        connect(button, &QToolButton::clicked, this, [this, i] { onToolbar(i); });
        commands_.append(button);
    }

    const char *options[] = { "Visualizzazione completa", "Visualizzazione di stampa" };
    const QStyle::StandardPixmap optionIcons[]
        = { QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView };
    for (int i = 0; i < 2; ++i) {
        auto *option = new QToolButton(groups_.at(1));
        option->setObjectName(QStringLiteral("optToolbar%1").arg(i));
        option->setToolTip(QString::fromUtf8(options[i]));
        option->setIcon(st->standardIcon(optionIcons[i]));
        option->setIconSize(buttonSize * 3 / 4);
        option->setCheckable(true);
        option->setAutoRaise(true);
        option->setAutoExclusive(true);
        option->setFocusPolicy(Qt::NoFocus);
        option->setGeometry(QRect(QPoint(px(30 + i * 345), 0), buttonSize));
        connect(option, &QToolButton::clicked, this, [this] { onViewOption(); });
        viewOptions_.append(option);
    }
    viewOptions_.at(0)->setChecked(true);
    buildZoomGroup(groups_.at(2));
}

void PreviewWindow::buildZoomGroup(QWidget *group)
{
    const QSize buttonSize(px(kButtonSize), px(kButtonSize));
    auto makeButton = [&](const char *name, const char *tip, const QString &text, int left, int width) {
        auto *button = new QToolButton(group);
        button->setObjectName(QString::fromUtf8(name));
        button->setToolTip(QString::fromUtf8(tip));
        button->setText(text);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(px(left), 0, px(width), buttonSize.height());
        QFont bigger = button->font();
        bigger.setBold(true);
        button->setFont(bigger);
        return button;
    };
    zoomOut_ = makeButton("cmdZoomMeno", "Zoom -", QStringLiteral("\u2212"), 60, kButtonSize);
    zoomText_ = new QLineEdit(group);
    zoomText_->setObjectName(QStringLiteral("txtZoom"));
    zoomText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    zoomText_->setMaxLength(6);
    zoomText_->setGeometry(px(360), px(15), px(750), px(285));
    zoomText_->setText(zoomCaption(1.0));
    zoomText_->installEventFilter(this);
    zoomMenuButton_ = makeButton("cmdZoom", "Seleziona zoom", QStringLiteral("\u25BE"), 1110, 180);
    zoomIn_ = makeButton("cmdZoomPi\u00F9", "Zoom +", QStringLiteral("+"), 1290, kButtonSize);

    zoomMenu_ = new QMenu(this);
    zoomMenu_->setObjectName(QStringLiteral("mnuZoom"));
    const char *values[] = { "400 %", "200 %", "150 %", "125 %", "100%", "75%", "50%", "25%", "10%" };
    for (const char *caption : values) {
        QAction *action = zoomMenu_->addAction(QString::fromUtf8(caption));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, action] {
            clearZoomChecks();
            action->setChecked(true);
            setZoom(ZoomMode::Explicit, parseNumber(action->text()) / 100);
        });
        zoomValues_.append(action);
    }
    zoomMenu_->addSeparator();
    fitWindow_ = zoomMenu_->addAction(QStringLiteral("Adatta alla finestra"));
    fitWidth_ = zoomMenu_->addAction(QStringLiteral("Adatta alla larghezza"));
    for (QAction *fit : { fitWindow_, fitWidth_ }) {
        fit->setCheckable(true);
        const ZoomMode mode = fit == fitWindow_ ? ZoomMode::FitWindow : ZoomMode::FitWidth;
        connect(fit, &QAction::triggered, this, [this, fit, mode] {
            clearZoomChecks();
            fit->setChecked(true);
            setZoom(mode, 1.0);
        });
    }

    connect(zoomMenuButton_, &QToolButton::clicked, this, [this] {
        QWidget *group = groups_.at(2);
        zoomMenu_->popup(mapToGlobal(QPoint(group->x(), group->y() + group->height())));
    });
    connect(zoomOut_, &QToolButton::clicked, this, [this] {
        clearZoomChecks();
        setZoom(ZoomMode::Explicit, zoomFactor_ - kZoomStep);
    });
    connect(zoomIn_, &QToolButton::clicked, this, [this] {
        clearZoomChecks();
        setZoom(ZoomMode::Explicit, zoomFactor_ + kZoomStep);
    });
}

void PreviewWindow::buildPageController()
{
    pageController_ = new QWidget(this);
    pageController_->setObjectName(QStringLiteral("picPageController"));
    pageController_->setGeometry(
        px(kToolbarLeft + 5 * 825), px(kToolbarTop), px(kControllerWidth), px(kControllerHeight));
    pageText_ = new QLineEdit(pageController_);
    pageText_->setObjectName(QStringLiteral("txtPagina"));
    pageText_->setReadOnly(true);
    pageText_->setFocusPolicy(Qt::NoFocus);
    pageText_->setAlignment(Qt::AlignCenter);
    pageText_->setGeometry(0, 0, px(735), px(kControllerHeight));
    pageBar_ = new QScrollBar(Qt::Horizontal, pageController_);
    pageBar_->setObjectName(QStringLiteral("scrPageController"));
    pageBar_->setFocusPolicy(Qt::NoFocus);
    pageBar_->setGeometry(px(765), 0, px(kControllerWidth - 765), px(kControllerHeight));
    pageBar_->setSingleStep(1);
    pageBar_->setPageStep(1);
    connect(pageBar_, &QScrollBar::valueChanged, this, [this] {
        onPageChanged();
        drawCurrentPage();
    });
}

void PreviewWindow::buildContainer()
{
    container_ = new QWidget(this);
    container_->setObjectName(QStringLiteral("picContenitore"));
    container_->setAutoFillBackground(true);
    QPalette dark = container_->palette();
    dark.setColor(QPalette::Window, dark.color(QPalette::Dark));
    container_->setPalette(dark);

    shadow_ = new QWidget(container_);
    shadow_->setObjectName(QStringLiteral("shaOmbraFoglio"));
    shadow_->setAutoFillBackground(true);
    QPalette shade = shadow_->palette();
    shade.setColor(QPalette::Window, shade.color(QPalette::Shadow));
    shadow_->setPalette(shade);

    surface_ = new PageSurface(pageImage_, container_);
    editBoxes_ = std::make_unique<LineEditBoxes>(
        surface_, dpi_, [this](int index, const QString &text) { editChanged(index, text); },
        [this] {
            if (isVisible())
                drawCurrentPage();
        });

    for (QScrollBar **bar : { &scrollX_, &scrollY_ }) {
        const bool horizontal = bar == &scrollX_;
        *bar = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, container_);
        (*bar)->setObjectName(horizontal ? QStringLiteral("scrPaginaX") : QStringLiteral("scrPaginaY"));
        (*bar)->setFocusPolicy(Qt::NoFocus);
        (*bar)->setMinimum(0);
        connect(*bar, &QScrollBar::valueChanged, this, [this] { positionPage(); });
    }
    cornerButton_ = new QPushButton(this);
    cornerButton_->setObjectName(QStringLiteral("cmdInfo"));
    cornerButton_->setFocusPolicy(Qt::NoFocus);
    cornerButton_->setToolTip(QStringLiteral("Informazioni"));
    cornerButton_->hide();
    connect(cornerButton_, &QPushButton::clicked, this, [this] { Q_EMIT aboutRequested(); });
}

void PreviewWindow::onToolbar(int index)
{
    if (index != kPrint && index != kCancel)
        groups_.at(0)->setFocus();
    switch (index) {
    case kPrint:
        printFromPreview();
        break;
    case kExport:
        exportFromPreview();
        break;
    case kCancel:
        document_.resultText.clear();
        reject();
        break;
    case kSettings:
        openSettings(commands_.at(kSettings));
        break;
    case kAbout:
        Q_EMIT aboutRequested();
        break;
    default:
        break;
    }
}

void PreviewWindow::printFromPreview()
{
    if (printer_(document_, this, showOutlines_) != PrintStatus::Printed)
        return;
    document_.resultText = dataToText(document_);
    accept();
}

void PreviewWindow::exportFromPreview()
{
    const std::optional<ExportTarget> target = askExportTarget(this, document_.exportFileName);
    if (!target)
        return;
    QString error;
    bool written = false;
    {
        WaitCursor busy;
        written = writeExport(
            document_, *target, ExportView { zoomFactor_, viewOptions_.at(1)->isChecked() }, this, &error);
    }
    // Exporting pages leaves each object with the text of the last page
    // written: draw the page shown again, with its edit boxes.
    drawCurrentPage();
    if (written)
        QMessageBox::information(
            nullptr, QStringLiteral("ZET View"), QStringLiteral("Esportazione completata con successo"));
    else
        QMessageBox::critical(
            this, QStringLiteral("Esporta"), QStringLiteral("Esportazione non riuscita.\n%1").arg(error));
}

void PreviewWindow::openSettings(QToolButton *button)
{
    SettingsDialog settings(installedPrinterNames(), this);
    settings.setWindowIcon(button->icon());
    settings.exec();
}

void PreviewWindow::onViewOption()
{
    groups_.at(0)->setFocus();
    enableZoomControls(viewOptions_.at(1)->isChecked() || !document_.hasFramedFields);
    applyZoom();
    drawCurrentPage();
}

void PreviewWindow::setZoom(ZoomMode mode, double factor)
{
    groups_.at(0)->setFocus();
    zoomMode_ = mode;
    zoomFactor_ = factor;
    applyZoom();
}

void PreviewWindow::applyZoom()
{
    if (zoomMode_ != ZoomMode::Explicit) {
        const double scrollXHeight = twips(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        const double fx = roundedHalfEven((twips(containerInnerWidth()) - 2 * kPageMargin - scrollXHeight)
                              / document_.pageWidth * 100)
            / 100;
        const double fy = roundedHalfEven((twips(containerInnerHeight()) - 2 * kPageMargin - scrollXHeight)
                              / document_.pageHeight * 100)
            / 100;
        zoomFactor_ = zoomMode_ == ZoomMode::FitWidth || fx < fy ? fx : fy;
    }
    if (zoomFactor_ < kMinZoom)
        zoomFactor_ = kMinZoom;
    else if (zoomFactor_ >= kMaxZoom)
        zoomFactor_ = kMaxZoom;
    zoomText_->setText(zoomCaption(zoomFactor_));
    if (zoomFactor_ != previousZoom_) {
        sizePageSurface();
        updateScrollRanges();
        arrangeScrollBars();
        surface_->hide();
        drawCurrentPage();
        positionPage();
        surface_->show();
    }
    previousZoom_ = zoomFactor_;
}

void PreviewWindow::enableZoomControls(bool enable)
{
    for (QWidget *control : { static_cast<QWidget *>(zoomMenuButton_), static_cast<QWidget *>(zoomOut_),
             static_cast<QWidget *>(zoomIn_), static_cast<QWidget *>(zoomText_) })
        control->setEnabled(enable);
    zoomEnabled_ = enable;
    if (!enable) {
        clearZoomChecks();
        zoomValues_.at(4)->setChecked(true);
        zoomFactor_ = 1.0;
        zoomMode_ = ZoomMode::Explicit;
    }
}

void PreviewWindow::clearZoomChecks()
{
    for (QAction *action : std::as_const(zoomValues_))
        action->setChecked(false);
    fitWindow_->setChecked(false);
    fitWidth_->setChecked(false);
}

void PreviewWindow::sizePageSurface()
{
    surfaceWidth_ = int(document_.pageWidth);
    surfaceHeight_ = int(document_.pageHeight);
    if (zoomFactor_ != 1.0) {
        surfaceWidth_ = clampToInt(roundedHalfEven(surfaceWidth_ * zoomFactor_));
        surfaceHeight_ = clampToInt(roundedHalfEven(surfaceHeight_ * zoomFactor_));
    }
    surface_->resize(px(surfaceWidth_), px(surfaceHeight_));
    shadow_->resize(surface_->size());
    pageImage_ = QImage();
}

int PreviewWindow::containerInnerWidth() const
{
    return container_->width();
}

int PreviewWindow::containerInnerHeight() const
{
    return container_->height();
}

void PreviewWindow::updateScrollRanges()
{
    const double extent = twips(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const double visibleY = twips(containerInnerHeight()) - extent;
    if (visibleY > 0)
        setScrollRange(scrollY_, twipsPerUnitY_, visibleY, surfaceHeight_ + 2 * kPageMargin);
    const double visibleX = twips(containerInnerWidth()) - extent;
    if (visibleX > 0)
        setScrollRange(scrollX_, twipsPerUnitX_, visibleX, surfaceWidth_ + 2 * kPageMargin);
}

void PreviewWindow::setScrollRange(QScrollBar *bar, double &twipsPerUnit, double visible, double content)
{
    if (content <= visible) {
        bar->setEnabled(false);
        bar->setValue(bar->minimum());
        return;
    }
    const double ratio = (content - visible) / content;
    twipsPerUnit = content / kScrollUnits;
    bar->setMinimum(0);
    bar->setMaximum(roundHalfEven(kScrollUnits * ratio));
    const int small = std::max(1, int(kScrollStep / content * kScrollUnits));
    bar->setSingleStep(small);
    bar->setPageStep(std::max(small, roundHalfEven((1 - ratio) * kScrollUnits)));
    bar->setEnabled(true);
}

double PreviewWindow::scrollOffset(const QScrollBar *bar, double twipsPerUnit) const
{
    return bar->isEnabled() ? -roundedHalfEven(bar->value() * twipsPerUnit) : 0.0;
}

void PreviewWindow::arrangeScrollBars()
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = containerInnerWidth();
    const int height = containerInnerHeight();
    const bool needX = twips(width - extent) < surfaceWidth_ + 2 * kPageMargin;
    const bool needY = twips(height - extent) < surfaceHeight_ + 2 * kPageMargin;
    scrollX_->setGeometry(0, height - extent, width - (needY ? extent : 0), extent);
    scrollY_->setGeometry(width - extent, 0, extent, height - (needX ? extent : 0));
    scrollX_->setVisible(needX);
    scrollY_->setVisible(needY);
    if (!needX)
        scrollX_->setEnabled(false);
    if (!needY)
        scrollY_->setEnabled(false);
    cornerButton_->setGeometry(
        container_->x() + width - extent, container_->y() + height - extent, extent, extent);
    cornerButton_->setVisible(needX && needY);
    cornerButton_->raise();
}

void PreviewWindow::positionPage()
{
    const double left = kPageMargin + scrollOffset(scrollX_, twipsPerUnitX_);
    const double top = kPageMargin + scrollOffset(scrollY_, twipsPerUnitY_);
    surface_->move(px(left), px(top));
    shadow_->move(px(left + kShadowOffset), px(top + kShadowOffset));
}

void PreviewWindow::onPageChanged()
{
    pageText_->setText(QStringLiteral("%1 / %2").arg(pageBar_->value() + 1).arg(pageBar_->maximum() + 1));
}

void PreviewWindow::drawCurrentPage()
{
    if (document_.pages.isEmpty())
        return;
    // The page is drawn at the device's pixels, so text stays crisp on a
    // high-density screen while every position stays in twips.
    const double ratio = surface_->devicePixelRatioF();
    const int deviceDpi = qRound(dpi_ * ratio);
    QImage image(qRound(twipsToPixels(surfaceWidth_, deviceDpi)),
        qRound(twipsToPixels(surfaceHeight_, deviceDpi)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        DeviceContext context(&image);
        context.setLogicalDpi(deviceDpi, deviceDpi);
        RenderOptions options;
        options.view = viewOptions_.at(1)->isChecked() ? RenderView::Print : RenderView::Full;
        options.editBoxes = zoomFactor_ == 1.0 ? editBoxes_.get() : nullptr;
        options.zoom = zoomFactor_;
        options.outlines = showOutlines_;
        // Drawing runs from paint, resize and key events: an error leaves the
        // page blank and is told once, after the event, never crossing the
        // event loop.
        try {
            renderPage(document_, context, pageBar_->value(), options);
            drawingError_.clear();
        } catch (const Error &error) {
            image.fill(Qt::white);
            reportDrawingError(errorText(error));
        }
    }
    image.setDevicePixelRatio(ratio);
    pageImage_ = image;
    surface_->update();
}

void PreviewWindow::reportDrawingError(const QString &message)
{
    if (message == drawingError_)
        return;
    drawingError_ = message;
    QTimer::singleShot(0, this, [this, message] {
        QMessageBox::warning(this, QStringLiteral("Anteprima"),
            QStringLiteral("La pagina non può essere disegnata.\n%1").arg(message));
    });
}

void PreviewWindow::editChanged(int index, const QString &text)
{
    const int valueIndex
        = roundHalfEven(parseNumber(getElementValue(editBoxes_->tag(index), QString(kEditBoxValueElement))));
    if (valueIndex >= 0 && valueIndex < document_.values.size())
        editValue(document_, valueIndex, text);
}

void PreviewWindow::layoutWindow()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const double innerWidth = twips(width());
    const double innerHeight = twips(height()) - kControllerHeight - 60;
    const double width = innerWidth > 0 ? innerWidth : twips(container_->width());

    // Toolbar groups follow each other without gaps.
    groups_.at(0)->move(px(kToolbarLeft), px(kToolbarTop));
    for (int i = 1; i < groups_.size(); ++i)
        groups_.at(i)->move(groups_.at(i - 1)->geometry().right() + 1, px(kToolbarTop));
    // The page controller goes to the right end unless it would cover the toolbar.
    const QWidget *last = groups_.last();
    if (twips(last->x() + last->width()) < width - kControllerWidth)
        pageController_->move(px(width - kControllerWidth), px(kToolbarTop));

    const int top = px(kButtonSize + 60);
    const int height = innerHeight > 0 ? this->height() - top : container_->height();
    container_->setGeometry(0, top, px(width), height);
    if (surface_->height() < container_->height())
        scrollY_->setValue(0);
    if (surface_->width() < container_->width())
        scrollX_->setValue(0);

    arrangeScrollBars();
    updateScrollRanges();
    positionPage();
    if (zoomEnabled_ && zoomMode_ != ZoomMode::Explicit)
        applyZoom();
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutWindow();
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Key preview: the window's keys are seen before the focused control's.
    if (!keyPreviewInstalled_ && windowHandle()) {
        windowHandle()->installEventFilter(this);
        keyPreviewInstalled_ = true;
    }
    groups_.at(0)->setFocus();
    if (surface_->devicePixelRatioF() != pageImage_.devicePixelRatio())
        drawCurrentPage();
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == zoomText_) {
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, zoomText_, &QLineEdit::selectAll);
        if (event->type() == QEvent::KeyPress) {
            // Only digits and Backspace reach the zoom box; the window's keys
            // were handled before.
            const auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            const bool digit = text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128;
            if (!digit && key->key() != Qt::Key_Backspace && !text.isEmpty())
                return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress && watched == windowHandle())
        return handleKey(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

bool PreviewWindow::handleKey(QKeyEvent *key)
{
    const bool handled = handleCommandKey(key);
    // The code word, from the characters typed, after the command the key
    // gave (so Enter prints with the outlines the word turned on).
    for (const QChar ch : key->text()) {
        keyBuffer_ = keyBuffer_.left(kCodeWord.size() - 1) + ch;
        showOutlines_ = keyBuffer_.toUpper() == kCodeWord;
    }
    return handled;
}

bool PreviewWindow::handleCommandKey(QKeyEvent *key)
{
    auto step = [](QScrollBar *bar, int delta) {
        const int target = bar->value() + delta;
        bar->setValue(std::clamp(target, bar->minimum(), bar->maximum()));
    };
    switch (key->key()) {
    case Qt::Key_Right:
        step(scrollX_, scrollX_->singleStep());
        break;
    case Qt::Key_Left:
        step(scrollX_, -scrollX_->singleStep());
        break;
    case Qt::Key_Down:
        step(scrollY_, scrollY_->singleStep());
        break;
    case Qt::Key_Up:
        step(scrollY_, -scrollY_->singleStep());
        break;
    case Qt::Key_PageDown:
        step(scrollY_, scrollY_->pageStep());
        break;
    case Qt::Key_PageUp:
        step(scrollY_, -scrollY_->pageStep());
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        step(pageBar_, 1);
        break;
    case Qt::Key_Minus:
        step(pageBar_, -1);
        break;
    case Qt::Key_Escape:
        onToolbar(kCancel);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter in the zoom box applies the typed value instead of printing.
        if (zoomText_->hasFocus()) {
            clearZoomChecks();
            setZoom(ZoomMode::Explicit, parseNumber(zoomText_->text()) / 100);
        } else {
            onToolbar(kPrint);
        }
        return true;
    default:
        break;
    }
    return false;
}

} // namespace zet
