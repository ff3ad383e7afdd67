// What every front end's batch of files shares with the console program's:
// the order its files are analysed in, and the seed of a file when each
// file is seeded on its own (--seed-per-file).
#ifndef BRAVOLIN_FORMATS_INPUT_BATCH_FILES_H
#define BRAVOLIN_FORMATS_INPUT_BATCH_FILES_H

#include <cstdint>
#include <string>

// Whether the file named a comes before the one named b in a batch: names
// compared with A..Z read as a..z, and names equal so by their bytes.
bool comesBeforeInBatch(const std::string& a, const std::string& b);

// The seed of a file of a batch with a seed per file: the 32-bit FNV-1a
// hash of the run's seed (its four bytes, lowest first) followed by the
// file name's UTF-8 bytes as given, letter case kept. It depends on nothing
// else, so a file's null models are the same in any batch.
std::uint32_t seedOfFile(std::uint32_t seed, const std::string& fileName);

#endif
