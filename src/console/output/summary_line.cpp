// The summary line being built.
#include "console/output/summary_line.h"

#include "console/output/output_file.h"
#include "console/output/output_lock.h"

namespace {

// Process-wide by nature: the interrupt that ends the program, on whatever
// thread, ends this line.
std::string openLine;
std::string openLineMatrix;

}  // namespace

void appendToSummary(const std::string& matrixName, const std::string& text)
{
    OutputLock lock;
    openLine += text;
    openLineMatrix = matrixName;
    if (openLine.empty() || openLine.back() != '\n')
        return;
    appendToFile(kSummaryFileName, openLine);
    openLine.clear();
}

bool summaryLineIsOpen()
{
    OutputLock lock;
    return !openLine.empty();
}

std::string summaryLineMatrix()
{
    OutputLock lock;
    return openLineMatrix;
}

void endOpenSummaryLine()
{
    OutputLock lock;
    if (!openLine.empty())
        appendToSummary(openLineMatrix, "\n");
}

void forgetSummaryLine()
{
    OutputLock lock;
    openLine.clear();
}
