#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <memory>

class QPushButton;

namespace zet {
class OpenDocuments;
}

// The report component a host program places on one of its forms. It keeps
// the last template and data texts it was given; every request builds its
// own report from them.
class ZETView : public QWidget
{
    Q_OBJECT

public:
    explicit ZETView(QWidget *parent = nullptr);
    ~ZETView() override;

    // Stores the data text (nested record elements); nothing is parsed yet.
    void LoadRecordset(const QString &recordsetText);
    // Stores the template text; nothing is parsed yet.
    void LoadZET(const QString &templateText);
    // Shows the about window modally.
    void ShowAboutBox();

    // Builds the report from the stored texts into a new preview slot and
    // shows it in the modal preview window with this caption, icon (none
    // keeps the default) and window state. Returns when the window closes:
    // with returnResult, the data text after a print from the preview (every
    // edit made there included), otherwise, and after Annulla, Escape or the
    // close box, empty text.
    QString ShowPreview(const QString &title = QStringLiteral("Anteprima"), bool returnResult = false,
        const QIcon &icon = QIcon(), Qt::WindowStates windowState = Qt::WindowMaximized);

    // Builds the report from the stored texts and writes every page, as
    // printed, into one PDF file. Raises DebugEvent once the report is built.
    // Returns false when the file cannot be written (see lastExportError());
    // a report that cannot be built raises zet::Error, like the other requests.
    bool ExportPdf(const QString &fileName);
    QString lastExportError() const { return exportError_; }

    // Build the report and print it as one job. PrintDirect shows the print
    // dialog unless the report's association says NoDialog for an installed
    // printer; PrintDirectWithoutDialog leaves it out whenever the report's
    // associated printer is installed, and shows it otherwise. The result is
    // the data written back as text after a successful print, whatever
    // returnResult says; empty text when the dialog was cancelled or no sheet
    // fits the page. A job that cannot start, fails on a page or is not taken
    // by the spooler raises zet::Error 482 (as does a report that cannot be
    // built, with its own number); the report is released on every path.
    QString PrintDirect(bool returnResult = false);
    QString PrintDirectWithoutDialog(bool returnResult = false);

    QString recordsetText() const { return dataText_; }
    QString templateText() const { return templateText_; }

    // The control's surface is always 585 x 585 twips.
    static constexpr int kSurfaceTwips = 585;

Q_SIGNALS:
    // Raised once per request after the report is built: "CreaReport=" and
    // the build time in seconds.
    void DebugEvent(const QString &description);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void keepSurfaceSize();
    QString printRequest(bool showDialog);

    QString dataText_;
    QString templateText_;
    QString exportError_;
    QPushButton *iconButton_ = nullptr;
    // The documents of this control's previews, one slot per preview.
    std::unique_ptr<zet::OpenDocuments> previewDocuments_;
};
