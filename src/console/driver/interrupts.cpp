// Acting on interrupts at the points where every file holds whole lines.
#include "console/driver/interrupts.h"

#include <string>

#include "console/output/folder_lock.h"
#include "console/output/output_file.h"
#include "console/output/output_lock.h"
#include "console/output/summary_line.h"
#include "console/system/platform.h"
#include "formats/text/text_encoding.h"

void finishInterruptedAtOnce()
{
    OutputLock::holdUntilTheEnd();
    const bool cutShort = summaryLineIsOpen();
    const std::string matrix = summaryLineMatrix();
    flushOpenOutputFiles();
    commitReplacingFiles();
    endOpenSummaryLine();
    releaseFolderLockAtExit();
    if (cutShort) {
        const std::string message = "\nFile: " + printableFileName(matrix) + " was interrupted! Its results are incomplete.\n";
        writeConsole(message.data(), message.size());
    }
}

void stopIfInterrupted()
{
    const int interrupt = caughtInterrupt();
    if (interrupt == 0)
        return;
    finishInterruptedAtOnce();
    endByInterrupt(interrupt);
}
