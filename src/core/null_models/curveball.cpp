// Curveball trades on rows of bits, drawn from the 64-bit generator.
#include "core/null_models/curveball.h"

#include <utility>

#include "core/bits.h"

namespace bravolin {

CurveballMatrix::CurveballMatrix(int rows, int columns)
    : rows_(rows), columns_(columns), words_(wordsFor(columns)),
      bits_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(wordsFor(columns)), 0)
{
    pool_.reserve(static_cast<std::size_t>(columns));
}

CurveballMatrix::CurveballMatrix(const Matrix& start, const StopRequest& stop)
    : CurveballMatrix(start.rows(), start.columns())
{
    for (int r = 0; r < rows_; r++) {
        stop.abandonAtLineIfRequested(r);
        const std::uint8_t* cells = start.row(r);
        for (int c = 0; c < columns_; c++)
            set(r, c, cells[c] != 0);
    }
}

void CurveballMatrix::trade(StreamGenerator& generator)
{
    if (rows_ < 2)
        return;
    const int a = static_cast<int>(generator.below(static_cast<std::uint64_t>(rows_)));
    int b = static_cast<int>(generator.below(static_cast<std::uint64_t>(rows_ - 1)));
    if (b >= a)
        b++;
    std::uint64_t* first = row(a);
    std::uint64_t* second = row(b);
    // The pool, in increasing column order; both rows keep their shared
    // presences only, until the pool is dealt.
    pool_.clear();
    int firstOnly = 0;
    for (int w = 0; w < words_; w++) {
        std::uint64_t differing = first[w] ^ second[w];
        firstOnly += popcount(first[w] & differing);
        first[w] &= ~differing;
        second[w] &= ~differing;
        for (; differing != 0; differing &= differing - 1)
            pool_.push_back(w * kWordBits + lowestSetBit(differing));
    }
    const int pooled = static_cast<int>(pool_.size());
    const bool firstPicks = firstOnly <= pooled - firstOnly;
    const int picks = firstPicks ? firstOnly : pooled - firstOnly;
    for (int i = 0; i < picks; i++) {
        const auto pick = static_cast<std::size_t>(i) +
                          static_cast<std::size_t>(generator.below(static_cast<std::uint64_t>(pooled - i)));
        std::swap(pool_[static_cast<std::size_t>(i)], pool_[pick]);
    }
    std::uint64_t* picker = firstPicks ? first : second;
    std::uint64_t* other = firstPicks ? second : first;
    for (int i = 0; i < pooled; i++) {
        const int c = pool_[static_cast<std::size_t>(i)];
        (i < picks ? picker : other)[c / kWordBits] |= std::uint64_t{1} << (c % kWordBits);
    }
}

void CurveballMatrix::advance(long long trades, StreamGenerator& generator, const StopRequest& stop)
{
    for (long long t = 0; t < trades; t++) {
        if ((t & 63) == 63)
            stop.abandonIfRequested();
        trade(generator);
    }
}

void CurveballMatrix::copyTo(CellMatrix& out, int origin, const StopRequest& stop) const
{
    out.resize(rows_, columns_);
    for (int r = 0; r < rows_; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* cells = out[r + origin] + origin;
        const std::uint64_t* bits = row(r);
        for (int c = 0; c < columns_; c++)
            cells[c] = static_cast<unsigned char>((bits[c / kWordBits] >> (c % kWordBits)) & 1u);
    }
}

}  // namespace bravolin
