// The notes a run says once about its metrics and models.
#include "formats/tables/metric_notes.h"

#include <cstddef>

#include "bravolin/metrics.h"
#include "formats/text/text_format.h"

namespace {

// The names of the models that pass test, as a sentence lists them: "Er",
// "Er and Ce", "Er, Ce and r2dtable"; empty for none.
std::string namesOf(const std::vector<bravolin::NullModel>& models, bool (*test)(bravolin::NullModel))
{
    std::vector<std::string> names;
    for (bravolin::NullModel model : models)
        if (test(model))
            names.push_back(bravolin::kNullModelNames[model]);
    std::string text;
    for (std::size_t i = 0; i < names.size(); i++)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// The verb of a sentence about names (namesOf): singular for one name.
const char* verbOf(const std::string& names, const char* one, const char* several)
{
    return names.find(" and ") == std::string::npos ? one : several;
}

bool isBinary(bravolin::NullModel model)
{
    return !bravolin::drawsAbundances(model);
}

bool changesPresences(bravolin::NullModel model)
{
    return !bravolin::keepsPresences(model);
}

}  // namespace

std::string undefinedMetricsNotes(MetricNotesSaid& said, const bravolin::MetricSettings& metrics,
                                  const std::vector<bravolin::NullModel>& models)
{
    std::string notes;
    const std::string binary = namesOf(models, isBinary);
    if (bravolin::measures(metrics, bravolin::Metric::Wnodf) && !binary.empty() && !said.wnodfLeftOut) {
        const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
        const std::string given =
            ofAbundances.empty() ? "its observed values alone" : "its null values under " + ofAbundances + " alone";
        notes += "Metrics: wnodf has no null values under the binary models of the run (" + binary +
                 "), which draw no abundances; the tables give " + given + ".\n";
        said.wnodfLeftOut = true;
    }
    const std::string changing = namesOf(models, changesPresences);
    if (bravolin::measures(metrics, bravolin::Metric::Nodfc) && !changing.empty() && !said.nodfcUndefined) {
        notes += "Metrics: nodfc and nodf_max_ratio are NA under " + changing + ", which " +
                 verbOf(changing, "changes", "change") + " the number of presences.\n";
        said.nodfcUndefined = true;
    }
    return notes;
}

std::string spectralCapNote(MetricNotesSaid& said, bool reached)
{
    if (!reached || said.spectralCap)
        return "";
    said.spectralCap = true;
    return formatText("Metrics: the spectral radius stopped at its cap of %d iterations before converging "
                      "on a matrix; its value is the last estimate.\n",
                      bravolin::kSpectralIterationCap);
}

std::string countsOfOneNote(MetricNotesSaid& said, const std::vector<bravolin::NullModel>& models, bool abundances)
{
    const std::string ofAbundances = namesOf(models, bravolin::drawsAbundances);
    if (abundances || ofAbundances.empty() || said.countsOfOne)
        return "";
    said.countsOfOne = true;
    return "Models: " + ofAbundances + " of a file of 0s and 1s (read without --table) " +
           verbOf(ofAbundances, "takes", "take") + " its 1s as counts of one; read abundances with --table.\n";
}
