#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

namespace zet::test {

// "<name>value</name>"
inline QString element(const QString &name, const QString &value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + value + QLatin1String("</") + name + QLatin1Char('>');
}

// The elements one after the other, in the order given.
inline QString elements(std::initializer_list<std::pair<QString, QString>> keys)
{
    QString text;
    for (const auto &[name, value] : keys)
        text += element(name, value);
    return text;
}

} // namespace zet::test
