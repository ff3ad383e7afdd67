// The run's settings as the page lists them.
#include "console/driver/page_settings.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bravolin/version.h"
#include "console/driver/null_model_settings.h"
#include "formats/text/text_format.h"

namespace {

// A setting of a chain of trades: the number given, or the default's rule.
std::string tradesSetting(long long given, const char* defaultRule)
{
    return given >= 0 ? std::to_string(given) + " trades" : std::string(defaultRule);
}

}  // namespace

PageSettings pageSettings(const RunOptions& options, const RunState& state)
{
    const RunSettings& run = options.settings;
    PageSettings settings = {{"Mode", run.mode == AnalysisMode::Temperature ? "T (temperature)" : "N (NODF)"}};
    if (run.mode == AnalysisMode::Nodf)
        settings.push_back({"Ordered", run.order ? "yes" : "no"});
    settings.push_back({"Seed", std::to_string(state.generatorSeed)});
    settings.push_back({"Seed per file", options.commandLine().seedPerFile ? "yes" : "no"});
    if (run.nullModels) {
        settings.push_back({"Simulations", std::to_string(run.simulations)});
        const CommandLine& commandLine = options.commandLine();
        if (commandLine.precision)
            settings.push_back({"Precision", formatText("%g", *commandLine.precision)});
        std::string models;
        const std::vector<bravolin::NullModel> ofRun = modelsOfRun(options);
        for (bravolin::NullModel model : ofRun)
            models += (models.empty() ? "" : ", ") + std::string(bravolin::kNullModelNames[model]);
        settings.push_back({"Null models", models});
        const bravolin::FixedFixedSettings fixedFixed = options.fixedFixed();
        if (std::find(ofRun.begin(), ofRun.end(), bravolin::Curveball) != ofRun.end()) {
            settings.push_back({"FF burn-in", tradesSetting(fixedFixed.burnIn, "100 x rows trades")});
            settings.push_back({"FF thinning", tradesSetting(fixedFixed.thin, "10 x rows trades")});
        }
        if (std::find(ofRun.begin(), ofRun.end(), bravolin::Quasiswap) != ofRun.end())
            settings.push_back({"Quasiswap thinning", tradesSetting(commandLine.quasiswapThin.value_or(-1),
                                                                    "rows trades")});
    }
    const bravolin::MetricSettings metrics = options.metricSettings();
    if (run.mode == AnalysisMode::Nodf && bravolin::measuresBeyondNodf(metrics)) {
        std::string names;
        for (bravolin::Metric metric : metrics.metrics)
            names += (names.empty() ? "" : ", ") + std::string(bravolin::kMetricNames[static_cast<int>(metric)]);
        settings.push_back({"Metrics", names + (metrics.wbinary ? " (wnodf: wbinary)" : "")});
    }
    settings.push_back({"Version", bravolin::kVersion});
    settings.push_back({"Date", options.startDate()});
    return settings;
}
