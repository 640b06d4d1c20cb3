#pragma once

#include "core/ItalianQtTexts.h"
#include "model/ReportDocument.h"
#include "print/PrintDriver.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace zet {

class LineEditBoxes;

// The preview window (objectName "frmAnteprima"): one page of a laid-out
// document at a time, zoomed and scrolled inside a dark container, with
// editing of framed fields in place and printing. Every position is kept in
// twips and shown at the screen's logical resolution; the page itself is
// drawn at the device's pixels. The window hands back what the document's
// resultText says: the data text after a print from it, empty after Annulla
// or Escape, untouched after the close box.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    enum class ZoomMode { Explicit, FitWindow, FitWidth };

    // Prints the document from the preview; the default is printReport with
    // the print dialog.
    using Printer = std::function<PrintStatus(ReportDocument &document, QWidget *owner, bool outlines)>;

    explicit PreviewWindow(ReportDocument &document, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    void setPrinter(Printer printer) { printer_ = std::move(printer); }

    double zoomFactor() const { return zoomFactor_; }
    ZoomMode zoomMode() const { return zoomMode_; }
    bool outlinesShown() const { return showOutlines_; }
    int currentPage() const;
    // The last page drawn, at the device's pixels.
    const QImage &pageImage() const { return pageImage_; }

Q_SIGNALS:
    // The about box was asked for (toolbar or corner button).
    void aboutRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class PageSurface;

    void buildToolbar();
    void buildZoomGroup(QWidget *group);
    void buildPageController();
    void buildContainer();

    void onToolbar(int index);
    void printFromPreview();
    // Esporta: asks for a file and a format, writes them and says how it went.
    void exportFromPreview();
    void openSettings(QToolButton *button);
    void onViewOption();

    void setZoom(ZoomMode mode, double factor);
    void applyZoom();
    void enableZoomControls(bool enable);
    void clearZoomChecks();
    void sizePageSurface();
    void updateScrollRanges();
    void arrangeScrollBars();
    void positionPage();
    void setScrollRange(QScrollBar *bar, double &twipsPerUnit, double visible, double content);
    double scrollOffset(const QScrollBar *bar, double twipsPerUnit) const;
    void onPageChanged();
    void drawCurrentPage();
    void reportDrawingError(const QString &message);
    void layoutWindow();
    bool handleKey(QKeyEvent *key);
    bool handleCommandKey(QKeyEvent *key);
    void editChanged(int index, const QString &text);

    int px(double twips) const;
    double twips(int pixels) const;
    int containerInnerWidth() const;
    int containerInnerHeight() const;

    ReportDocument &document_;
    Printer printer_;
    // The dialogs opened from the window speak Italian too.
    ItalianQtTexts italianQtTexts_;
    ZoomMode zoomMode_ = ZoomMode::Explicit;
    double zoomFactor_ = 1.0;
    double previousZoom_ = 0.0;
    bool zoomEnabled_ = false;
    bool showOutlines_ = false;
    QString keyBuffer_;
    int dpi_ = 96;
    // Page surface size in twips.
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    double twipsPerUnitX_ = 1.0;
    double twipsPerUnitY_ = 1.0;
    QImage pageImage_;
    QString drawingError_; // the last drawing error told, so it is told once
    bool keyPreviewInstalled_ = false;

    QList<QWidget *> groups_;
    QList<QToolButton *> commands_;
    QList<QToolButton *> viewOptions_;
    QToolButton *zoomOut_ = nullptr;
    QToolButton *zoomIn_ = nullptr;
    QToolButton *zoomMenuButton_ = nullptr;
    QLineEdit *zoomText_ = nullptr;
    QMenu *zoomMenu_ = nullptr;
    QList<QAction *> zoomValues_;
    QAction *fitWindow_ = nullptr;
    QAction *fitWidth_ = nullptr;
    QWidget *pageController_ = nullptr;
    QLineEdit *pageText_ = nullptr;
    QScrollBar *pageBar_ = nullptr;
    QWidget *container_ = nullptr;
    PageSurface *surface_ = nullptr;
    QWidget *shadow_ = nullptr;
    QScrollBar *scrollX_ = nullptr;
    QScrollBar *scrollY_ = nullptr;
    QPushButton *cornerButton_ = nullptr;
    std::unique_ptr<LineEditBoxes> editBoxes_;
};

} // namespace zet
