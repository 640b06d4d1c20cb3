#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

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
    void LoadRecordset(const QString &xmlRecordSet);
    // Stores the template text; nothing is parsed yet.
    void LoadZET(const QString &xmlZET);
    // Shows the about window modally.
    void ShowAboutBox();

    QString recordsetText() const { return dataText_; }
    QString templateText() const { return templateText_; }

    // The control's surface is always 585 x 585 twips.
    static constexpr int kSurfaceTwips = 585;

Q_SIGNALS:
    // Raised once per request after the report is built: "CreaReport=" and
    // the build time in seconds.
    void DebugEvent(const QString &Description);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void keepSurfaceSize();

    QString dataText_;
    QString templateText_;
    QPushButton *cmdIcona_ = nullptr;
};
