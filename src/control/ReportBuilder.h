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
    // Refuse a template that cannot make a page (nothing in it, an unclosed
    // "ZET" wrapper, no band table, no usable page size) with zet::Error 1002
    // instead of building the empty page such a template yields.
    bool refuseUnusableTemplate = false;
};

// Builds the document from the template and data texts: template, export file
// name, data, per-report record duplication, layout; then reports the build
// time. The data text is read from a copy, so the caller's text is unchanged.
// On failure the document is released and the error propagates.
void buildReport(ReportDocument &document, const QString &templateText, const QString &dataText,
    const DebugSink &debugEvent, const BuildOptions &options = {});
// The same with the data text handed over, so that it is freed as soon as it
// is read (before the layout) when the caller keeps no copy.
void buildReport(ReportDocument &document, const QString &templateText, QString &&dataText,
    const DebugSink &debugEvent, const BuildOptions &options = {});

// The template proper: the content of the first "ZET" element when the text
// holds "<ZET>" (exact case), else the whole text.
QString templateProper(const QString &templateText);

// Every element named name written twice in a row, between the text before
// the first and after the last one; text between the elements is dropped.
// Nothing when either tag is missing. Nested elements each run to the first
// closing tag, so their copies can outgrow the data many times over:
// zet::Error 7 when the result would pass kLargestDuplicatedText characters.
inline constexpr qsizetype kLargestDuplicatedText = qsizetype(1) << 28;
std::optional<QString> duplicateRecordElements(const QString &dataText, const QString &name);

// The diagnostic line of a build: "CreaReport=" and the seconds it took,
// with the locale's decimal separator and no digit grouping ("1234,5" in
// Italian, "1234.5" in English).
QString buildTimeDescription(double seconds, QLocale locale = QLocale());

// The "CopieXML" count of a per-report settings fragment (0 when absent).
// zet::Error 6 naming the setting, its value and the report when it does not
// fit 32 bits.
int duplicationCount(const QString &reportSettings, const QString &reportName);

} // namespace zet
