// The run's settings as the page lists them.
#include "console/driver/page_settings.h"

#include <string>

#include "bravolin/version.h"
#include "console/driver/null_model_settings.h"

namespace {

// A setting of the FF chain: the number given, or the default's rule.
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
        std::string models;
        for (bravolin::NullModel model : modelsOfRun(options))
            models += (models.empty() ? "" : ", ") + std::string(bravolin::kNullModelNames[model]);
        settings.push_back({"Null models", models});
        const bravolin::FixedFixedSettings fixedFixed = options.fixedFixed();
        if (fixedFixed.enabled) {
            settings.push_back({"FF burn-in", tradesSetting(fixedFixed.burnIn, "100 x rows trades")});
            settings.push_back({"FF thinning", tradesSetting(fixedFixed.thin, "10 x rows trades")});
        }
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
