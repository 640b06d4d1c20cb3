#pragma once

#include <QFont>
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

    bool operator==(const ReportFont &) const = default;
};

} // namespace zet
