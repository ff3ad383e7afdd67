// The registry of failed output files.
#include "console/output/output_failures.h"

#include <set>

#include "console/output/output_lock.h"
#include "console/system/console.h"
#include "formats/text/text_encoding.h"

namespace {

// Process-wide by nature: every output file of every thread reports here,
// and the exit code is read from it.
std::set<std::string> incompleteOutputs;

}  // namespace

void noteIncompleteOutput(const std::string& name)
{
    OutputLock lock;
    if (incompleteOutputs.insert(name).second)
        consolePrintf("File: %s could not be written completely! Its results are incomplete.\n",
                      printableFileName(name).c_str());
}

bool anyOutputIncomplete()
{
    OutputLock lock;
    return !incompleteOutputs.empty();
}

int incompleteOutputCount()
{
    OutputLock lock;
    return static_cast<int>(incompleteOutputs.size());
}

void forgetOutputFailures()
{
    OutputLock lock;
    incompleteOutputs.clear();
}
