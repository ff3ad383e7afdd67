// The summary line being built.
#include "console/output/summary_line.h"

#include "console/output/output_file.h"
#include "console/output/output_lock.h"

namespace {

constexpr const char* kSummaryFileName = "SYSTEMP.TXT";

}  // namespace

void SummaryLine::append(const std::string& matrixName, const std::string& text)
{
    OutputLock lock(session_);
    line_ += text;
    matrix_ = matrixName;
    if (line_.empty() || line_.back() != '\n')
        return;
    appendToFile(session_, kSummaryFileName, line_);
    line_.clear();
}

bool SummaryLine::isOpen()
{
    OutputLock lock(session_);
    return !line_.empty();
}

std::string SummaryLine::matrix()
{
    OutputLock lock(session_);
    return matrix_;
}

void SummaryLine::endOpen()
{
    OutputLock lock(session_);
    if (!line_.empty())
        append(matrix_, "\n");
}
