// Seeding the generator of the null models: at the seeding points of a
// program run, and for each file with --seed-per-file; and the seed a
// scripted run prints before each file's first draw.
#ifndef BRAVOLIN_CONSOLE_DRIVER_SEEDING_H
#define BRAVOLIN_CONSOLE_DRIVER_SEEDING_H

#include <cstdint>
#include <string>

#include "console/driver/run_options.h"
#include "console/driver/run_state.h"

// The seed for a seeding point: the run's own, or the clock's.
std::uint32_t seedOfRun(const RunOptions& options);

// Seeds the run's generator at a seeding point.
void seedGenerator(const RunOptions& options, RunState& state);

// With --seed-per-file: seeds the generator for the file named fileName
// with seedOfFile (formats/input/batch_files.h) of the run's seed and that
// name.
void seedFileGenerator(const RunOptions& options, RunState& state, const std::string& fileName);

// In a scripted run with null models: the generator's state before the
// file's first draw, so that the file's null models can be rerun alone.
void printFileSeed(const RunOptions& options, const RunState& state);

#endif
