// The reset of the process-wide state.
#include "console/driver/program_state.h"

#include "console/output/file_system.h"
#include "console/output/output_failures.h"
#include "console/output/summary_line.h"
#include "console/system/console.h"

void resetProgramState()
{
    forgetOutputFailures();
    forgetSummaryLine();
    writeOutputThrough(nullptr);
    setConsoleStyle(true, ProgressLines::Classic);
}
