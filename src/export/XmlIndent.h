#pragma once

#include <QString>

namespace zet {

// The text without the characters of codes 0 to 31 (line breaks and tabs
// included, also inside values).
QString stripControlChars(const QString &text);

// The text, stripped of control characters, with each element on a line of its
// own, one tab deeper than its parent: lines end with CR LF, the first line
// holds the root's opening tag, an element holding only text stays on one
// line, and each closing tag of an element with children goes on its own line
// at the element's depth. Meant for well-formed element text without
// self-closing tags, comments or declarations (such tags only shift the
// indentation) and with "<" escaped inside values.
QString indentXml(const QString &text);

} // namespace zet
