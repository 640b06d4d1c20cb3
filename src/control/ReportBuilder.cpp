#include "control/ReportBuilder.h"

#include "core/WaitCursor.h"
#include "layout/PageLayout.h"
#include "model/DocumentRelease.h"
#include "settings/SettingsStore.h"
#include "template/Conversions.h"
#include "template/TemplateLoader.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"

#include <QElapsedTimer>

namespace zet {

namespace {

QString readUserReportSettings(const QString &reportName)
{
    return readRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, reportName);
}

void buildSteps(ReportDocument &document, const QString &templateText, const QString &dataText,
    const BuildOptions &options)
{
    WaitCursor wait;
    loadTemplate(document, templateProper(templateText));
    document.exportFileName = getElementValue(dataText, QStringLiteral("NomeFileEsportazione"));

    // The reader takes every record out of the text it is given: it gets a
    // copy so the control's stored data survives for the next request.
    QString data = dataText;
    readData(document, document.recordsetStruct, data);

    const auto readSettings
        = options.readReportSettings ? options.readReportSettings : readUserReportSettings;
    const int copies = duplicationCount(readSettings(document.reportName));
    if (copies >= 2 && document.records.size() >= 2) {
        if (std::optional<QString> duplicated
            = duplicateRecordElements(dataText, document.records.at(1).structName)) {
            readData(document, document.recordsetStruct, *duplicated);
        }
    }

    if (options.layOut)
        layOutReport(document);
}

} // namespace

QString templateProper(const QString &templateText)
{
    if (templateText.contains(QLatin1String("<ZET>")))
        return getElementValue(templateText, QStringLiteral("ZET"));
    return templateText;
}

std::optional<QString> duplicateRecordElements(const QString &dataText, const QString &name)
{
    const QString openTag = QLatin1Char('<') + name + QLatin1Char('>');
    const QString closeTag = QLatin1String("</") + name + QLatin1Char('>');
    const qsizetype first = dataText.indexOf(openTag);
    const qsizetype last = dataText.lastIndexOf(closeTag);
    if (first < 0 || last < 0)
        return std::nullopt;

    QString result = dataText.left(first);
    result.reserve(dataText.size() * 2);
    // One forward pass: each opening tag pairs with the first closing tag at
    // or after it, which only moves forward as the opening tags do.
    qsizetype close = -1;
    for (qsizetype open = first; open >= 0; open = dataText.indexOf(openTag, open + 1)) {
        if (close < open)
            close = dataText.indexOf(closeTag, open);
        if (close < 0)
            break;
        const QStringView element = QStringView(dataText).mid(open, close + closeTag.size() - open);
        result += element;
        result += element;
    }
    result += QStringView(dataText).mid(last + closeTag.size());
    return result;
}

QString buildTimeDescription(double seconds, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return QStringLiteral("CreaReport=") + locale.toString(seconds, 'g', 15);
}

int duplicationCount(const QString &reportSettings)
{
    return parseInteger(getElementValue(reportSettings, QStringLiteral("CopieXML")));
}

void buildReport(ReportDocument &document, const QString &templateText, const QString &dataText,
    const DebugSink &debugEvent, const BuildOptions &options)
{
    QElapsedTimer timer;
    timer.start();
    try {
        buildSteps(document, templateText, dataText, options);
    } catch (...) {
        // A failed request must not leave a half-built document behind.
        releaseDocument(document);
        throw;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (debugEvent)
        debugEvent(buildTimeDescription(seconds));
}

} // namespace zet
