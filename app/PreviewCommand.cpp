#include "CliCommands.h"

#include "TextFile.h"
#include "zetview/Error.h"
#include "zetview/ZETView.h"

#include <QApplication>
#include <QTimer>

namespace {

// ZETVIEW_PREVIEW_GRAB=file.png saves a picture of the preview once it is
// shown: how the window is looked at on a display without a person.
void armWindowGrab()
{
    const QString grabPath = qEnvironmentVariable("ZETVIEW_PREVIEW_GRAB");
    if (grabPath.isEmpty())
        return;
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, grabPath] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window || !window->isVisible())
            return;
        poll->stop();
        // Without a window manager nothing maximises the window: take the
        // size asked for (ZETVIEW_PREVIEW_GRAB_SIZE=WIDTHxHEIGHT) instead.
        const QStringList size = qEnvironmentVariable("ZETVIEW_PREVIEW_GRAB_SIZE").split(QLatin1Char('x'));
        if (size.size() == 2)
            window->resize(size.at(0).toInt(), size.at(1).toInt());
        QTimer::singleShot(700, window, [window, grabPath] { window->grab().save(grabPath); });
        poll->deleteLater();
    });
    poll->start(50);
}

} // namespace

int runPreview(const QStringList &args)
{
    QStringList files;
    QString title = QStringLiteral("Anteprima");
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--title") && i + 1 < args.size()) {
            title = args.at(++i);
        } else if (args.at(i).startsWith(QLatin1Char('-'))) {
            printError(commandUsage(QStringLiteral("preview")));
            return kExitUsage;
        } else {
            files << args.at(i);
        }
    }
    if (files.size() != 2) {
        printError(commandUsage(QStringLiteral("preview")));
        return kExitUsage;
    }
    QString error;
    const std::optional<QString> templateText = readTextFile(files.at(0), &error);
    if (!templateText) {
        printError(QStringLiteral("impossibile leggere il modello %1: %2").arg(files.at(0), error));
        return kExitFileError;
    }
    const std::optional<QString> dataText = readTextFile(files.at(1), &error);
    if (!dataText) {
        printError(QStringLiteral("impossibile leggere i dati %1: %2").arg(files.at(1), error));
        return kExitFileError;
    }
    ZETView view;
    view.LoadZET(*templateText);
    view.LoadRecordset(*dataText);
    armWindowGrab();
    try {
        printOut(view.ShowPreview(title, true).toUtf8());
    } catch (const zet::Error &failure) {
        printError(failure.message());
        return kExitBuildError;
    }
    return kExitOk;
}
