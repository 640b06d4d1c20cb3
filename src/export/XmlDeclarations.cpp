#include "export/XmlDeclarations.h"

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"
#include "xml/RecordsetData.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

namespace zet {

namespace {

// Structures nested deeper are refused, as the data reader refuses them.
constexpr int kMaxLevel = 255;

const QLatin1String kLineEnd { "\r\n" };

// What one element name holds, over every place it is used.
struct Declaration
{
    QString name;
    bool text = false; // a field somewhere
    QStringList fields; // the fields it holds, in the order first met
    QStringList sets; // the nested record sets it holds, likewise
    QSet<QString> members; // both together, each name once
};

class DeclarationList
{
public:
    Declaration &declare(const QString &name)
    {
        const auto found = indexes_.constFind(name);
        if (found != indexes_.cend())
            return declarations_[*found];
        indexes_.insert(name, declarations_.size());
        declarations_.append({ name, false, {}, {}, {} });
        return declarations_.last();
    }

    const QList<Declaration> &declarations() const { return declarations_; }

private:
    QList<Declaration> declarations_;
    QHash<QString, qsizetype> indexes_;
};

void addMember(Declaration &declaration, QStringList Declaration::*list, const QString &name)
{
    if (!declaration.members.contains(name)) {
        declaration.members.insert(name);
        (declaration.*list).append(name);
    }
}

// Declares the record set named name, whose structure element holds set, at
// level: its fields first, then itself, then each nested set in turn. An
// empty result means done; otherwise it says what is at fault.
QString declareRecordset(DeclarationList &list, const QString &set, const QString &name, int level)
{
    if (level > kMaxLevel)
        return QStringLiteral("la struttura dei dati ha più di %1 livelli").arg(kMaxLevel + 1);
    QStringList fields;
    for (ElementCursor cursor(set, key::levelKey(key::kField, level)); !cursor.atEnd(); cursor.next()) {
        const QString field = getElementValue(cursor.current(), key::levelKey(key::kFieldName, level));
        if (!isXmlElementName(field))
            return QStringLiteral("il campo \"%1\" del record set \"%2\" non ha un nome XML valido")
                .arg(field, name);
        list.declare(field).text = true;
        fields.append(field);
    }
    QList<std::pair<QString, QString>> nested; // name, structure element
    const int inner = level + 1;
    for (ElementCursor cursor(set, key::levelKey(key::kRecordsetStruct, inner)); !cursor.atEnd();
         cursor.next()) {
        const QString content = cursor.current();
        const QString child = getElementValue(content, key::levelKey(key::kRecordsetStructName, inner));
        if (!isXmlElementName(child))
            return QStringLiteral(
                "il record set \"%1\" (livello %2, dentro \"%3\") non ha un nome XML valido")
                .arg(child)
                .arg(inner)
                .arg(name);
        nested.append({ child, content });
    }
    Declaration &own = list.declare(name);
    for (const QString &field : std::as_const(fields))
        addMember(own, &Declaration::fields, field);
    for (const auto &[child, content] : std::as_const(nested))
        addMember(own, &Declaration::sets, child);
    for (const auto &[child, content] : std::as_const(nested)) {
        const QString error = declareRecordset(list, content, child, inner);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

// The content model: the fields each followed by " | ", then the nested
// sets, as one repeatable choice ("(A | B )*" when there are no nested sets).
QString contentModel(const Declaration &declaration)
{
    const bool empty = declaration.fields.isEmpty() && declaration.sets.isEmpty();
    if (declaration.text) {
        if (empty)
            return QStringLiteral("(#PCDATA)");
        return QStringLiteral("(#PCDATA | %1)*")
            .arg((declaration.fields + declaration.sets).join(QLatin1String(" | ")));
    }
    if (empty)
        return QStringLiteral("EMPTY");
    QString model = QStringLiteral("(");
    for (const QString &field : declaration.fields)
        model += field + QLatin1String(" | ");
    model += declaration.sets.join(QLatin1String(" | "));
    while (model.endsWith(QLatin1Char(' ')))
        model.chop(1);
    if (model.endsWith(QLatin1Char('|')))
        model.chop(1);
    return model + QLatin1String(")*");
}

} // namespace

bool isXmlElementName(const QString &name)
{
    // A colon would make a namespace prefix that nothing declares.
    if (name.isEmpty() || name.contains(QLatin1Char(':')))
        return false;
    // The reader checks the characters; the name it reads must be the whole
    // name, or "a b='c'" would pass as an element a with an attribute.
    QXmlStreamReader reader(QLatin1Char('<') + name + QLatin1String("/>"));
    if (!reader.readNextStartElement() || reader.qualifiedName() != name)
        return false;
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

XmlHeader buildXmlHeader(const QString &structure)
{
    XmlHeader header;
    // The outermost record set as the data reader finds it.
    const ElementCursor outermost(structure, key::levelKey(key::kRecordsetStruct, 0));
    if (outermost.atEnd()) {
        header.error = QStringLiteral("la struttura dei dati del modello non ha un record set di livello 0");
        return header;
    }
    const QString set = outermost.current();
    header.rootName = getElementValue(set, key::levelKey(key::kRecordsetStructName, 0));
    if (!isXmlElementName(header.rootName)) {
        header.error = QStringLiteral("il record set \"%1\" (livello 0) non ha un nome XML valido")
                           .arg(header.rootName);
        return header;
    }
    DeclarationList list;
    header.error = declareRecordset(list, set, header.rootName, 0);
    if (!header.error.isEmpty())
        return header;

    QString &text = header.text;
    text = QLatin1String("<?xml version='1.0' encoding='UTF-8'?>") + kLineEnd + kLineEnd;
    text += QLatin1String("<!DOCTYPE ") + header.rootName + QLatin1Char('[') + kLineEnd;
    for (const Declaration &declaration : list.declarations())
        text += QLatin1String("\t<!ELEMENT ") + declaration.name + QLatin1Char(' ')
            + contentModel(declaration) + QLatin1Char('>') + kLineEnd;
    text += QLatin1String("]>") + kLineEnd + kLineEnd;
    return header;
}

} // namespace zet
