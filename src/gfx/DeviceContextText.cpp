// Text output and measuring of DeviceContext, laid out in logical units.
#include "gfx/DeviceContext.h"

#include <QFontMetricsF>
#include <QHash>
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
// Lines whose advance is kept, and the longest line kept: the values a
// report repeats are short, and the kept texts stay under 2 MB.
constexpr qsizetype kAdvancesKept = 4096;
constexpr qsizetype kLongestKeptLine = 256;
// Fonts whose Latin-1 advances are kept.
constexpr qsizetype kFontTablesKept = 64;
// How much wider than its characters' own advances a line is taken to be at most.
constexpr double kAdvanceMargin = 1.1;

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

// The advance of a line in a font, remembered by the font's serial and
// the text: a report shows the same values (dates, codes, captions) in row
// after row, and measuring shapes the text as drawing it does again. Each
// thread keeps its own; it starts again when full.
double lineAdvance(quint64 fontSerial, const QFont &font, const QString &line)
{
    if (line.size() > kLongestKeptLine)
        return QFontMetricsF(font).horizontalAdvance(line);
    thread_local QHash<std::pair<quint64, QString>, double> advances;
    const std::pair<quint64, QString> key(fontSerial, line);
    const auto known = advances.constFind(key);
    if (known != advances.constEnd())
        return *known;
    if (advances.size() >= kAdvancesKept)
        advances.clear();
    const double advance = QFontMetricsF(font).horizontalAdvance(line);
    advances.insert(key, advance);
    return advance;
}

// The advances of the Latin-1 characters alone in a font, each measured when
// first needed (NaN before). Each thread keeps its own; the set starts again
// when full.
using Latin1Advances = std::array<double, 256>;
Latin1Advances &latin1Advances(quint64 fontSerial)
{
    thread_local QHash<quint64, std::shared_ptr<Latin1Advances>> tables;
    auto known = tables.find(fontSerial);
    if (known == tables.end()) {
        if (tables.size() >= kFontTablesKept)
            tables.clear();
        auto table = std::make_shared<Latin1Advances>();
        table->fill(std::numeric_limits<double>::quiet_NaN());
        known = tables.insert(fontSerial, table);
    }
    return **known;
}

} // namespace

bool DeviceContext::advanceAtMost(const QString &line, double room) const
{
    // Without kerning, a shaped line is about as wide as its characters
    // measured one by one: ligatures and marks take room away, hinted
    // advances round differently (at most 2.6 % and a third of a unit a
    // character wider, over the installed families). The margin is well above that.
    const MadeFont &font = currentFont();
    Latin1Advances &advances = latin1Advances(font.serial);
    const QFontMetricsF metrics(font.font);
    double sum = 0;
    for (const QChar c : line) {
        // Control characters (a tab) are laid out, not measured alone.
        if (c.unicode() >= advances.size() || c.category() == QChar::Other_Control)
            return false;
        double &advance = advances[c.unicode()];
        if (std::isnan(advance))
            advance = metrics.horizontalAdvance(c);
        sum += advance;
    }
    return sum * kAdvanceMargin + line.size() <= room;
}

double DeviceContext::advance(const QString &text) const
{
    const MadeFont &font = currentFont();
    if (text.size() > kPieceLength)
        return piecesOf(text, font.font).total();
    return lineAdvance(font.serial, font.font, text);
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
    setPainterTransform(p, transform());
    const MadeFont &font = currentFont();
    if (backgroundMode_ == gdi::kBkOpaque)
        p->fillRect(QRectF(topLeft, QSizeF(width, font.cellHeight)), toQColor(backgroundColour_));
    setPainterFont(p);
    p->setPen(toQColor(textColour_));
    p->drawText(QPointF(topLeft.x(), topLeft.y() + font.ascent), line);
}

void DeviceContext::setPainterFont(QPainter *p)
{
    // Setting a font makes the painter resolve it for its device and find its
    // engine again: skip it while the painter still holds the font given last.
    const QFont &font = currentFont().font;
    if (font.isCopyOf(fontGiven_) && p->font().isCopyOf(painterFont_))
        return;
    p->setFont(font);
    fontGiven_ = font;
    painterFont_ = p->font();
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
    // A left-aligned line without a background needs its width only to tell
    // whether it stays inside the rectangle: when an upper bound says so, it
    // is drawn without being measured (measuring shapes it as drawing does).
    if (!(alignment & (Qt::AlignRight | Qt::AlignHCenter)) && backgroundMode_ != gdi::kBkOpaque
        && top + textHeight() <= bottom && advanceAtMost(line, double(right) - left)) {
        drawTextLine(line, QPointF(left, top), 0);
        return;
    }
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
    setPainterTransform(p, transform());
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
    PieceMeasures &pieces = piecesOf(text, currentFont().font);
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
    setPainterTransform(p, transform());
    p->setClipRect(QRectF(left, top, right - left, bottom - top), Qt::IntersectClip);
    for (const auto &[k, pieceLeft] : shown)
        drawTextLine(pieces.piece(k), QPointF(pieceLeft, top), pieces.advance(k));
    p->restore();
}

} // namespace zet
