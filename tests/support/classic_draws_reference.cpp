// The classic null models read one draw at a time.
#include "support/classic_draws_reference.h"

#include <string>

namespace {

struct PlainGenerator {
    std::uint32_t state;
    int draw()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    float fraction() { return static_cast<float>(static_cast<double>(draw()) / 32767); }
    bool cell(double fill)
    {
        const int threshold = fill >= 0 && fill <= 1 ? static_cast<int>(fill * 10000) : 0;
        return static_cast<int>(static_cast<double>(draw()) / 32767 * 10000) < threshold;
    }
};

// The nearest integer to x, halves down.
int nearestHalvesDown(double x)
{
    const int below = static_cast<int>(x);
    return x - below > 0.5 ? below + 1 : below;
}

int ones(const std::string& line)
{
    int count = 0;
    for (char cell : line)
        count += cell == '1';
    return count;
}

}  // namespace

ClassicDefinition temperatureDefinition()
{
    return {1,
            [](float u, int k) {
                const int position = nearestHalvesDown(k * static_cast<double>(u));
                return position == 0 ? 1 : position;
            },
            false};
}

ClassicDefinition nodfDefinition()
{
    return {0, [](float u, int k) { return nearestHalvesDown((k - 1) * static_cast<double>(u)); }, true};
}

ReferenceDraws referenceClassicDraws(const Rows& block, std::uint32_t seed, const ClassicDefinition& definition)
{
    const int m = static_cast<int>(block.size()), n = m == 0 ? 0 : static_cast<int>(block[0].size());
    PlainGenerator g{seed};
    // Matrices and positions are indexed from 0 here, lines from origin in
    // the definition.
    auto positionIn = [&](int k) { return definition.position(g.fraction(), k) - definition.origin; };
    Rows columns(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(m), '0'));
    for (std::size_t i = 0; i < block.size(); i++)
        for (std::size_t j = 0; j < columns.size(); j++)
            columns[j][i] = block[i][j];
    Rows matrix(static_cast<std::size_t>(m), std::string(static_cast<std::size_t>(n), '0'));
    auto at = [&](int i, int j) -> char& { return matrix[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]; };
    auto repair = [&] {
        if (m == 0 || n == 0)
            return;
        for (int i = 0; i < m; i++)
            if (ones(matrix[static_cast<std::size_t>(i)]) == 0)
                at(i, positionIn(n)) = '1';
        for (int j = 0; j < n; j++) {
            bool empty = true;
            for (int i = 0; i < m; i++)
                empty = empty && at(i, j) == '0';
            if (empty)
                at(positionIn(m), j) = '1';
        }
    };
    ReferenceDraws draws;
    int total = 0;
    for (const std::string& row : block)
        total += ones(row);
    const float fill = static_cast<float>(static_cast<double>(total) / (m * n));
    for (int i = 0; i < m; i++)
        for (int j = 0; j < n; j++)
            at(i, j) = g.cell(fill) ? '1' : '0';
    repair();
    draws.matrices.push_back(matrix);
    for (int i = 0; i < m; i++)
        for (int j = 0; j < n; j++) {
            const float rowFill = static_cast<float>(static_cast<double>(ones(block[static_cast<std::size_t>(i)])) / n);
            const float columnFill =
                static_cast<float>(static_cast<double>(ones(columns[static_cast<std::size_t>(j)])) / m);
            at(i, j) = g.cell((static_cast<double>(rowFill) + columnFill) / 2) ? '1' : '0';
        }
    if (definition.repairsCe)
        repair();
    draws.matrices.push_back(matrix);
    for (int i = 0; i < m; i++) {
        matrix[static_cast<std::size_t>(i)].assign(static_cast<std::size_t>(n), '0');
        for (int placed = ones(block[static_cast<std::size_t>(i)]); placed > 0; placed--) {
            int j;
            do
                j = positionIn(n);
            while (at(i, j) == '1');
            at(i, j) = '1';
        }
    }
    draws.matrices.push_back(matrix);
    for (int i = 0; i < m; i++)
        matrix[static_cast<std::size_t>(i)].assign(static_cast<std::size_t>(n), '0');
    for (int j = 0; j < n; j++)
        for (int placed = ones(columns[static_cast<std::size_t>(j)]); placed > 0; placed--) {
            int i;
            do
                i = positionIn(m);
            while (at(i, j) == '1');
            at(i, j) = '1';
        }
    draws.matrices.push_back(matrix);
    draws.state = g.state;
    return draws;
}
