// The exchange sort of the packing passes. Its order among equal entries
// decides the packed matrix, so it is kept exactly: for every position i and
// every later position j, entries i and j are swapped when entry j comes
// strictly before entry i. Entries are a key and a line number, held in two
// arrays numbered from 1.
#ifndef BRAVOLIN_PACKING_EXCHANGE_SORT_H
#define BRAVOLIN_PACKING_EXCHANGE_SORT_H

enum class SortOrder { Increasing, Decreasing };

template <SortOrder order, typename Key>
inline bool comesBefore(Key a, Key b)
{
    return order == SortOrder::Increasing ? a < b : a > b;
}

template <SortOrder order, typename Key>
void exchangeSort(Key* keys, int* lines, int count)
{
    // A list already in order makes the procedure swap nothing: skip its
    // quadratic scan.
    bool ordered = true;
    for (int i = 2; i <= count && ordered; i++)
        ordered = !comesBefore<order>(keys[i], keys[i - 1]);
    if (ordered)
        return;
    for (int i = 1; i <= count; i++) {
        Key held = keys[i];
        int heldLine = lines[i];
        for (int j = i + 1; j <= count; j++)
            if (comesBefore<order>(keys[j], held)) {
                const Key movedKey = keys[j];
                const int movedLine = lines[j];
                keys[j] = held;
                lines[j] = heldLine;
                held = movedKey;
                heldLine = movedLine;
            }
        keys[i] = held;
        lines[i] = heldLine;
    }
}

#endif
