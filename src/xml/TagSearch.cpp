#include "xml/TagSearch.h"

#include "core/CaseFolding.h"

#include <QtAlgorithms>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace zet {

QString tagOf(QStringView name, Tag kind, Case letterCase)
{
    QString tag(name.size() + (kind == Tag::Close ? 3 : 2), Qt::Uninitialized);
    QChar *out = tag.data();
    *out++ = QLatin1Char('<');
    if (kind == Tag::Close)
        *out++ = QLatin1Char('/');
    for (QChar c : name)
        *out++ = letterCase == Case::Lower ? QChar(lowerUnit(c.unicode())) : c;
    *out = QLatin1Char('>');
    return tag;
}

namespace {

template <bool kFolded> bool matchesAt(const char16_t *units, const char16_t *pattern, qsizetype m)
{
    for (qsizetype j = 0; j < m; ++j) {
        if ((kFolded ? lowerUnit(units[j]) : units[j]) != pattern[j])
            return false;
    }
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ZET_TAG_SEARCH_AVX2 1

// The tests of indexOfTag below, sixteen places at once where the processor
// can. Gives the place found, or -1 with *next the first place not tested.
struct WideUnitTest
{
    __m256i caseBit;
    __m256i target;
    __m256i wideCounts;
    __m256i always;
};

template <bool kFolded>
__attribute__((target("avx2"), always_inline)) inline WideUnitTest wideUnitTest(char16_t c)
{
    const bool letter = kFolded && c >= u'a' && c <= u'z';
    const bool wide = kFolded && c < 0x80;
    return { _mm256_set1_epi16(letter ? 0x20 : 0), _mm256_set1_epi16(short(c)),
        _mm256_set1_epi16(short(wide ? -1 : 0)), _mm256_set1_epi16(short(kFolded && c >= 0x80 ? -1 : 0)) };
}

__attribute__((target("avx2"), always_inline)) inline __m256i mayBeWide(
    __m256i unitsThere, const WideUnitTest &test)
{
    const __m256i same = _mm256_cmpeq_epi16(_mm256_or_si256(unitsThere, test.caseBit), test.target);
    const __m256i ascii = _mm256_cmpeq_epi16(
        _mm256_and_si256(unitsThere, _mm256_set1_epi16(short(0xFF80))), _mm256_setzero_si256());
    return _mm256_or_si256(_mm256_or_si256(same, test.always), _mm256_andnot_si256(ascii, test.wideCounts));
}

template <bool kFolded>
__attribute__((target("avx2"))) qsizetype indexOfTagWide(
    const char16_t *units, qsizetype size, const char16_t *pattern, qsizetype m, qsizetype i, qsizetype *next)
{
    const WideUnitTest secondTest = wideUnitTest<kFolded>(pattern[1]);
    const WideUnitTest lastTest = wideUnitTest<kFolded>(pattern[m - 1]);
    const __m256i angle = _mm256_set1_epi16(short(u'<'));
    const qsizetype reach = 16 + std::max<qsizetype>(1, m - 1);
    for (; i + reach <= size; i += 16) {
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(units + i));
        const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(units + i + 1));
        const __m256i last = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(units + i + m - 1));
        const __m256i candidates = _mm256_and_si256(_mm256_cmpeq_epi16(here, angle),
            _mm256_and_si256(mayBeWide(second, secondTest), mayBeWide(last, lastTest)));
        for (quint32 bits = quint32(_mm256_movemask_epi8(candidates)); bits != 0;) {
            const uint bit = qCountTrailingZeroBits(bits);
            bits &= ~(3u << bit);
            const qsizetype at = i + bit / 2;
            if (matchesAt<kFolded>(units + at, pattern, m))
                return at;
        }
    }
    *next = i;
    return -1;
}
#endif

// A pattern that starts with '<' (every tag) can only match where the text
// has a '<' (only '<' lower-cases to it) followed by a unit that lower-cases
// to the pattern's second unit (an ASCII unit equal to it but for letter
// case, or any unit beyond ASCII: some lower-case to ASCII letters) and, at
// the pattern's last place, a unit that lower-cases to its last one (the same
// test). Eight places are tested at once; each that passes is compared in
// full, lower-cased when kFolded, else as it is.
template <bool kFolded>
qsizetype indexOfTag(
    const char16_t *units, qsizetype size, const char16_t *pattern, qsizetype m, qsizetype from)
{
    qsizetype i = std::max<qsizetype>(from, 0);
#if defined(ZET_TAG_SEARCH_AVX2)
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) {
        const qsizetype found = indexOfTagWide<kFolded>(units, size, pattern, m, i, &i);
        if (found >= 0)
            return found;
    }
