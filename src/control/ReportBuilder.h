#pragma once

#include "model/ReportDocument.h"

#include <QLocale>
#include <functional>
#include <optional>

namespace zet {

// Receives the one diagnostic line of a build ("CreaReport=" and seconds).
using DebugSink = std::function<void(const QString &description)>;

// What a build does besides reading the texts; tests and the dump switch
// steps off.
struct BuildOptions
{
    bool layOut = true;
    // Reads the per-report settings value; by default the user's settings store.
    std::function<QString(const QString &reportName)> readReportSettings;
};

// Builds the document from the template and data texts: template, export file
// name, data, per-report record duplication, layout; then reports the build
// time. The data text is read from a copy, so the caller's text is unchanged.
// On failure the document is released and the error propagates.
void buildReport(ReportDocument &document, const QString &templateText, const QString &dataText,
    const DebugSink &debugEvent, const BuildOptions &options = {});

// The template proper: the content of the first "ZET" element when the text
// holds "<ZET>" (exact case), else the whole text.
QString templateProper(const QString &templateText);

// Every element named name written twice in a row, between the text before
// the first and after the last one; text between the elements is dropped.
// Nothing when either tag is missing.
std::optional<QString> duplicateRecordElements(const QString &dataText, const QString &name);

// The diagnostic line of a build: "CreaReport=" and the seconds it took,
// with the locale's decimal separator and no digit grouping ("1234,5" in
// Italian, "1234.5" in English).
QString buildTimeDescription(double seconds, QLocale locale = QLocale());

// The "CopieXML" count of a per-report settings fragment (0 when absent).
int duplicationCount(const QString &reportSettings);

} // namespace zet
