// The files of a run's batch.
#include "console/driver/batch_list.h"

#include "console/driver/questions.h"
#include "formats/text/text_encoding.h"

FileBatch takeBatch(ProgramRun& run, const char* stepStart)
{
    const std::vector<std::string>& patterns = run.options.given().patterns;
    if (!patterns.empty()) {
        FileBatch batch(patterns, run.output.files().listCurrentFolder());
        for (const std::string& name : batch.namedOutputFiles())
            consolePrintf("File: %s is not read: the program gives names like it to its own output files; "
                          "rename it to analyse it.\n",
                          printableFileName(name).c_str());
        for (const std::string& pattern : batch.unmatchedPatterns()) {
            consolePrintf("%s", stepStart);
            reportNothingMatched(pattern.c_str(), run.output.style());
        }
        run.state.tally.unmatchedPatterns += static_cast<int>(batch.unmatchedPatterns().size());
        if (!batch.empty() || run.options.scripted())
            return batch;
    }
    for (;;) {
        const std::string expression = askFileExpression(run.answers);
        FileBatch batch({expression}, run.output.files().listCurrentFolder());
        if (!batch.empty())
            return batch;
        consolePrintf("%s", stepStart);
        reportNothingMatched(expression.c_str(), run.output.style());
    }
}

void reportBatchEndedEarly(ProgramRun& run, const FileBatch& batch)
{
    run.state.tally.endedEarly = true;
    if (!run.options.scripted()) {
        run.answers.nextWord();
        return;
    }
    for (const std::string& name : batch.remaining())
        consolePrintf("File: %s not processed.\n", printableFileName(name).c_str());
}

void reportFilesLeftOut(ProgramRun& run, const FileBatch& batch, int fileLimit)
{
    const int leftOut = static_cast<int>(batch.remaining().size());
    if (!run.options.scripted() || leftOut == 0)
        return;
    consolePrintf("Files: %d left out, beyond the %d files a batch takes; run them in a further batch.\n", leftOut,
                  fileLimit);
    run.state.tally.leftOut += leftOut;
}
