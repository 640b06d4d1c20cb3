#include "template/TemplateUsability.h"

#include "template/Vocabulary.h"

#include <cmath>

namespace zet {

bool usablePageSide(double twips)
{
    return std::isfinite(twips) && twips >= 1 && twips <= kLargestPageTwips;
}

namespace {

bool absentPageMeasure(double twips)
{
    return !std::isfinite(twips) || twips <= 0;
}

} // namespace

QString templateTextProblem(const QString &templateText)
{
    const QString openTag = QStringLiteral("<%1>").arg(key::kZet);
    const QString closeTag = QStringLiteral("</%1>").arg(key::kZet);
    QStringView proper = templateText;
    const qsizetype open = templateText.indexOf(openTag);
    if (open >= 0) {
        const qsizetype close = templateText.indexOf(closeTag, open);
        if (close < 0)
            return QStringLiteral("il modello non è chiuso: dopo %1 manca %2").arg(openTag, closeTag);
        proper = proper.mid(open + openTag.size(), close - open - openTag.size());
    }
    if (proper.trimmed().isEmpty())
        return QStringLiteral("il modello è vuoto");
    return QString();
}

QString loadedTemplateProblem(const ReportDocument &document)
{
    if (document.bands.isEmpty())
        return QStringLiteral("il modello è di versione %1 (%2): solo i modelli di versione 1 o inferiore "
                              "hanno le bande da impaginare")
            .arg(document.templateVersion)
            .arg(key::kZetVersion);
    if (usablePageSide(document.pageWidth) && usablePageSide(document.pageHeight))
        return QString();
    if (absentPageMeasure(document.pageWidth) && absentPageMeasure(document.pageHeight))
        return QStringLiteral("il modello non indica le dimensioni della pagina (%1 e %2)")
            .arg(key::kLarghezza, key::kAltezza);
    return QStringLiteral("le dimensioni della pagina del modello non sono valide (%1 %2, %3 %4 twip): "
                          "ciascuna deve essere da 1 a %5 twip (200 pollici)")
        .arg(key::kLarghezza)
        .arg(document.pageWidth)
        .arg(key::kAltezza)
        .arg(document.pageHeight)
        .arg(kLargestPageTwips);
}

} // namespace zet
