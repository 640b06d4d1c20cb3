// Text output and measuring of DeviceContext, laid out in logical units.
#include "gfx/DeviceContext.h"

#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace zet {

namespace {

// Long lines are measured and drawn in pieces of this many characters, so
// that a huge value costs memory in proportion to a piece and time in
// proportion to what shows in its rectangle.
constexpr qsizetype kPieceLength = 4096;

QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

// A long text cut into pieces (never inside a surrogate pair), each measured
// as one line when first asked for. Without kerning the pieces' advances add
// up to the line's; advances are whole 64ths of a unit, so their sums are
// exact in any order.
class PieceMeasures
{
public:
    PieceMeasures(const QString &text, const QFont &font)
        : text_(text)
        , font_(font)
    {
        for (qsizetype start = 0; start < text.size();) {
            qsizetype length = std::min(kPieceLength, text.size() - start);
            if (start + length < text.size() && text[start + length - 1].isHighSurrogate())
                ++length;
            starts_.push_back(start);
            start += length;
        }
        starts_.push_back(text.size());
        advances_.assign(starts_.size() - 1, kUnmeasured);
    }

    // The same characters (the text is held, so its buffer cannot be reused
    // by another text) in the same font.
    bool holds(const QString &text, const QFont &font) const
    {
        return text.constData() == text_.constData() && text.size() == text_.size() && font == font_;
    }

    qsizetype count() const { return qsizetype(advances_.size()); }

    // Piece k as drawn: line breaks show as spaces.
    QString piece(qsizetype k) const
    {
        return oneLine(text_.sliced(starts_[k], starts_[k + 1] - starts_[k]));
    }

    double advance(qsizetype k)
    {
        if (std::isnan(advances_[k]))
            advances_[k] = QFontMetricsF(font_).horizontalAdvance(piece(k));
        return advances_[k];
    }

    double total()
    {
        if (std::isnan(total_)) {
            double sum = 0;
            for (qsizetype k = 0; k < count(); ++k)
                sum += advance(k);
            total_ = sum;
        }
        return total_;
    }

    // Whether the whole text is at most room wide, measuring from the start
    // (or from the end) only as far as needed to tell.
    bool fitsIn(double room, bool fromEnd)
    {
        double sum = 0;
        for (qsizetype i = 0; i < count() && sum <= room; ++i)
            sum += advance(fromEnd ? count() - 1 - i : i);
        return sum <= room;
    }

private:
    static constexpr double kUnmeasured = std::numeric_limits<double>::quiet_NaN();

    QString text_;
    QFont font_;
    std::vector<qsizetype> starts_;
    std::vector<double> advances_;
    double total_ = kUnmeasured;
};

// The measures of the last long texts drawn: a fixed text shows in every
// copy of its band, so its pieces are measured once per report, not once
// per copy. Each thread keeps its own.
PieceMeasures &piecesOf(const QString &text, const QFont &font)
{
    thread_local std::array<std::unique_ptr<PieceMeasures>, 2> recent;
    if (!recent[0] || !recent[0]->holds(text, font)) {
        std::swap(recent[0], recent[1]);
        if (!recent[0] || !recent[0]->holds(text, font))
            recent[0] = std::make_unique<PieceMeasures>(text, font);
    }
    return *recent[0];
}

} // namespace

double DeviceContext::advance(const QString &text) const
{
    if (text.size() > kPieceLength)
        return piecesOf(text, qfont_).total();
    return QFontMetricsF(qfont_).horizontalAdvance(text);
}

int DeviceContext::textWidth(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    return qCeil(text.size() > kPieceLength ? advance(text) : advance(oneLine(text)));
}

void DeviceContext::drawTextLine(const QString &line, const QPointF &topLeft, double width)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    p->setTransform(transform());
    const QFontMetricsF fm(qfont_);
    if (backgroundMode_ == gdi::kBkOpaque)
        p->fillRect(QRectF(topLeft, QSizeF(width, textHeight())), toQColor(backgroundColour_));
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
    if (text.size() > kPieceLength) {
        drawLongLine(text, alignment, left, top, right, bottom);
        return;
    }
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
    const bool inside = top + textHeight() <= bottom && x >= left && x + width <= right;
    if (inside) {
        drawTextLine(line, QPointF(x, top), width);
        return;
    }
    p->save();
    p->setTransform(transform());
    p->setClipRect(QRectF(left, top, right - left, bottom - top), Qt::IntersectClip);
    drawTextLine(line, QPointF(x, top), width);
    p->restore();
}

// As drawText, for a text of more than one piece: only the pieces that reach
// into the rectangle are measured and drawn, except that centring needs the
// whole width. Right and bottom are exclusive edges.
void DeviceContext::drawLongLine(
    const QString &text, Qt::Alignment alignment, int left, int top, int right, int bottom)
{
    QPainter *p = painter();
    if (p == nullptr)
        return;
    PieceMeasures &pieces = piecesOf(text, qfont_);
    const double room = double(right) - left;
    const bool cellFits = top + textHeight() <= bottom;
    const bool fromRight = alignment & Qt::AlignRight;
    const bool centred = !fromRight && (alignment & Qt::AlignHCenter);

    // The line's left end, and whether it lies inside the rectangle (then it
    // is drawn whole without a clip, as a short line is).
    double x = left;
    bool inside = false;
    if (centred) {
        x = left + (room - pieces.total()) / 2.0;
        inside = cellFits && x >= left && x + pieces.total() <= right;
    } else {
        inside = cellFits && pieces.fitsIn(room, fromRight);
        if (fromRight && inside)
            x = right - pieces.total();
    }
    if (inside) {
        drawTextLine(oneLine(text), QPointF(x, top), pieces.total());
        return;
    }

    // The pieces that reach into [left, right], left to right, with their left ends.
    std::vector<std::pair<qsizetype, double>> shown;
    if (fromRight) {
        // Right-aligned lines end at the right edge: walk back from there.
        double end = right;
        for (qsizetype k = pieces.count() - 1; k >= 0 && end >= left; --k) {
            end -= pieces.advance(k);
            shown.emplace_back(k, end);
        }
        std::reverse(shown.begin(), shown.end());
    } else {
        for (qsizetype k = 0; k < pieces.count() && x <= right; ++k) {
            const double width = pieces.advance(k);
            if (x + width >= left)
                shown.emplace_back(k, x);
            x += width;
        }
    }
    p->save();
    p->setTransform(transform());
    p->setClipRect(QRectF(left, top, right - left, bottom - top), Qt::IntersectClip);
    for (const auto &[k, pieceLeft] : shown)
        drawTextLine(pieces.piece(k), QPointF(pieceLeft, top), pieces.advance(k));
    p->restore();
}

} // namespace zet
