#pragma once

#include <QFont>
#include <QString>

namespace zet {

// The font of a report object as the template describes it. Size is in points;
// Weight runs 0..1000 (400 normal, 700 bold) and decides boldness.
struct ReportFont
{
    QString Name = QStringLiteral("MS Sans Serif");
    double Size = 8.25;
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Charset = 0;

    bool Bold() const { return Weight > 550; }
    void setBold(bool bold) { Weight = bold ? 700 : 400; }

    bool operator==(const ReportFont &) const = default;
};

} // namespace zet
