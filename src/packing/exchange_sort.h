// The exchange sort of the packing passes. Its order among equal entries
// decides the packed matrix, so it is kept exactly: for every position i and
// every later position j, entries i and j are swapped when entry j comes
// strictly before entry i. Entries are a key and a line number, held in two
// arrays numbered from 1.
#ifndef BRAVOLIN_PACKING_EXCHANGE_SORT_H
#define BRAVOLIN_PACKING_EXCHANGE_SORT_H

template <typename Key, typename ComesBefore>
void exchangeSort(Key* keys, int* lines, int count, ComesBefore comesBefore)
{
    // A list already in order makes the procedure swap nothing: skip its
    // quadratic scan. Packing lists are in order once the passes settle.
    bool ordered = true;
    for (int i = 2; i <= count && ordered; i++)
        ordered = !comesBefore(keys[i], keys[i - 1]);
    if (ordered)
        return;
    for (int i = 1; i <= count; i++) {
        Key first = keys[i];
        int firstLine = lines[i];
        for (int j = i + 1; j <= count; j++)
            if (comesBefore(keys[j], first)) {
                const Key movedKey = keys[j];
                const int movedLine = lines[j];
                keys[j] = first;
                lines[j] = firstLine;
                first = movedKey;
                firstLine = movedLine;
            }
        keys[i] = first;
        lines[i] = firstLine;
    }
}

#endif
