#pragma once

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

    // Builds the report from the stored texts and writes every page, as
    // printed, into one PDF file. Raises DebugEvent once the report is built.
    // Returns false when the file cannot be written (see lastExportError());
    // a report that cannot be built raises zet::Error, like the other requests.
    bool ExportPdf(const QString &fileName);
    QString lastExportError() const { return exportError_; }

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

    QString dataText_;
    QString templateText_;
    QString exportError_;
    QPushButton *iconButton_ = nullptr;
    // The documents of this control's previews, one slot per preview.
    std::unique_ptr<zet::OpenDocuments> previewDocuments_;
};
