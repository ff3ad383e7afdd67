// The closing line and the exit code.
#include "console/driver/exit_code.h"

#include <cstdio>

int finishRun(ProgramRun& run, bool inputEnded)
{
    const BatchTally& tally = run.state.tally;
    if (tally.folderUnwritable) {
        std::fflush(stdout);
        return 1;
    }
    const bool scripted = run.options.scripted();
    const int incomplete = run.output.incompleteCount();
    if (inputEnded)
        consolePrintf("Standard input ended before the analysis was complete.\n");
    if (scripted)
        consolePrintf("Files: %d analysed, %d skipped, %d with lost lines, %d not written completely\n",
                      tally.analysed, tally.skipped, tally.withLostLines, incomplete);
    std::fflush(stdout);
    if (incomplete > 0 || inputEnded || tally.outOfMemory > 0)
        return 1;
    if (scripted && (tally.skipped > 0 || tally.withLostLines > 0 || tally.unmatchedPatterns > 0 ||
                     tally.endedEarly || tally.leftOut > 0))
        return 1;
    return 0;
}
