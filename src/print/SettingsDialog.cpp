#include "print/SettingsDialog.h"

#include "core/Rounding.h"
#include "settings/SettingsStore.h"
#include "template/Conversions.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zet {

namespace {

const QString kImageBuffer = QStringLiteral("ImageBuffer");
const QString kPageBuffer = QStringLiteral("PageBuffer");
constexpr int kGreyed = 2;
// Explanations are wrapped to this width (pixels).
constexpr int kTextWidth = 380;

// A stored state as a check-box state (0 clear, 1 ticked, 2 greyed); a value
// that is none of these shows greyed when above 2 and clear below 0.
int storedState(const QString &fragment, const QString &name)
{
    try {
        return qBound(0, roundHalfEven(parseNumber(getElementValue(fragment, name))), kGreyed);
    } catch (const Error &) {
        return 0; // beyond 32 bits
    }
}

Qt::CheckState checkState(int state)
{
    return state == 1 ? Qt::Checked : state == kGreyed ? Qt::PartiallyChecked : Qt::Unchecked;
}

int storedState(Qt::CheckState state)
{
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? kGreyed : 0;
}

// Greyed is a state the store may hold, not one a click leads to.
void setState(QCheckBox *box, int state)
{
    box->setTristate(state == kGreyed);
    box->setCheckState(checkState(state));
}

QLabel *explanation(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setMinimumWidth(kTextWidth);
    label->setContentsMargins(20, 0, 0, 6);
    return label;
}

} // namespace

SettingsDialog::SettingsDialog(const QStringList &printers, QWidget *parent)
    : QDialog(parent)
    , printers_(printers)
{
    setObjectName(QStringLiteral("frmImpostazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    setModal(true);
    buildControls();

    cmbPrinters_->addItems(printers_);
    for (const QString &printer : printers_) {
        const QString stored = readRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, printer);
        states_.append({ storedState(stored, kImageBuffer), storedState(stored, kPageBuffer) });
    }
    const bool any = !printers_.isEmpty();
    for (QWidget *control : { static_cast<QWidget *>(cmbPrinters_), static_cast<QWidget *>(chkPageBuffer_),
             static_cast<QWidget *>(chkImageBuffer_), findChild<QWidget *>(QStringLiteral("lblLabels_1")),
             findChild<QWidget *>(QStringLiteral("lblLabels_2")) })
        control->setEnabled(any);
    if (any)
        showPrinter(0);

    connect(cmbPrinters_, &QComboBox::currentIndexChanged, this, &SettingsDialog::showPrinter);
    connect(chkImageBuffer_, &QCheckBox::clicked, this,
        [this] { storeClick(chkImageBuffer_, &BufferStates::imageBuffer); });
    connect(chkPageBuffer_, &QCheckBox::clicked, this,
        [this] { storeClick(chkPageBuffer_, &BufferStates::pageBuffer); });
    connect(cmdOk_, &QPushButton::clicked, this, &SettingsDialog::save);
    connect(cmdAnnulla_, &QPushButton::clicked, this, &SettingsDialog::reject);
}

void SettingsDialog::buildControls()
{
    auto *frame = new QGroupBox(QStringLiteral("Impostazioni di stampa"), this);
    frame->setObjectName(QStringLiteral("fraImpostazioni"));
    auto *printerLabel = new QLabel(QStringLiteral("Stampante"), frame);
    printerLabel->setObjectName(QStringLiteral("lblLabels_0"));
    cmbPrinters_ = new QComboBox(frame);
    cmbPrinters_->setObjectName(QStringLiteral("cmbPrinters"));
    printerLabel->setBuddy(cmbPrinters_);
    chkPageBuffer_ = new QCheckBox(QStringLiteral("Utilizza buffer pagina"), frame);
    chkPageBuffer_->setObjectName(QStringLiteral("chkPageBuffer"));
    chkImageBuffer_ = new QCheckBox(QStringLiteral("Utilizza buffer immagine"), frame);
    chkImageBuffer_->setObjectName(QStringLiteral("chkImageBuffer"));

    auto *grid = new QGridLayout(frame);
    grid->addWidget(printerLabel, 0, 0);
    grid->addWidget(cmbPrinters_, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowMinimumHeight(1, 8);
    grid->addWidget(chkPageBuffer_, 2, 0, 1, 2);
    grid->addWidget(
        explanation(QStringLiteral("lblLabels_1"),
            QStringLiteral("Ogni pagina viene creata completamente in una memoria intermedia e poi viene "
                           "trasferita alla stampante come se fosse una grossa immagine. Questo "
                           "procedimento degrada la qualità di stampa e va utilizzato in caso di "
                           "problemi di stampa."),
            frame),
        3, 0, 1, 2);
    grid->addWidget(chkImageBuffer_, 4, 0, 1, 2);
    grid->addWidget(
        explanation(QStringLiteral("lblLabels_2"),
            QStringLiteral("Ogni immagine presente nel documento viene prima stampata in un buffer "
                           "intermedio secondo le impostazioni corrette e poi viene inviata alla "
                           "stampante. Questo procedimento peggiora le prestazioni e l'utilizzo di "
                           "memoria; va utilizzato in caso di problemi di stampa."),
            frame),
        5, 0, 1, 2);

    auto *buttons = new QDialogButtonBox(this);
    cmdOk_ = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    cmdOk_->setEnabled(false);
    cmdAnnulla_ = buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    cmdAnnulla_->setObjectName(QStringLiteral("cmdAnnulla"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SettingsDialog::showPrinter(int index)
{
    if (index < 0 || index >= states_.size())
        return;
    // Showing another printer's states is not a change.
    setState(chkImageBuffer_, states_.at(index).imageBuffer);
    setState(chkPageBuffer_, states_.at(index).pageBuffer);
}

void SettingsDialog::storeClick(QCheckBox *box, int BufferStates::*state)
{
    const int index = cmbPrinters_->currentIndex();
    if (index < 0 || index >= states_.size())
        return;
    states_[index].*state = storedState(box->checkState());
    box->setTristate(false);
    cmdOk_->setEnabled(true);
}

void SettingsDialog::save()
{
    for (int i = 0; i < printers_.size(); ++i) {
        QString text = setElementValue(QString(), kImageBuffer, QString::number(states_.at(i).imageBuffer));
        text = setElementValue(text, kPageBuffer, QString::number(states_.at(i).pageBuffer));
        // A failed write is not reported: the window closes as after a save.
        writeRegistryValue(RegistryRoot::LocalMachine, kZetViewKeyPath, printers_.at(i), text,
            EmptyText::Delete, ValueKind::MultiString);
    }
    cmdOk_->setEnabled(false);
    accept();
}

void SettingsDialog::reject()
{
    if (leaveConfirmed())
        QDialog::reject();
}

bool SettingsDialog::leaveConfirmed()
{
    if (!cmdOk_->isEnabled())
        return true;
    QMessageBox question(QMessageBox::Warning, QStringLiteral("ZETView"),
        QStringLiteral("Attenzione: i dati modificati non sono stati salvati, uscire comunque?"),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setDefaultButton(QMessageBox::Cancel);
    return question.exec() == QMessageBox::Ok;
}

} // namespace zet
