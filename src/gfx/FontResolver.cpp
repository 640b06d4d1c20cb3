#include "gfx/FontResolver.h"

#include <QFontDatabase>
#include <QHash>

namespace zet {

namespace {

const QString kSans = QStringLiteral("Liberation Sans");

// Windows faces without an installed family of that name, by lowered name.
const QHash<QString, QString> &windowsFaces()
{
    static const QHash<QString, QString> faces = {
        { QStringLiteral("arial"), kSans },
        { QStringLiteral("helvetica"), kSans },
        { QStringLiteral("ms sans serif"), kSans },
        { QStringLiteral("microsoft sans serif"), kSans },
        { QStringLiteral("tahoma"), kSans },
        { QStringLiteral("verdana"), kSans },
        { QStringLiteral("segoe ui"), kSans },
        { QStringLiteral("system"), kSans },
        { QStringLiteral("times new roman"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("times"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("ms serif"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("courier new"), QStringLiteral("Liberation Mono") },
        { QStringLiteral("courier"), QStringLiteral("Liberation Mono") },
    };
    return faces;
}

} // namespace

QString ResolveFontFamily(const QString &requestedName)
{
    const QString name = requestedName.trimmed();
    if (name.isEmpty())
        return kSans;
    if (QFontDatabase::hasFamily(name))
        return name;
    return windowsFaces().value(name.toLower(), kSans);
}

} // namespace zet
