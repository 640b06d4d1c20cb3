#include "control/ReportBuilder.h"

#include "control/RequestError.h"
#include "core/WaitCursor.h"
#include "layout/PageLayout.h"
#include "model/DocumentRelease.h"
#include "settings/SettingsStore.h"
#include "template/Conversions.h"
#include "template/KeyError.h"
#include "template/TemplateLoader.h"
#include "template/TemplateUsability.h"
#include "template/Vocabulary.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"

#include <QElapsedTimer>
#include <exception>

namespace zet {

namespace {

const QLatin1String kDuplicationKey("CopieXML");

QString readUserReportSettings(const QString &reportName)
{
    return readRegistryValue(RegistryRoot::CurrentUser, kZetViewKeyPath, reportName);
}

void refuseTemplate(const QString &problem)
{
    if (!problem.isEmpty())
        throw Error(Error::kUnusableTemplate, problem);
}

// Reads the records of data; the reader's errors come from how deep the
// structure and the data nest their record sets.
void readRecords(ReportDocument &document, QString &data)
{
    try {
        readData(document, document.recordsetStruct, data);
    } catch (const Error &error) {
        throw errorIn(error,
            QStringLiteral("record set annidati troppo in profondità in %1 e nei dati")
                .arg(key::kZetRecordsetStruct));
    }
}

// Calls take(element) for every element named by the tags, each running from
// an opening tag to the first closing tag at or after it, in one forward pass:
// that closing tag only moves forward as the opening tags do.
template <typename Take>
void forEachElement(
    const QString &text, qsizetype first, const QString &openTag, const QString &closeTag, Take take)
{
    qsizetype close = -1;
    for (qsizetype open = first; open >= 0; open = text.indexOf(openTag, open + 1)) {
        if (close < open)
            close = text.indexOf(closeTag, open);
        if (close < 0)
            break;
        take(QStringView(text).mid(open, close + closeTag.size() - open));
    }
}

void buildSteps(
    ReportDocument &document, const QString &templateText, QString dataText, const BuildOptions &options)
{
    WaitCursor wait;
    if (options.refuseUnusableTemplate)
        refuseTemplate(templateTextProblem(templateText));
    loadTemplate(document, templateProper(templateText));
    if (options.refuseUnusableTemplate)
        refuseTemplate(loadedTemplateProblem(document));
    document.exportFileName = getElementValue(dataText, QStringLiteral("NomeFileEsportazione"));

    // The duplication count decides whether the data text is needed after
    // reading; a mistake in it is reported after the reader's own, as ever.
    const auto readSettings
        = options.readReportSettings ? options.readReportSettings : readUserReportSettings;
    int copies = 0;
    std::exception_ptr settingsError;
    try {
        copies = duplicationCount(readSettings(document.reportName), document.reportName);
    } catch (...) {
        settingsError = std::current_exception();
    }
    // The reader takes every record out of the text it is given and keeps
    // none of it: a text handed over is freed here, before the layout, unless
    // it is to be read again duplicated. The control's stored data is shared,
    // so it survives for the next request.
    const QString original = copies >= 2 ? dataText : QString();
    readRecords(document, dataText);
    if (settingsError)
        std::rethrow_exception(settingsError);
    if (copies >= 2 && document.records.size() >= 2) {
        if (std::optional<QString> duplicated
            = duplicateRecordElements(original, document.records.at(1).structName))
            readRecords(document, *duplicated);
    }

    if (options.layOut)
        layOutReport(document);
}

template <typename Text>
void buildTimed(ReportDocument &document, const QString &templateText, Text &&dataText,
    const DebugSink &debugEvent, const BuildOptions &options)
{
    QElapsedTimer timer;
    timer.start();
    try {
        buildSteps(document, templateText, std::forward<Text>(dataText), options);
    } catch (...) {
        // A failed request must not leave a half-built document behind.
        releaseDocument(document);
        throw requestError(std::current_exception());
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (debugEvent)
        debugEvent(buildTimeDescription(seconds));
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

    qsizetype size = first + (dataText.size() - last - closeTag.size());
    forEachElement(
        dataText, first, openTag, closeTag, [&size](QStringView element) { size += 2 * element.size(); });
    if (size > kLargestDuplicatedText)
        throw Error(Error::kOutOfMemory,
            QStringLiteral("Out of memory: la duplicazione dei record %1 chiesta da %2 darebbe %3 caratteri "
                           "di dati")
                .arg(openTag, kDuplicationKey)
                .arg(size));

    QString result;
    result.reserve(size);
    result += QStringView(dataText).left(first);
    forEachElement(dataText, first, openTag, closeTag, [&result](QStringView element) {
        result += element;
        result += element;
    });
    result += QStringView(dataText).mid(last + closeTag.size());
    return result;
}

QString buildTimeDescription(double seconds, QLocale locale)
{
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return QStringLiteral("CreaReport=") + locale.toString(seconds, 'g', 15);
}

int duplicationCount(const QString &reportSettings, const QString &reportName)
{
    try {
        return readKey(kDuplicationKey, getElementValue(reportSettings, kDuplicationKey), parseInteger);
    } catch (const Error &error) {
        throw errorIn(error, QStringLiteral("impostazioni del report \"%1\"").arg(reportName));
    }
}

void buildReport(ReportDocument &document, const QString &templateText, const QString &dataText,
    const DebugSink &debugEvent, const BuildOptions &options)
{
    buildTimed(document, templateText, dataText, debugEvent, options);
}

void buildReport(ReportDocument &document, const QString &templateText, QString &&dataText,
    const DebugSink &debugEvent, const BuildOptions &options)
{
    buildTimed(document, templateText, std::move(dataText), debugEvent, options);
}

} // namespace zet
