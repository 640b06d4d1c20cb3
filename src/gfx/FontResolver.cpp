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

QString resolve(const QString &requestedName)
{
    const QString name = requestedName.trimmed();
    if (name.isEmpty())
        return kSans;
    if (QFontDatabase::hasFamily(name))
        return name;
    return windowsFaces().value(name.toLower(), kSans);
}

} // namespace

QString resolveFontFamily(const QString &requestedName)
{
    // Asking the font database goes through fontconfig's substitution, which
    // costs far more than drawing a line of text: remember each answer (one
    // entry per face name a process meets; UI thread only).
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(requestedName);
    if (known != resolved.constEnd())
        return *known;
    const QString family = resolve(requestedName);
    resolved.insert(requestedName, family);
    return family;
}

} // namespace zet
