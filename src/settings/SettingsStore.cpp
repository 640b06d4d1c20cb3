#include "settings/SettingsStore.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <memory>

namespace zet {

namespace {

const QString kExpandPrefix = QStringLiteral("@Expand(");

std::unique_ptr<QSettings> openStore(RegistryRoot root)
{
    const QSettings::Scope scope
        = root == RegistryRoot::CurrentUser ? QSettings::UserScope : QSettings::SystemScope;
    auto settings = std::make_unique<QSettings>(
        QSettings::NativeFormat, scope, QStringLiteral("Tarvisol"), QStringLiteral("ZETView"));
    // The user's values must not show the machine's: the two roots are separate.
    settings->setFallbacksEnabled(false);
    return settings;
}

// QSettings treats '/' and '\' as group separators; a value name may hold
// either, so they are escaped ('%' first, so the escape is reversible).
QString escapeName(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('%'), QLatin1String("%25"));
    escaped.replace(QLatin1Char('/'), QLatin1String("%2F"));
    escaped.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return escaped;
}

// The component's own key is the root of its settings file; any other key
// path becomes a group inside it.
QString groupFor(const QString &keyPath)
{
    if (keyPath.compare(kZetViewKeyPath, Qt::CaseInsensitive) == 0)
        return QString();
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = escapeName(part);
    return parts.join(QLatin1Char('/'));
}

QString findKey(QSettings &settings, const QString &name)
{
    const QString exact = escapeName(name);
    if (settings.contains(exact))
        return exact;
    const QStringList keys = settings.childKeys();
    for (const QString &key : keys) {
        if (key.compare(exact, Qt::CaseInsensitive) == 0)
            return key;
    }
    return QString();
}

QString expandEnvironment(const QString &text)
{
    static const QRegularExpression reference(QStringLiteral("%([^%]+)%"));
    QString result;
    qsizetype last = 0;
    auto it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += text.mid(last, match.capturedStart() - last);
        const QByteArray name = match.captured(1).toLocal8Bit();
        if (qEnvironmentVariableIsSet(name.constData()))
            result += qEnvironmentVariable(name.constData());
        else
            result += match.captured(0); // unknown references stay as written
        last = match.capturedEnd();
    }
    return result + text.mid(last);
}

QString valueAsText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList: {
        // A multi-string reads with the zero between its strings kept.
        return value.toStringList().join(QChar(0));
    }
    case QMetaType::QByteArray: {
        QString text = QString::fromLatin1(value.toByteArray());
        text.append(QChar(0));
        return text;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return QString::number(value.toLongLong());
    default:
        break;
    }
    const QString text = value.toString();
    if (text.startsWith(kExpandPrefix) && text.endsWith(QLatin1Char(')')))
        return expandEnvironment(text.mid(kExpandPrefix.size(), text.size() - kExpandPrefix.size() - 1));
    return text;
}

} // namespace

QString readRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName)
{
    if (valueName.isEmpty())
        return QString();
    auto settings = openStore(root);
    const QString group = groupFor(keyPath);
    if (!group.isEmpty())
        settings->beginGroup(group);
    const QString key = findKey(*settings, valueName);
    if (key.isEmpty())
        return QString();
    return valueAsText(settings->value(key));
}

bool writeRegistryValue(RegistryRoot root, const QString &keyPath, const QString &valueName,
    const QString &text, EmptyText emptyText, ValueKind kind)
{
    // The store has no unnamed value, and removing the empty name would
    // remove every value of the key.
    if (valueName.isEmpty())
        return false;
    auto settings = openStore(root);
    if (!settings->isWritable())
        return false;
    const QString group = groupFor(keyPath);
    if (!group.isEmpty())
        settings->beginGroup(group);
    const QString existing = findKey(*settings, valueName);
    const QString key = existing.isEmpty() ? escapeName(valueName) : existing;
    if (!text.isEmpty() || emptyText == EmptyText::Store) {
        if (kind == ValueKind::MultiString)
            settings->setValue(key, QStringList { text });
        else
            settings->setValue(key, text);
    } else {
        settings->remove(key);
    }
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString registryLocation(RegistryRoot root)
{
    return openStore(root)->fileName();
}

} // namespace zet
