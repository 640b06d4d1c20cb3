#include "CliCommands.h"

#include "TextFile.h"
#include "zetview/Error.h"
#include "zetview/ZETView.h"

#include <QApplication>
#include <QTimer>

namespace {

// ZETVIEW_PREVIEW_GRAB=file.png saves a picture of the preview every half
// second while it is open: how the window is looked at on a display without
// a person. Without a window manager nothing maximises the window;
// ZETVIEW_PREVIEW_GRAB_SIZE=WIDTHxHEIGHT sizes it instead.
void armWindowGrab()
{
    const QString grabPath = qEnvironmentVariable("ZETVIEW_PREVIEW_GRAB");
    if (grabPath.isEmpty())
        return;
    const QStringList size = qEnvironmentVariable("ZETVIEW_PREVIEW_GRAB_SIZE").split(QLatin1Char('x'));
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [grabPath, size] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window || !window->isVisible())
            return;
        if (size.size() == 2 && !window->property("grabSized").toBool()) {
            window->resize(size.at(0).toInt(), size.at(1).toInt());
            window->setProperty("grabSized", true);
            return;
        }
        window->grab().save(grabPath);
    });
    timer->start(500);
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