#endif
#if defined(__SSE2__)
    // The test whether a unit may be c (may lower-case to it when kFolded),
    // set up once: equal once the case bit is set (letters, folded only), or
    // beyond ASCII (folded only), or anything (c beyond ASCII, folded only).
    struct UnitTest
    {
        __m128i caseBit;
        __m128i target;
        __m128i wideCounts;
        __m128i always;
    };
    const auto unitTest = [](char16_t c) {
        const bool letter = kFolded && c >= u'a' && c <= u'z';
        const bool wide = kFolded && c < 0x80;
        return UnitTest { _mm_set1_epi16(letter ? 0x20 : 0), _mm_set1_epi16(short(c)),
            _mm_set1_epi16(short(wide ? -1 : 0)), _mm_set1_epi16(short(kFolded && c >= 0x80 ? -1 : 0)) };
    };
    const __m128i beyondAscii = _mm_set1_epi16(short(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    const auto mayBe = [&](const __m128i &unitsThere, const UnitTest &test) {
        const __m128i same = _mm_cmpeq_epi16(_mm_or_si128(unitsThere, test.caseBit), test.target);
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(unitsThere, beyondAscii), zero);
        return _mm_or_si128(_mm_or_si128(same, test.always), _mm_andnot_si128(ascii, test.wideCounts));
    };
    const UnitTest secondTest = unitTest(pattern[1]);
    const UnitTest lastTest = unitTest(pattern[m - 1]);
    const __m128i angle = _mm_set1_epi16(short(u'<'));
    // Loads reach units[i + 7 + max(1, m - 1)], within the text. The three
    // tests are made whatever the first gives: a '<' is in about every other
    // block of element text, a branch on it mispredicted as often.
    const qsizetype reach = 8 + std::max<qsizetype>(1, m - 1);
    for (; i + reach <= size; i += 8) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i + 1));
        const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i + m - 1));
        const __m128i candidates = _mm_and_si128(
            _mm_cmpeq_epi16(here, angle), _mm_and_si128(mayBe(next, secondTest), mayBe(last, lastTest)));
        // Two mask bits a unit.
        for (quint32 bits = quint32(_mm_movemask_epi8(candidates)); bits != 0;) {
            const uint bit = qCountTrailingZeroBits(bits);
            bits &= ~(3u << bit);
            const qsizetype at = i + bit / 2;
            if (matchesAt<kFolded>(units + at, pattern, m))
                return at;
        }
    }
#endif
    for (; i + m <= size; ++i) {
        if (units[i] == u'<' && matchesAt<kFolded>(units + i, pattern, m))
            return i;
    }
    return -1;
}

} // namespace

qsizetype indexOfTagAsWritten(QStringView text, QStringView tag, qsizetype from)
{
    if (tag.size() < 2 || tag.front() != u'<')
        return text.indexOf(tag, from);
    return indexOfTag<false>(text.utf16(), text.size(), tag.utf16(), tag.size(), from);
}

qsizetype indexOfFolded(QStringView text, QStringView lowerPattern, qsizetype from)
{
    const qsizetype m = lowerPattern.size();
    if (m >= 2 && lowerPattern.front() == u'<')
        return indexOfTag<true>(text.utf16(), text.size(), lowerPattern.utf16(), m, from);
    if (m == 0)
        return from <= text.size() ? from : -1;
    for (qsizetype i = from; i + m <= text.size(); ++i) {
        if (matchesAt<true>(text.utf16() + i, lowerPattern.utf16(), m))
            return i;
    }
    return -1;
}

QString sharedPart(const QString &text, qsizetype position, qsizetype size)
{
    Q_ASSERT(position >= 0 && size >= 0 && position + size <= text.size());
    // Text that does not own its block (raw or static data) and the cases
    // that QString::mid answers without copying go through mid.
    if (size == 0 || size == text.size() || !text.data_ptr().isMutable())
        return text.mid(position, size);
    QString part = text;
    part.data_ptr().setBegin(part.data_ptr().data() + position);
    part.data_ptr().size = size;
    return part;
}

QString joined(std::initializer_list<QStringView> pieces)
{
    qsizetype size = 0;
    for (QStringView piece : pieces)
        size += piece.size();
    QString result;
    result.reserve(size);
    for (QStringView piece : pieces)
        result.append(piece);
    return result;
}

} // namespace zet
