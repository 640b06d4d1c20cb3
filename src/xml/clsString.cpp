#include "xml/clsString.h"

#include "zetview/Error.h"

#include <algorithm>
#include <limits>

namespace zet {

namespace {

constexpr qint64 kMaxBytes = std::numeric_limits<qint32>::max();

Error invalidCall()
{
    return Error(Error::kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
}

Qt::CaseSensitivity sensitivity(int compare)
{
    if (compare == 0)
        return Qt::CaseSensitive;
    if (compare == 1)
        return Qt::CaseInsensitive;
    throw invalidCall();
}

} // namespace

int clsString::Length() const
{
    return length_;
}

int clsString::Capacity() const
{
    return capacity_;
}

int clsString::ChunkSize() const
{
    return chunk_;
}

void clsString::SetChunkSize(int characters)
{
    if (characters <= 0)
        throw invalidCall();
    if (2 * qint64(characters) > kMaxBytes)
        throw Error::overflow();
    chunk_ = characters;
}

void clsString::growFor(qint64 neededChars)
{
    if (neededChars <= capacity_)
        return;
    const qint64 chunks = (neededChars - capacity_ + chunk_ - 1) / chunk_;
    const qint64 newCapacity = capacity_ + chunks * chunk_;
    if (2 * newCapacity > kMaxBytes)
        throw Error::overflow();
    // The logical buffer grows by whole chunks of blanks; its storage grows
    // geometrically so that a long run of appends copies each piece once.
    if (newCapacity > buffer_.capacity())
        buffer_.reserve(std::max<qint64>(newCapacity, 2 * buffer_.capacity()));
    buffer_.resize(newCapacity, QLatin1Char(' '));
    capacity_ = int(newCapacity);
}

QString clsString::GetString(int start, int length) const
{
    if (length_ == 0)
        return QString();
    if (start < 1 || length < -1)
        throw invalidCall();
    if (start > length_)
        return QString();
    qint64 count = length;
    if (length == -1 || qint64(start) + length > length_)
        count = length_ - start + 1;
    return buffer_.mid(start - 1, count);
}

void clsString::SetString(const QString &text)
{
    if (text.isEmpty()) {
        buffer_ = QString();
        length_ = 0;
        capacity_ = 0;
        return;
    }
    growFor(text.size());
    std::copy(text.cbegin(), text.cend(), buffer_.begin());
    length_ = int(text.size());
}

void clsString::Append(const QString &text)
{
    growFor(qint64(length_) + text.size());
    std::copy(text.cbegin(), text.cend(), buffer_.begin() + length_);
    length_ += int(text.size());
}

void clsString::AppendByVal(QString text)
{
    Append(text);
}

void clsString::Insert(int start, const QString &text)
{
    if (start < 1 || start > length_ + 1)
        throw Error::subscriptOutOfRange();
    growFor(qint64(length_) + text.size());
    const auto offset = buffer_.begin() + (start - 1);
    std::copy_backward(offset, buffer_.begin() + length_, buffer_.begin() + length_ + text.size());
    std::copy(text.cbegin(), text.cend(), offset);
    length_ += int(text.size());
}

void clsString::InsertByVal(int start, QString text)
{
    Insert(start, text);
}

void clsString::Remove(int start, int count)
{
    if (start < 1 || start > length_ + 1 || count < 0 || qint64(start) - 1 + count > length_)
        throw Error::subscriptOutOfRange();
    const auto begin = buffer_.begin();
    std::copy(begin + (start - 1 + count), begin + length_, begin + (start - 1));
    length_ -= count;
}

int clsString::Find(const QString &text, int start, bool reverse, int compare) const
{
    const Qt::CaseSensitivity cs = sensitivity(compare);
    if (start != -1 && (start < 1 || start > length_ - 1))
        return 0;
    qsizetype found = -1; // 0-based
    if (!reverse) {
        found = buffer_.indexOf(text, start == -1 ? 0 : start - 1, cs);
    } else {
        // The last occurrence lying wholly within the first `end` characters.
        const qsizetype end = start == -1 ? buffer_.size() : start;
        if (text.isEmpty())
            found = end - 1;
        else
            found = QStringView(buffer_).left(end).lastIndexOf(QStringView(text), -1, cs);
    }
    if (found < 0 || found + 1 >= length_)
        return 0;
    return int(found + 1);
}

void clsString::HeapMinimize()
{
    const int spare = capacity_ - length_;
    if (spare > chunk_)
        capacity_ -= (spare - 1) / chunk_ * chunk_; // whole chunks until at most one is spare
    buffer_.truncate(capacity_);
    buffer_.squeeze();
}

} // namespace zet
