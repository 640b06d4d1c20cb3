#pragma once

#include "layout/PageLayout.h"
#include "support/TemplateText.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

namespace zet::test {

// A page 10000 twips high with margins of 500 and a page header and footer of
// 1000 each, so that every page's flow runs from 1500 down to 8500.
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

// Records of those structures; righe(count, first) shows "Nome first", "Nome first+1", ...
inline const auto Report = [](const QList<Record> &children = {}) {
    return Record { "Report", {}, children };
};
inline const auto Group = [](int n, const QList<Record> &children) {
    return Record { "Gruppo", { { "Nome", QStringLiteral("Gruppo %1").arg(n) } }, children };
};
inline const auto Data = [](const QString &total, const QList<Record> &rows) {
    return Record { "Dati", { { "Totale", total } }, rows };
};
inline const auto righe = [](int count, int first = 1) { return rows(count, "Riga", { "Nome" }, first); };

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

// A name, a template, its data and the pages expected, as outlines() gives them.
using LayoutCase = std::tuple<const char *, TemplateText, QList<Record>, QStringList>;

// Lays each case out twice (a second run starts from nothing) and compares the pages.
inline void expectPages(const QList<LayoutCase> &cases)
{
    for (const auto &[name, text, records, pages] : cases) {
        SCOPED_TRACE(name);
        ReportDocument document = laidOut(text, records);
        layOutReport(document);
        EXPECT_EQ(outlines(document), pages);
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

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
