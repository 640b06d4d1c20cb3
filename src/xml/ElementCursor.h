#pragma once

#include <QString>

namespace zet {

// Walks the elements of one name in a text, in document order, ignoring letter
// case (unlike the single lookups of ElementReader.h). The calling pattern is:
// while not at end, read current() or take() it, then next(); remainingText()
// gives the text with every taken element removed.
//
// An element is an opening tag and the first closing tag after it. next() goes
// to the first opening tag at or after the current element's content: into a
// nested element of the same name when there is one, else to the following
// sibling. After a take(), next() finds the element that now begins where the
// taken one began.
//
// A whole walk, taking every element or not, costs time linear in the text's
// length; the cursor shares the text passed in and copies nothing until
// remainingText() hands text back. What current() and take() return shares
// the text's block (see sharedPart).
class ElementCursor
{
public:
    // Positioned on the first element named name, with every '<' and '>'
    // removed from the name. An empty name finds nothing: at end at once.
    ElementCursor(const QString &text, const QString &name);

    // True when no current element remains.
    bool atEnd() const { return contentStart_ == -1; }

    // The current element's raw content; empty text at the end or after a
    // take().
    QString current() const;
    // The same as a view of text().
    QStringView currentView() const;

    // The text as opened.
    const QString &text() const { return original_; }

    // Moves to the next element; false, and at end, when there is none. False
    // at once when already at the end.
    bool next();

    // The current element's content, and the element leaves the cursor's text.
    // Empty text, changing nothing, when there is no current element (at the
    // end or after a take()).
    QString take();

    // The text as opened, with every taken element (tags included) removed.
    QString remainingText() const;

private:
    bool searchFrom(qsizetype from);
    qsizetype findClose(qsizetype from);

    // Every search starts at or after the place of the latest take, so the
    // text walked is always the kept part before that place (prefix_)
    // followed by an untouched tail of the original text; every match lies in
    // the tail. Positions are indices into original_.
    QString original_;
    QString prefix_; // the walked text before tailStart_, taken elements removed
    qsizetype tailStart_ = 0;
    QString openTag_; // lower-cased
    QString closeTag_; // lower-cased
    bool valid_ = false; // a current element exists (none after a take)
    qsizetype contentStart_ = -1; // -1 when the walk is over
    qsizetype closePos_ = -1;
    // The first closing tag at or after closeFrom_ is at closeAt_ (-1: none).
    // Close searches move forward only, so this spares rescanning the text
    // between an element and a far-away closing tag.
    qsizetype closeFrom_ = -1;
    qsizetype closeAt_ = -1;
};

} // namespace zet
