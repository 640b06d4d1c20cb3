#pragma once

#include "model/ReportDocument.h"
#include "support/TemplateText.h"

#include <QString>
#include <ostream>

namespace zet::test {

// A page 10000 twips high with margins of 500 and a page header and footer of
// 1000 each: every page's flow runs from 1500 down to 8500 (7000 twips).
TemplateText StandardPage();

// Record-set structures: Report holding Riga records (body only); Report
// holding Gruppo records holding Riga records (data header and footer with
// the body); Report, Gruppo, Dati, Riga (group bands). Each record set has
// one field: Nome, Totale for Dati.
RecordSet RowsOnly();
RecordSet GroupsOfRows();
RecordSet ThreeLevels();

// The outermost record of those structures.
Record Report(const QList<Record> &children = {});
Record Group(int n, const QList<Record> &children);

// One page as "SLOT@TOP" words in placing order, slots named TM PH RH GH DH B
// DF GF RF PF BM: "TM@0 PH@500 BM@9500 PF@8500 B@1500".
QString Outline(const ReportDocument &document, int page);

// The values shown by the items of one placed band, "-" for an item without
// one: "Nome 2|-".
QString Shown(const ReportDocument &document, int page, int placed);

// Index in the page's PlacedBands of the n-th (from 0) copy of slot; -1 when none.
int NthPlaced(const ReportDocument &document, int page, int slot, int n = 0);

// Number of copies of slot placed on the page.
int CountPlaced(const ReportDocument &document, int page, int slot);

} // namespace zet::test

// Lets test failures print texts readably.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
