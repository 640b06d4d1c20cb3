// Text output and measuring of DeviceContext, laid out in logical units.
#include "gfx/DeviceContext.h"

#include <QFontMetricsF>
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

QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

} // namespace

double DeviceContext::advance(const QString &text) const
{
    const QFontMetricsF fm(qfont_);
    if (text.size() <= kPieceLength)
        return fm.horizontalAdvance(text);
    // Without kerning the pieces' advances add up to the line's.
    double width = 0;
    forEachPiece(text, [&](const QString &piece) { width += fm.horizontalAdvance(piece); });
    return width;
}

int DeviceContext::textWidth(const QString &text) const
{
    return text.isEmpty() ? 0 : qCeil(advance(oneLine(text)));
}

void DeviceContext::drawVisiblePieces(
    const QString &line, const QPointF &topLeft, double clipLeft, double clipRight)
{
    double x = topLeft.x();
    forEachPiece(line, [&](const QString &piece) {
        if (x > clipRight)
            return;
        const double width = advance(piece);
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
    if (backgroundMode_ == gdi::kBkOpaque)
        p->fillRect(QRectF(topLeft, QSizeF(width, cellHeight())), toQColor(backgroundColour_));
    p->setFont(qfont_);
    p->setPen(toQColor(textColour_));
    p->drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), line);
}

void DeviceContext::drawText(const QRect &rect, Qt::Alignment alignment, const QString &text)
{
    if (text.isEmpty())
        return;
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    const QString line = oneLine(text);
    const double width = advance(line);

    QPainter *p = painter();
    if (p == nullptr)
        return;
    double x = left;
    if (alignment & Qt::AlignRight)
        x = right - width;
    else if (alignment & Qt::AlignHCenter)
        x = left + (right - left - width) / 2.0;
    // Text whose cell lies inside the rectangle needs no clip; setting one
    // (with the state save it needs) costs as much as drawing the line.
    const bool inside = top + cellHeight() <= bottom && x >= left && x + width <= right;
    if (inside) {
        drawTextLine(line, QPointF(x, top), width);
        return;
    }
    p->save();
    p->setTransform(transform());
    p->setClipRect(QRectF(left, top, right - left, bottom - top), Qt::IntersectClip);
    if (line.size() > kPieceLength)
        drawVisiblePieces(line, QPointF(x, top), left, right);
    else
        drawTextLine(line, QPointF(x, top), width);
    p->restore();
}

} // namespace zet
