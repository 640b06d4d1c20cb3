#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zet {

// The settings window (objectName "frmImpostazioni"): per printer, whether
// pictures and whole pages go to it through off-screen bitmaps. It reads the
// machine's per-printer values when it opens and writes every listed
// printer's value on Ok. Check-box states are stored as 0 clear, 1 ticked,
// 2 greyed.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // printers: device names in the system's order (installedPrinterNames()).
    explicit SettingsDialog(const QStringList &printers, QWidget *parent = nullptr);

    // Annulla, Escape and the window's close button: with unsaved changes the
    // user is asked first, and Cancel keeps the window open.
    void reject() override;

private:
    struct BufferStates
    {
        int imageBuffer = 0;
        int pageBuffer = 0;
    };

    void buildControls();
    void showPrinter(int index);
    void storeClick(QCheckBox *box, int BufferStates::*state);
    void save();
    bool leaveConfirmed();

    QStringList printers_;
    QList<BufferStates> states_;
    QComboBox *cmbPrinters_ = nullptr;
    QCheckBox *chkPageBuffer_ = nullptr;
    QCheckBox *chkImageBuffer_ = nullptr;
    QPushButton *cmdOk_ = nullptr;
    QPushButton *cmdAnnulla_ = nullptr;
};

} // namespace zet
