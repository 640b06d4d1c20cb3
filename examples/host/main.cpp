// A minimal host program: a form with the ZETView control on it, which loads
// a template and its data from files and writes the report as a PDF.
//
//   zetview_host_example TEMPLATE DATA OUTPUT.pdf
//   zetview_host_example TEMPLATE DATA --stampa
//   zetview_host_example TEMPLATE DATA --anteprima
//
// --stampa prints instead, without the print dialog when the report is
// associated with an installed printer, and writes the data it gets back.
// --anteprima shows the report in the preview window (needs a display) and
// writes the data, with the user's corrections, after a print from it.
// With a display the form stays open; with QT_QPA_PLATFORM=offscreen (or the
// option --quit) it exits once the file is written.
#include <zetview/Error.h>
#include <zetview/ZETView.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

static QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    // Templates with embedded pictures are Latin-1; everything else UTF-8.
    const QString text = QString::fromUtf8(bytes);
    return text.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : text;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool quit = args.removeAll(QStringLiteral("--quit")) > 0
        || QGuiApplication::platformName() == QLatin1String("offscreen");
    if (args.size() != 3) {
        std::fprintf(
            stderr, "uso: zetview_host_example MODELLO DATI USCITA.pdf|--stampa|--anteprima [--quit]\n");
        return 64;
    }

    QWidget form;
    form.setWindowTitle(QStringLiteral("Esempio di programma ospite"));
    auto *layout = new QVBoxLayout(&form);
    auto *status = new QLabel(QStringLiteral("Creazione del report..."), &form);
    auto *report = new ZETView(&form);
    layout->addWidget(report);
    layout->addWidget(status);

    QObject::connect(report, &ZETView::DebugEvent, [status](const QString &description) {
        std::printf("%s\n", qPrintable(description));
        status->setText(description);
    });

    report->LoadZET(readFile(args.at(0)));
    report->LoadRecordset(readFile(args.at(1)));
    const bool print = args.at(2) == QLatin1String("--stampa");
    try {
        if (args.at(2) == QLatin1String("--anteprima")) {
            const QString data = report->ShowPreview(QStringLiteral("Esempio"), true);
            std::printf("%s\n", data.isEmpty() ? "anteprima chiusa senza stampa" : qPrintable(data));
            return 0;
        }
        if (print) {
            const QString data = report->PrintDirectWithoutDialog(true);
            if (data.isEmpty()) {
                std::fprintf(stderr, "stampa annullata\n");
                return 3;
            }
            std::printf("stampato; dati restituiti:\n%s\n", qPrintable(data));
            return 0;
        }
        if (!report->ExportPdf(args.at(2))) {
            std::fprintf(stderr, "%s\n", qPrintable(report->lastExportError()));
            return 2;
        }
    } catch (const zet::Error &error) {
        std::fprintf(stderr, "errore %d: %s\n", error.number(), qPrintable(error.message()));
        return 1;
    }
    std::printf("scritto %s\n", qPrintable(args.at(2)));
    if (quit)
        return 0;
    status->setText(QStringLiteral("Scritto %1").arg(args.at(2)));
    form.show();
    return app.exec();
}
