// The page's null models: the library's, by the names --models takes.
#include "page_models.h"

#include <algorithm>
#include <iterator>

#include "bravolin/error.h"

std::vector<std::string> pageModelNames()
{
    return {std::begin(bravolin::kNullModelNames), std::end(bravolin::kNullModelNames)};
}

bravolin::NullModelSettings settingsOfModels(const std::vector<std::string>& names, int simulations)
{
    bravolin::NullModelSettings settings;
    settings.simulations = simulations;
    if (names.empty())
        return settings;
    const bravolin::ModelChoice choice = bravolin::chooseNullModels(names);
    if (!choice.error.empty())
        throw bravolin::Error(choice.error);
    settings.models = choice.models;
    return settings;
}

void checkModelsOfMode(AnalysisMode mode, const bravolin::NullModelSettings& settings)
{
    const std::vector<bravolin::NullModel> models = bravolin::modelsOfRun(settings);
    if (mode == AnalysisMode::Temperature && std::any_of(models.begin(), models.end(), bravolin::drawsAbundances))
        throw bravolin::Error("r2dtable and abundance_shuffle draw abundances, and the temperature is of presences: "
                              "choose them in mode N");
}

bool hasClassicModels(const bravolin::NullModelSettings& settings)
{
    const std::vector<bravolin::NullModel> models = bravolin::modelsOfRun(settings);
    return std::all_of(std::begin(bravolin::kClassicModels), std::end(bravolin::kClassicModels),
                       [&models](bravolin::NullModel classic) {
                           return std::find(models.begin(), models.end(), classic) != models.end();
                       });
}
