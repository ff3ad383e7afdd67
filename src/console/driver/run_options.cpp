// The options of a program run.
#include "console/driver/run_options.h"

#include <algorithm>
#include <vector>

#include "console/driver/null_model_settings.h"
#include "console/system/local_time.h"

namespace {

std::optional<std::uint32_t> seedOfProgram(const CommandLine& commandLine, std::time_t start)
{
    if (commandLine.seed || !isScripted(commandLine))
        return commandLine.seed;
    return static_cast<std::uint32_t>(start);
}

}  // namespace

RunOptions::RunOptions(const CommandLine& commandLine, std::time_t start)
    : commandLine_(commandLine), scripted_(isScripted(commandLine)), seed_(seedOfProgram(commandLine, start)),
      startDate_(isoLocalTime(start))
{
}

const QuestionAnswers& RunOptions::given() const
{
    static const QuestionAnswers none;
    return laterRun_ ? none : commandLine_.answers;
}

bravolin::FixedFixedSettings RunOptions::fixedFixed() const
{
    bravolin::FixedFixedSettings settings;
    settings.enabled = commandLine_.fixedFixed;
    settings.burnIn = commandLine_.fixedFixedBurnIn.value_or(-1);
    settings.thin = commandLine_.fixedFixedThin.value_or(-1);
    return settings;
}

TableLayout RunOptions::tableLayout() const
{
    // The abundances are kept only for the metric and the models that use
    // them.
    const std::vector<bravolin::NullModel> models = modelsOfRun(*this);
    const bool modelOfAbundances = std::any_of(models.begin(), models.end(), bravolin::drawsAbundances);
    return {commandLine_.header, commandLine_.rowNames, commandLine_.transpose,
            bravolin::measures(metricSettings(), bravolin::Metric::Wnodf) || modelOfAbundances};
}

bravolin::MetricSettings RunOptions::metricSettings() const
{
    return {commandLine_.metrics, commandLine_.wbinary};
}
