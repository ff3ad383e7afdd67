// The curveball chain of the fixed-fixed model, and its default burn-in
// and thinning.
#include "core/null_models/fixed_fixed.h"

#include <utility>

#include "bravolin/null_models.h"
#include "core/bits.h"

namespace bravolin {

CurveballChain::CurveballChain(const std::vector<std::uint8_t>& cells, int rows, int columns, std::uint32_t seed,
                               const StopRequest& stop)
    : rows_(rows), columns_(columns), words_(wordsFor(columns)),
      bits_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(wordsFor(columns)), 0), generator_(seed)
{
    for (int r = 0; r < rows; r++) {
        stop.abandonAtLineIfRequested(r);
        for (int c = 0; c < columns; c++)
            if (cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)])
                row(r)[c / kWordBits] |= std::uint64_t{1} << (c % kWordBits);
    }
    pool_.reserve(static_cast<std::size_t>(columns));
}

int CurveballChain::uniformBelow(int n)
{
    if (n <= 1)
        return 0;
    constexpr std::uint32_t kDraws = Generator::kMaxDraw + 1;
    const std::uint32_t below = static_cast<std::uint32_t>(n);
    std::uint32_t product = static_cast<std::uint32_t>(generator_.draw()) * below;
    // Most draws are taken at once; only those whose low part could be in
    // the short run need the division.
    if ((product & (kDraws - 1)) < below) {
        const std::uint32_t shortRun = (kDraws - below) % below;
        while ((product & (kDraws - 1)) < shortRun)
            product = static_cast<std::uint32_t>(generator_.draw()) * below;
    }
    return static_cast<int>(product >> 15);
}

void CurveballChain::trade()
{
    if (rows_ < 2)
        return;
    const int a = uniformBelow(rows_);
    int b = uniformBelow(rows_ - 1);
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
    for (int i = 0; i < picks; i++)
        std::swap(pool_[static_cast<std::size_t>(i)], pool_[static_cast<std::size_t>(i + uniformBelow(pooled - i))]);
    std::uint64_t* picker = firstPicks ? first : second;
    std::uint64_t* other = firstPicks ? second : first;
    for (int i = 0; i < pooled; i++) {
        const int c = pool_[static_cast<std::size_t>(i)];
        (i < picks ? picker : other)[c / kWordBits] |= std::uint64_t{1} << (c % kWordBits);
    }
}

void CurveballChain::advance(long long trades, const StopRequest& stop)
{
    for (long long t = 0; t < trades; t++) {
        if ((t & 63) == 63)
            stop.abandonIfRequested();
        trade();
    }
}

void CurveballChain::copyTo(CellMatrix& out, int origin, const StopRequest& stop) const
{
    for (int r = 0; r < rows_; r++) {
        stop.abandonAtLineIfRequested(r);
        unsigned char* cells = out[r + origin] + origin;
        const std::uint64_t* bits = row(r);
        for (int c = 0; c < columns_; c++)
            cells[c] = static_cast<unsigned char>((bits[c / kWordBits] >> (c % kWordBits)) & 1u);
    }
}

std::vector<std::uint8_t> CurveballChain::cells() const
{
    std::vector<std::uint8_t> cells;
    cells.reserve(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_));
    for (int r = 0; r < rows_; r++)
        for (int c = 0; c < columns_; c++)
            cells.push_back(cell(r, c) ? 1 : 0);
    return cells;
}

long long defaultFixedFixedBurnIn(int rows)
{
    return 100LL * rows;
}

long long defaultFixedFixedThin(int rows)
{
    return 10LL * rows;
}

std::uint32_t fixedFixedSeed(std::uint32_t fileSeed)
{
    // The 32-bit finaliser of MurmurHash3 of the file's seed with the
    // model's letters ("FF") mixed in: a stream unrelated to the other
    // models' one, from the same seed.
    std::uint32_t h = fileSeed ^ 0x4646u;
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

}  // namespace bravolin
