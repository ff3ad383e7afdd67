// The packing passes against a plain transcription of the procedure: scores
// summed column by column in single precision, both rank lists sorted in one
// exchange loop, the lists sorted back into line order by the same exchange
// procedure, and keys kept as floats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/packing/packing.h"
#include "support/matrices.h"

namespace {

bravolin::PackingContext packed;

struct Entry {
    int line;
    float value;
};

void sortByExchanges(std::vector<Entry>& list, bool (*comesBefore)(const Entry&, const Entry&))
{
    for (std::size_t i = 0; i < list.size(); i++)
        for (std::size_t j = i + 1; j < list.size(); j++)
            if (comesBefore(list[j], list[i]))
                std::swap(list[i], list[j]);
}

// The new order of the lines of one pass: order[i] is the line to put at
// position i (from 0). cell(l, k) is the k-th cell (from 1) of line l.
template <typename Cell>
std::vector<int> referencePass(int lines, int cellsPerLine, Cell cell)
{
    std::vector<Entry> presence, absence;
    for (int l = 1; l <= lines; l++) {
        float p = 0, a = 0;
        for (int k = 1; k <= cellsPerLine; k++) {
            if (cell(l, k) == 1)
                p = static_cast<float>(static_cast<double>(p) + static_cast<double>(k) * k);
            else
                a = static_cast<float>(static_cast<double>(a) +
                                       static_cast<double>(cellsPerLine - k + 1) * (cellsPerLine - k + 1));
        }
        presence.push_back({l, p});
        absence.push_back({l, a});
    }
    for (std::size_t i = 0; i < presence.size(); i++)
        for (std::size_t j = i + 1; j < presence.size(); j++) {
            if (presence[j].value > presence[i].value)
                std::swap(presence[i], presence[j]);
            if (absence[j].value < absence[i].value)
                std::swap(absence[i], absence[j]);
        }
    for (std::size_t i = 0; i < presence.size(); i++) {
        presence[i].value = static_cast<float>(i + 1);
        absence[i].value = static_cast<float>(i + 1);
    }
    auto byLine = [](const Entry& a, const Entry& b) { return a.line < b.line; };
    sortByExchanges(presence, byLine);
    sortByExchanges(absence, byLine);
    std::vector<Entry> keys;
    for (int l = 0; l < lines; l++)
        keys.push_back({l + 1, (presence[static_cast<std::size_t>(l)].value + absence[static_cast<std::size_t>(l)].value) / 2});
    sortByExchanges(keys, [](const Entry& a, const Entry& b) { return a.value < b.value; });
    std::vector<int> order;
    for (const Entry& key : keys)
        order.push_back(key.line);
    return order;
}

std::vector<int> positions(const std::vector<int>& order, int count)
{
    return std::vector<int>(order.begin() + 1, order.begin() + 1 + count);
}

void checkPassesAgainstReference(int rows, int columns, double fill, unsigned seed)
{
    loadPacking(packed, randomRows(rows, columns, fill, seed));
    for (int pass = 0; pass < 4; pass++) {
        std::vector<int> rowsBefore = positions(packed.rowOrder, rows);
        std::vector<int> expected = referencePass(rows, columns, [](int l, int k) { return packed.matrix[l][k]; });
        bravolin::reorderRows(packed);
        for (int i = 0; i < rows; i++)
            ASSERT_EQ(packed.rowOrder[i + 1], rowsBefore[static_cast<std::size_t>(expected[static_cast<std::size_t>(i)] - 1)])
                << rows << "x" << columns << " seed " << seed << " row pass " << pass;

        std::vector<int> columnsBefore = positions(packed.columnOrder, columns);
        expected = referencePass(columns, rows, [](int l, int k) { return packed.matrix[k][l]; });
        bravolin::reorderColumns(packed);
        for (int i = 0; i < columns; i++)
            ASSERT_EQ(packed.columnOrder[i + 1], columnsBefore[static_cast<std::size_t>(expected[static_cast<std::size_t>(i)] - 1)])
                << rows << "x" << columns << " seed " << seed << " column pass " << pass;
    }
}

}  // namespace

TEST(PackingReference, PassesMatchThePlainProcedureOnRandomMatrices)
{
    for (unsigned seed = 1; seed <= 12; seed++)
        checkPassesAgainstReference(5 + static_cast<int>(seed) * 7, 40 - static_cast<int>(seed) * 2,
                                    0.08 * seed, seed);
}

TEST(PackingReference, PassesMatchWhereSingleScoresRoundAbove2To24)
{
    // With 500 cells to a line, scores pass 2^24 and are rounded.
    checkPassesAgainstReference(500, 9, 0.5, 77);
    checkPassesAgainstReference(7, 500, 0.4, 78);
}
