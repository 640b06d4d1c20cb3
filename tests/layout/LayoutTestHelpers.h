#pragma once

#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

namespace zet::test {

// A page 10000 twips high with margins of 500 and a page header and footer of
// 1000 each, so that every page's flow runs from 1500 down to 8500, with these
// bands and record-set structure.
inline TemplateText standardPage(const RecordSet &structure, const QList<std::pair<Slot, BandShape>> &bands)
{
    TemplateText text;
    text.page(10000, 500, 500).band(PageHeader, { 1000 }).band(PageFooter, { 1000 }).structure(structure);
    for (const auto &[slot, shape] : bands)
        text.band(slot, shape);
    return text;
}

// Record-set structures under Report: Riga records (body only); Gruppo
// holding Riga (data header and footer with the body); Gruppo, Dati, Riga
// (group bands). Fields: Nome, and Totale for Dati.
inline const RecordSet kRowsOnly { "Report", {}, { { "Riga", { "Nome" }, {} } } };
inline const RecordSet kGroupsOfRows { "Report", {}, { { "Gruppo", { "Nome" }, kRowsOnly.children } } };
inline const RecordSet kThreeLevels { "Report", {},
    { { "Gruppo", { "Nome" }, { { "Dati", { "Totale" }, kRowsOnly.children } } } } };

inline Record Report(const QList<Record> &children = {})
{
    return { "Report", {}, children };
}

inline Record Group(int n, const QList<Record> &children)
{
    return { "Gruppo", { { "Nome", QStringLiteral("Gruppo %1").arg(n) } }, children };
}

inline Record Data(const QString &total, const QList<Record> &rows)
{
    return { "Dati", { { "Totale", total } }, rows };
}

// count Riga records showing "Nome first", "Nome first+1", ...
inline QList<Record> righe(int count, int first = 1)
{
    return rows(count, "Riga", { "Nome" }, first);
}

inline ReportDocument laidOut(const TemplateText &text, const QList<Record> &records)
{
    ReportDocument document = loadReport(text, records);
    layOutReport(document);
    return document;
}

// Each page as "SLOT@TOP" words in placing order, slots named TM PH RH GH DH B
// DF GF RF PF BM, with the standard page's fixed bands written "F":
// "F B@1500 B@2500".
inline QStringList outlines(const ReportDocument &document)
{
    static const char *const kNames[]
        = { "?", "TM", "PH", "RH", "GH", "DH", "B", "DF", "GF", "RF", "PF", "BM" };
    QStringList pages;
    for (const LaidPage &page : document.pages) {
        QString words;
        for (const PlacedBand &placed : page.placedBands)
            words
                += QStringLiteral(" %1@%2").arg(kNames[std::clamp(placed.bandIndex, 0, 11)]).arg(placed.top);
        pages.append(words.replace(" TM@0 PH@500 BM@9500 PF@8500", "F").trimmed());
    }
    return pages;
}

// A template, its data and the pages expected, as Outlines gives them.
struct LayoutCase
{
    const char *name;
    TemplateText text;
    QList<Record> records;
    QStringList pages;
};

// Lays each case out twice (a second run starts from nothing) and compares the pages.
inline void expectPages(const QList<LayoutCase> &cases)
{
    for (const LayoutCase &row : cases) {
        SCOPED_TRACE(row.name);
        ReportDocument document = laidOut(row.text, row.records);
        layOutReport(document);
        EXPECT_EQ(outlines(document), row.pages);
    }
}

// The items of the n-th (from 0) copy of slot on the page as "object=value",
// "-" for an item without a value: "0=Gruppo 1|1=-"; "none" without such a copy.
inline QString shown(const ReportDocument &document, int page, int slot, int n = 0)
{
    for (const PlacedBand &placed : document.pages.at(page).placedBands) {
        if (placed.bandIndex != slot || n-- > 0)
            continue;
        QStringList shown;
        for (const PlacedItem &item : placed.items)
            shown.append(QStringLiteral("%1=%2")
                             .arg(item.objectIndex)
                             .arg(item.valueIndex < 0 ? QStringLiteral("-")
                                                      : document.values.at(item.valueIndex).value));
        return shown.join(QLatin1Char('|'));
    }
    return QStringLiteral("none");
}

} // namespace zet::test

// Lets test failures print texts readably.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
