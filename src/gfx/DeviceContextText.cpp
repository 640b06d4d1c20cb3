// Text output and measuring of DeviceContext, laid out in logical units.
#include "gfx/DeviceContext.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QtMath>
#include <cmath>

namespace zet {

namespace {

// Long lines are measured and drawn in pieces of this many characters, so
// that a huge value costs time in proportion to its length but bounded memory,
// and a clipped line draws only the pieces that show.
constexpr qsizetype kPieceLength = 4096;

// Calls f(piece) for consecutive pieces of text, never splitting a surrogate pair.
template <typename F> void forEachPiece(const QString &text, F f)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype length = std::min(kPieceLength, text.size() - start);
        if (start + length < text.size() && text[start + length - 1].isHighSurrogate())
            ++length;
        f(text.mid(start, length));
        start += length;
    }
}

// "&x" shows x, "&&" shows "&".
QString withoutPrefixes(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            ++i;
            if (i >= text.size())
                break;
        }
        shown += text[i];
    }
    return shown;
}

QStringList splitLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(u'\r', u'\n');
    return unified.split(u'\n');
}

} // namespace

double DeviceContext::textWidth(const QString &text) const
{
    const QFontMetricsF fm(qfont_);
    if (text.size() <= kPieceLength)
        return fm.horizontalAdvance(text);
    // Without kerning the pieces' advances add up to the line's.
    double width = 0;
    forEachPiece(text, [&](const QString &piece) { width += fm.horizontalAdvance(piece); });
    return width;
}

void DeviceContext::drawVisiblePieces(
    const QString &line, const QPointF &topLeft, double clipLeft, double clipRight)
{
    double x = topLeft.x();
    forEachPiece(line, [&](const QString &piece) {
        if (x > clipRight)
            return;
        const double width = textWidth(piece);
        if (x + width >= clipLeft)
            drawTextLine(piece, QPointF(x, topLeft.y()), width);
        x += width;
    });
}

void DeviceContext::drawTextLine(const QString &line, const QPointF &topLeft, double width)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    p->setTransform(transform());
    const QFontMetricsF fm(qfont_);
    if (bkMode_ == gdi::kBkOpaque)
        p->fillRect(QRectF(topLeft, QSizeF(width, textMetrics().height)), colorFromRef(bkColour_));
    p->setFont(qfont_);
    p->setPen(colorFromRef(textColour_));
    p->drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), line);
}

void DeviceContext::textOut(int x, int y, const QString &text)
{
    QPainter *p = painter();
    if (p == nullptr || text.isEmpty())
        return;
    const double width = textWidth(text);
    if (font_.escapement == 0) {
        drawTextLine(text, QPointF(x, y), width);
        return;
    }
    // Escapement turns the line counter-clockwise about its starting point.
    const QTransform base = transform();
    const double degrees = font_.escapement / 10.0;
    const QTransform turned = QTransform::fromTranslate(-x, -y)
        * QTransform().rotate(base.m22() < 0 ? degrees : -degrees) * QTransform::fromTranslate(x, y) * base;
    p->setTransform(turned);
    const QFontMetricsF fm(qfont_);
    if (bkMode_ == gdi::kBkOpaque)
        p->fillRect(QRectF(x, y, width, textMetrics().height), colorFromRef(bkColour_));
    p->setFont(qfont_);
    p->setPen(colorFromRef(textColour_));
    p->drawText(QPointF(x, y + fm.ascent()), text);
}

int DeviceContext::drawText(const QString &text, QRect &rect, int flags)
{
    const QString shown = (flags & gdi::kDtNoPrefix) ? text : withoutPrefixes(text);
    const int lineHeight = textMetrics().height;
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    const bool singleLine = (flags & gdi::kDtSingleLine) != 0;

    if (shown.isEmpty()) {
        if (flags & gdi::kDtCalcRect)
            rect = QRect(left, top, 0, singleLine ? lineHeight : 0);
        return singleLine ? lineHeight : 0;
    }

    QStringList lines;
    if (singleLine) {
        QString one = shown;
        one.replace(u'\r', u' ').replace(u'\n', u' ');
        lines << one;
    } else {
        for (const QString &paragraph : splitLines(shown)) {
            if (!(flags & gdi::kDtWordBreak)) {
                lines << paragraph;
                continue;
            }
            // Break between words where the line would pass the right edge;
            // advances add up, so each word is measured once.
            const double space = textWidth(QStringLiteral(" "));
            QString current;
            double currentWidth = 0;
            for (const QString &word : paragraph.split(u' ')) {
                const double wordWidth = textWidth(word);
                if (!current.isEmpty() && currentWidth + space + wordWidth > right - left) {
                    lines << current;
                    current = word;
                    currentWidth = wordWidth;
                } else if (current.isEmpty()) {
                    current = word;
                    currentWidth = wordWidth;
                } else {
                    current += u' ' + word;
                    currentWidth += space + wordWidth;
                }
            }
            lines << current;
        }
    }

    QList<double> widths;
    double widest = 0;
    for (const QString &line : lines) {
        widths << textWidth(line);
        widest = std::max(widest, widths.last());
    }
    const int textHeight = int(lines.size()) * lineHeight;

    if (flags & gdi::kDtCalcRect) {
        rect = QRect(left, top, qCeil(widest), textHeight);
        return textHeight;
    }

    double y = top;
    if (singleLine && (flags & gdi::kDtBottom))
        y = bottom - lineHeight;
    else if (singleLine && (flags & gdi::kDtVCenter))
        y = top + (bottom - top - lineHeight) / 2;

    QPainter *p = painter();
    if (p == nullptr)
        return textHeight;
    QList<double> xs;
    bool inside = y >= top && y + textHeight <= bottom;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        double x = left;
        if (flags & gdi::kDtRight)
            x = right - widths[i];
        else if (flags & gdi::kDtCenter)
            x = left + (right - left - widths[i]) / 2.0;
        xs << x;
        inside = inside && x >= left && x + widths[i] <= right;
    }
    // Text whose cells lie inside the rectangle needs no clip; setting one
    // (with the state save it needs) costs as much as drawing the line.
    const bool clip = !(flags & gdi::kDtNoClip) && !inside;
    if (clip) {
        p->save();
        p->setTransform(transform());
        p->setClipRect(QRectF(left, top, right - left, bottom - top), Qt::IntersectClip);
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QPointF topLeft(xs[i], y + i * lineHeight);
        if (clip && lines[i].size() > kPieceLength)
            drawVisiblePieces(lines[i], topLeft, left, right);
        else
            drawTextLine(lines[i], topLeft, widths[i]);
    }
    if (clip)
        p->restore();
    return int(y - top) + textHeight;
}

} // namespace zet
