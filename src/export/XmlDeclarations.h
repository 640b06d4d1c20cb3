#pragma once

#include <QString>

namespace zet {

// The head of an exported XML file, built from a record-set structure: the
// XML declaration (UTF-8), an empty line, "<!DOCTYPE root[", one element
// declaration per line after a tab, "]>" and an empty line; lines end with
// CR LF.
//
// The whole structure under the first outermost record set is declared:
// every field and every nested record set of every record set, each record
// set with a content model listing its fields and all its nested sets as a
// repeatable choice, so that a data text following the structure is valid. A
// name used more than once is declared once, at its first place, with the
// union of what it holds wherever it is used: text and elements together make
// mixed content, "(#PCDATA | A | B)*". A record set without fields or nested
// sets is EMPTY.
struct XmlHeader
{
    QString rootName; // the first outermost record set's name
    QString text;
    QString error; // why there is no header (then text is empty); empty otherwise
};

// Fails, naming what is at fault, when there is no outermost record set, when
// a record set or field name is not an XML name without colon (empty ones
// included), or when the structure is nested deeper than 255 levels.
XmlHeader buildXmlHeader(const QString &structure);

// True when name is an XML name without colon, usable as an element name.
bool isXmlElementName(const QString &name);

} // namespace zet
