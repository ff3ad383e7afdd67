// The curveball chain of the fixed-fixed model, and its default burn-in
// and thinning.
#include "core/null_models/fixed_fixed.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "bravolin/null_models.h"

namespace bravolin {

CurveballChain::CurveballChain(std::vector<std::uint8_t> cells, int rows, int columns, std::uint32_t seed)
    : cells_(std::move(cells)), rows_(rows), columns_(columns), generator_(seed)
{
    pool_.reserve(static_cast<std::size_t>(columns));
}

int CurveballChain::uniformBelow(int n)
{
    if (n <= 1)
        return 0;
    const int runs = (Generator::kMaxDraw + 1) / n;
    const int limit = runs * n;
    int draw;
    do
        draw = generator_.draw();
    while (draw >= limit);
    return draw % n;
}

void CurveballChain::trade()
{
    if (rows_ < 2)
        return;
    const int a = uniformBelow(rows_);
    int b = uniformBelow(rows_ - 1);
    if (b >= a)
        b++;
    std::uint8_t* first = cells_.data() + static_cast<std::size_t>(a) * static_cast<std::size_t>(columns_);
    std::uint8_t* second = cells_.data() + static_cast<std::size_t>(b) * static_cast<std::size_t>(columns_);
    pool_.clear();
    int firstOnly = 0;
    for (int c = 0; c < columns_; c++)
        if (first[c] != second[c]) {
            pool_.push_back(c);
            firstOnly += first[c];
        }
    const int pooled = static_cast<int>(pool_.size());
    // The first firstOnly columns of a random arrangement of the pool go to
    // the first row: a partial shuffle of that many places.
    for (int i = 0; i < firstOnly; i++)
        std::swap(pool_[static_cast<std::size_t>(i)],
                  pool_[static_cast<std::size_t>(i + uniformBelow(pooled - i))]);
    for (int i = 0; i < pooled; i++) {
        const int c = pool_[static_cast<std::size_t>(i)];
        first[c] = i < firstOnly ? 1 : 0;
        second[c] = i < firstOnly ? 0 : 1;
    }
}

void CurveballChain::advance(long long trades, const std::atomic<bool>* stop)
{
    for (long long t = 0; t < trades; t++) {
        if ((t & 1023) == 1023 && stop != nullptr && stop->load(std::memory_order_relaxed))
            return;
        trade();
    }
}

void CurveballChain::copyTo(CellMatrix& out, int origin) const
{
    for (int r = 0; r < rows_; r++)
        std::memcpy(out[r + origin] + origin, cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_),
                    static_cast<std::size_t>(columns_));
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
