// The statistics of the metrics and the side on which each is more nested.
#include <string>
#include <vector>

#include "bravolin/metrics.h"

namespace bravolin {

const std::vector<MetricStatistic>& metricStatistics()
{
    static const std::vector<MetricStatistic> statistics = {
        {"nodf_rows", MoreNested::Higher},     {"nodf_columns", MoreNested::Higher},
        {"nodf_total", MoreNested::Higher},    {"wnodf_rows", MoreNested::Higher},
        {"wnodf_columns", MoreNested::Higher}, {"wnodf_total", MoreNested::Higher},
        {"nodfc", MoreNested::Higher},         {"nodf_max_ratio", MoreNested::Higher},
        {"discrepancy", MoreNested::Lower},    {"checker_units", MoreNested::Lower},
        {"c_score", MoreNested::Lower},        {"n0", MoreNested::Lower},
        {"spectral_radius", MoreNested::Higher},
    };
    return statistics;
}

const MetricStatistic* findMetricStatistic(const std::string& name)
{
    for (const MetricStatistic& statistic : metricStatistics())
        if (name == statistic.name)
            return &statistic;
    return nullptr;
}

}  // namespace bravolin
