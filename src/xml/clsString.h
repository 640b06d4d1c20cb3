#pragma once

#include <QString>

namespace zet {

// A growable text buffer for assembling long text piece by piece. The buffer
// is longer than the content and grows by whole chunks, so appending many
// short pieces costs one copy per piece.
//
// Unlike the rest of the code base, positions in this class's API are 1-based
// character positions and counts are in characters (UTF-16 units). Internally
// the chunk size, length and capacity are kept in bytes (two per character) as
// 32-bit quantities; a size that would not fit raises error 6 (overflow).
//
// Out-of-range positions raise zet::Error 9 (subscript out of range) and leave
// the builder unchanged. A new builder is empty with capacity 0 and a chunk of
// 8192 characters.
class clsString
{
public:
    // Content length, in characters.
    int Length() const;
    // Buffer size, in characters: content plus spare (blanks or leftovers of
    // earlier content).
    int Capacity() const;

    // Growth step, in characters. A value of 0 or less cannot make the buffer
    // grow: it raises error 5 (invalid procedure call) and the step is kept.
    int ChunkSize() const;
    void SetChunkSize(int characters);

    // Length characters of the content from Start; everything from Start to
    // the end when Length is -1 or reaches past the end. Empty text when the
    // content is empty or Start lies beyond it. Start below 1 or a negative
    // Length other than -1 raise error 5.
    QString GetString(int start = 1, int length = -1) const;

    // Replaces the content. Empty text also gives back the whole buffer
    // (capacity 0); otherwise the spare part is left as it was.
    void SetString(const QString &text);

    // Adds text at the end of the content.
    void Append(const QString &text);
    // The same as Append, for callers holding a temporary value.
    void AppendByVal(QString text);

    // Inserts text before position start (1 to Length + 1).
    void Insert(int start, const QString &text);
    // The same as Insert, for callers holding a temporary value.
    void InsertByVal(int start, QString text);

    // Deletes count characters from position start; start must lie between 1
    // and Length + 1 and the removed part inside the content. A negative count
    // raises error 9 too.
    void Remove(int start, int count);

    // Position (1-based) of text, or 0. compare is 0 for binary and 1 for
    // case-insensitive comparison (anything else raises error 5). Forward:
    // start -1 searches from position 1, a start between 1 and Length - 1
    // from there, any other start gives 0. Backward (reverse true): the last
    // occurrence ending at or before start, start -1 meaning the end of the
    // buffer. The search runs over the whole buffer, spare part included, and
    // a position that is not below Length is reported as 0.
    int Find(const QString &text, int start = -1, bool reverse = false, int compare = 0) const;

    // Gives back spare capacity beyond one chunk.
    void HeapMinimize();

private:
    void growFor(qint64 neededChars);

    // Sizes are kept in characters here; their byte sizes (twice as much) are
    // what must fit in 32 bits.
    QString buffer_; // capacity_ characters; the first length_ are the content
    int length_ = 0;
    int capacity_ = 0;
    int chunk_ = 8192;
};

} // namespace zet
