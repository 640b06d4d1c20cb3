#pragma once

#include "zetview/Error.h"

#include <QFont>
#include <QList>
#include <QString>

namespace zet {

// The font of a report object as the template describes it. Size is in points;
// Weight runs 0..1000 (400 normal, 700 bold) and decides boldness.
struct ReportFont
{
    QString name = QStringLiteral("MS Sans Serif");
    double size = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;

    bool bold() const { return weight > 550; }
    void setBold(bool bold) { weight = bold ? 700 : 400; }

    // Face names travel in a field of 32 single-byte characters with their
    // terminating zero: a longer name cannot be selected.
    bool nameFits() const { return name.toUcs4().size() < 32; }
    // zet::Error 9 for a name that does not fit, naming it.
    Error nameError() const
    {
        return Error::subscriptOutOfRange(
            QStringLiteral("Subscript out of range: il nome del font \"%1\" supera 31 caratteri").arg(name));
    }

    bool operator==(const ReportFont &) const = default;
};

} // namespace zet
