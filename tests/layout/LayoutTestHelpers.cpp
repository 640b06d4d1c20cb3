#include "layout/LayoutTestHelpers.h"

#include <QStringList>

namespace zet::test {

namespace {

QString slotName(int slot)
{
    static const char *const kNames[]
        = { "?", "TM", "PH", "RH", "GH", "DH", "B", "DF", "GF", "RF", "PF", "BM" };
    return slot >= 0 && slot < 12 ? QString::fromLatin1(kNames[slot]) : QString::number(slot);
}

} // namespace

TemplateText StandardPage()
{
    TemplateText text;
    text.page(10000, 500, 500).band(PageHeader, { 1000 }).band(PageFooter, { 1000 });
    return text;
}

RecordSet RowsOnly()
{
    return { "Report", {}, { { "Riga", { "Nome" }, {} } } };
}

RecordSet GroupsOfRows()
{
    return { "Report", {}, { { "Gruppo", { "Nome" }, { { "Riga", { "Nome" }, {} } } } } };
}

RecordSet ThreeLevels()
{
    return { "Report", {},
        { { "Gruppo", { "Nome" }, { { "Dati", { "Totale" }, { { "Riga", { "Nome" }, {} } } } } } } };
}

Record Report(const QList<Record> &children)
{
    return { "Report", {}, children };
}

Record Group(int n, const QList<Record> &children)
{
    return { "Gruppo", { { "Nome", QStringLiteral("Gruppo %1").arg(n) } }, children };
}

QString Outline(const ReportDocument &document, int page)
{
    QStringList words;
    for (const PlacedBand &placed : document.Pages.at(page).PlacedBands)
        words.append(slotName(placed.BandIndex) + QLatin1Char('@') + QString::number(placed.Top));
    return words.join(QLatin1Char(' '));
}

QString Shown(const ReportDocument &document, int page, int placed)
{
    QStringList shown;
    for (const PlacedItem &item : document.Pages.at(page).PlacedBands.at(placed).Items)
        shown.append(item.ValueIndex < 0 ? QStringLiteral("-") : document.Values.at(item.ValueIndex).Value);
    return shown.join(QLatin1Char('|'));
}

int NthPlaced(const ReportDocument &document, int page, int slot, int n)
{
    const QList<PlacedBand> &bands = document.Pages.at(page).PlacedBands;
    for (int i = 0; i < bands.size(); ++i) {
        if (bands.at(i).BandIndex == slot && n-- == 0)
            return i;
    }
    return -1;
}

int CountPlaced(const ReportDocument &document, int page, int slot)
{
    int count = 0;
    for (const PlacedBand &placed : document.Pages.at(page).PlacedBands)
        count += placed.BandIndex == slot ? 1 : 0;
    return count;
}

} // namespace zet::test
