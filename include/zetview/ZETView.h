#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <memory>

// The report component a host program places on one of its forms: an icon
// button of 585 x 585 twips that shows nothing else. The host gives it a
// template text and a data text; every request (preview, print, PDF) builds
// a report of its own from the last texts given, uses it and releases it, so
// the same texts serve any number of requests.
//
// A report that cannot be built ends the request with a zet::Error
// (zetview/Error.h) carrying a run-time error number and a message naming
// what is at fault: 6 for a value beyond its range (an integer key beyond 32
// bits, a position or size out of range), 7 when the report would outgrow
// memory, 9 for an index outside a list, 13 for a value of the wrong type,
// 5 for a font size of 0 or less, 51 for an unexpected internal failure,
// 1001 for a template of version 2 or more without a band table, 482 for a
// print job that could not start, failed on a page or was not taken by the
// spooler. Missing keys and data are no error: they read as empty text, 0 or
// false. Nothing else leaves the component; the error propagates out of the
// method called, so catch it there, never let it cross the event loop.
//
// The widget lives on the thread of the QApplication, like any widget.
class ZETView : public QWidget
{
    Q_OBJECT

public:
    explicit ZETView(QWidget *parent = nullptr);
    ~ZETView() override;

    // Stores the data text (nested record elements); nothing is parsed until
    // a request. Only the last text given counts.
    void LoadRecordset(const QString &recordsetText);
    // Stores the template text, with or without its enclosing "ZET" element;
    // nothing is parsed until a request. Only the last text given counts.
    void LoadZET(const QString &templateText);
    // Shows the about window (the component's name and version) modally.
    void ShowAboutBox();

    // Builds the report from the stored texts into a new preview and shows it
    // in the modal preview window, where the user pages, zooms, corrects the
    // framed fields at 100 % and prints. The caption is title ("Anteprima"
    // by default); a null icon (the default) keeps the window's own; the
    // window opens in windowState (maximised by default). Returns when the
    // window closes: with returnResult (false by default) the data text after
    // a print from the preview, every correction made there included; empty
    // text otherwise, and after Annulla, Escape or the close box. Raises
    // DebugEvent once the report is built; zet::Error when it cannot be.
    QString ShowPreview(const QString &title = QStringLiteral("Anteprima"), bool returnResult = false,
        const QIcon &icon = QIcon(), Qt::WindowStates windowState = Qt::WindowMaximized);

    // Builds the report from the stored texts and writes every page, as
    // printed, into one PDF file. Raises DebugEvent once the report is built.
    // Returns false, with the reason in lastExportError(), when nothing can be
    // written: a report without pages or with a page size out of range, or a
    // file that cannot be written. A report that cannot be built raises
    // zet::Error, like the other requests.
    bool ExportPdf(const QString &fileName);
    // Why the last ExportPdf wrote nothing; empty after one that succeeded.
    QString lastExportError() const;

    // Build the report and print it as one job. PrintDirect shows the print
    // dialog unless the report's association says NoDialog for an installed
    // printer; PrintDirectWithoutDialog leaves it out whenever the report's
    // associated printer is installed, and shows it otherwise. Both raise
    // DebugEvent once the report is built. The result is the data written back
    // as text after a successful print, whatever returnResult (false by
    // default) says; empty text when the dialog was cancelled or no sheet fits
    // the page. A job that cannot start, fails on a page or is not taken by
    // the spooler raises zet::Error 482 (as does a report that cannot be built,
    // with its own number); the report is released on every path.
    QString PrintDirect(bool returnResult = false);
    QString PrintDirectWithoutDialog(bool returnResult = false);

    // The texts last given to LoadRecordset and LoadZET, unchanged by requests.
    QString recordsetText() const;
    QString templateText() const;

    // The control's surface is always 585 x 585 twips.
    static constexpr int kSurfaceTwips = 585;

Q_SIGNALS:
    // Raised once per request right after the report is built: "CreaReport="
    // and the build time in seconds, with the decimal separator of the
    // user's locale.
    void DebugEvent(const QString &description);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Everything else the control keeps, out of this header so that later
    // releases can change it without changing the binary interface.
    class Private;
    std::unique_ptr<Private> d_;
};
