#include "control/AboutBox.h"

#include "control/ComponentIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zet {

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni su ZETView"));
    setWindowIcon(componentIcon());

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("picLogo"));
    logo->setPixmap(componentIcon().pixmap(48, 48));

    auto *name = new QLabel(QStringLiteral("<b>ZETView</b>"), this);
    name->setObjectName(QStringLiteral("lblNome"));
    auto *version = new QLabel(QStringLiteral("Versione %1").arg(QStringLiteral(ZETVIEW_VERSION)), this);
    version->setObjectName(QStringLiteral("lblVersione"));
    auto *purpose = new QLabel(QStringLiteral("Componente di stampa e anteprima dei report"), this);
    purpose->setObjectName(QStringLiteral("lblDescrizione"));

    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(purpose);
    auto *top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addLayout(texts);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setModal(true);
}

} // namespace zet
