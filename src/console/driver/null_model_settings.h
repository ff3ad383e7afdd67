// The settings of a file's null models: the run's simulations and models,
// on threads planned within the machine's memory, and what the console
// says when fewer threads run than asked for.
#ifndef BRAVOLIN_CONSOLE_DRIVER_NULL_MODEL_SETTINGS_H
#define BRAVOLIN_CONSOLE_DRIVER_NULL_MODEL_SETTINGS_H

#include <vector>

#include "bravolin/null_models.h"
#include "console/driver/program_run.h"

// The settings of the null models of a rows x columns matrix: the run's
// simulations, on the threads asked for, or by default one per processor
// this process may run on, at most 64; never more than fit in the memory
// budget, which the console then says (once a program run). They stop at
// an interrupt.
bravolin::NullModelSettings nullModelSettings(ProgramRun& run, int rows, int columns);

// The null models of the run, as the library lists them.
std::vector<bravolin::NullModel> modelsOfRun(const RunOptions& options);

// Whether the run writes the null models' classic files (the null-value
// files and the null part of the summary line): it has null models, and
// all four classic ones among them.
bool classicFilesOfRun(const RunOptions& options);

// With a precision: says whether a file's simulations reached it, and
// after how many.
void notePrecision(const bravolin::NullModelSettings& settings, const bravolin::SimulationRun& ran);

// Says (once a program run) when fewer threads ran than were planned,
// because the system could not start them all.
void noteThreadsRunning(RunState& state, const bravolin::NullModelSettings& planned,
                        const bravolin::SimulationRun& ran);

#endif
