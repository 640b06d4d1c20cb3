#include "print/PrintDecisions.h"

#include "core/Rounding.h"
#include "template/Conversions.h"
#include "xml/ElementReader.h"
#include "zetview/Error.h"

#include <limits>

namespace zet {

namespace {

// The page is scaled by this much before the sheets are rated.
constexpr double kPageScale = 0.98;
// The starting difference of the search: larger than any sheet's.
constexpr int kNoDifference = 1000000;

// A number element's value; one too large for a double reads as 0, like
// text that is not a number.
double numberOf(const QString &fragment, const QString &name)
{
    try {
        return parseNumber(getElementValue(fragment, name));
    } catch (const Error &) {
        return 0;
    }
}

// The best sheets found so far: the shortest longer one and the longest
// shorter one, each with its difference. Turned sheets count as well; the
// turn itself is decided afresh once a sheet is chosen.
struct SheetRating
{
    int overDiff = kNoDifference;
    const PaperSheet *over = nullptr;
    int underDiff = kNoDifference;
    const PaperSheet *under = nullptr;

    // The tests run in this order, a later one overwriting an earlier one.
    // Differences stay below kNoDifference, so rounding cannot overflow.
    void rate(const PaperSheet &sheet, double scaledWidth, double scaledHeight)
    {
        const double w = sheet.width;
        const double h = sheet.height;
        const double l = scaledWidth;
        const double a = scaledHeight;
        if (h - a > 0 && h - a < overDiff && w >= l) // upright, longer
            setOver(sheet, h - a);
        if (a - h > 0 && a - h < underDiff && w >= l) // upright, shorter
            setUnder(sheet, a - h);
        if (w - a > 0 && w - a < overDiff && h >= l) // turned, longer
            setOver(sheet, w - a);
        if (a - w > 0 && a - w < underDiff && h >= l) // turned, shorter
            setUnder(sheet, a - w);
    }

    void setOver(const PaperSheet &sheet, double difference)
    {
        overDiff = roundHalfEven(difference);
        over = &sheet;
    }

    void setUnder(const PaperSheet &sheet, double difference)
    {
        underDiff = roundHalfEven(difference);
        under = &sheet;
    }
};

} // namespace

ReportAssociation readAssociation(const QString &reportSettings)
{
    ReportAssociation association;
    association.printerName = getElementValue(reportSettings, QStringLiteral("NomeStampante"));
    association.noDialog = numberOf(reportSettings, QStringLiteral("NoDialog")) != 0;
    // A count beyond 16 bits is refused like an unreadable one.
    const double copies = roundedHalfEven(numberOf(reportSettings, QStringLiteral("Copie")));
    association.copies
        = copies >= std::numeric_limits<qint16>::min() && copies <= std::numeric_limits<qint16>::max()
        ? int(copies)
        : 0;
    return association;
}

PrinterBuffering readBuffering(const QString &printerSettings)
{
    return { numberOf(printerSettings, QStringLiteral("ImageBuffer")) > 0,
        numberOf(printerSettings, QStringLiteral("PageBuffer")) > 0 };
}

int findPrinter(const QStringList &printerNames, const QString &prefix)
{
    if (prefix.isEmpty())
        return -1;
    for (int i = 0; i < printerNames.size(); ++i) {
        if (printerNames.at(i).startsWith(prefix))
            return i;
    }
    return -1;
}

JobPlan planJob(const QStringList &printerNames, const ReportAssociation &association, bool dialogRequested)
{
    JobPlan plan;
    plan.printerIndex = findPrinter(printerNames, association.printerName);
    if (plan.printerIndex < 0)
        return plan;
    plan.showDialog = dialogRequested && !association.noDialog;
    plan.copies = qMax(1, association.copies);
    return plan;
}

QString jobPrinter(const QStringList &printerNames, const QString &requested,
    const ReportAssociation &association, const QString &defaultPrinter)
{
    if (!requested.isEmpty()) {
        const int index = findPrinter(printerNames, requested);
        return index < 0 ? QString() : printerNames.at(index);
    }
    const int associated = findPrinter(printerNames, association.printerName);
    if (associated >= 0)
        return printerNames.at(associated);
    return printerNames.contains(defaultPrinter) ? defaultPrinter : QString();
}

PageSequence::PageSequence(const JobSettings &job, int pageCount)
    : first_(qMax(1, job.firstPage) - 1)
    , pages_(qMax(0, qMin(job.lastPage, pageCount) - first_))
    , copies_(qMax(0, job.copies))
    , collate_(job.collate)
{ }

int PageSequence::at(qint64 n) const
{
    return first_ + int(collate_ ? n % pages_ : n / copies_);
}

PaperChoice choosePaper(const PrinterDescription &printer, double pageWidth, double pageHeight)
{
    PaperChoice choice;
    if (printer.customSizes) {
        // The sheet is the page itself, so nothing needs turning.
        choice.kind = PaperKind::Custom;
        choice.width = roundHalfEven(pageWidth);
        choice.height = roundHalfEven(pageHeight);
        return choice;
    }
    SheetRating rating;
    for (const PaperSheet &sheet : printer.sheets)
        rating.rate(sheet, pageWidth * kPageScale, pageHeight * kPageScale);
    if (!rating.over && !rating.under)
        return choice;
    // A tie goes to the longer sheet.
    const PaperSheet &sheet = rating.overDiff > rating.underDiff ? *rating.under : *rating.over;
    choice.kind = PaperKind::Code;
    choice.code = sheet.code;
    choice.landscape = pageWidth <= pageHeight ? sheet.width > sheet.height : sheet.height > sheet.width;
    return choice;
}

} // namespace zet
