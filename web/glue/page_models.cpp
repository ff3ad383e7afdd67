// The table of the page's null models.
#include "page_models.h"

#include <cctype>

#include "bravolin/error.h"

namespace {

struct PageModel {
    const char* name;
    // What drawing the model adds to a run's settings.
    void (*addTo)(bravolin::NullModelSettings& settings);
};

void classicModel(bravolin::NullModelSettings&) {}

void fixedFixedModel(bravolin::NullModelSettings& settings)
{
    settings.fixedFixed.enabled = true;
}

const PageModel kPageModels[] = {
    {"Er", classicModel}, {"Ce", classicModel}, {"Li", classicModel}, {"Co", classicModel}, {"FF", fixedFixedModel},
};

bool sameNameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const PageModel& modelNamed(const std::string& name)
{
    for (const PageModel& model : kPageModels)
        if (sameNameIgnoringCase(model.name, name))
            return model;
    std::string known;
    for (const PageModel& model : kPageModels)
        known += (known.empty() ? "" : ", ") + std::string(model.name);
    throw bravolin::Error("there is no null model '" + name + "'; the models are " + known);
}

}  // namespace

std::vector<std::string> pageModelNames()
{
    std::vector<std::string> names;
    for (const PageModel& model : kPageModels)
        names.push_back(model.name);
    return names;
}

bravolin::NullModelSettings settingsOfModels(const std::vector<std::string>& names, int simulations)
{
    bravolin::NullModelSettings settings;
    settings.simulations = simulations;
    for (const std::string& name : names)
        modelNamed(name).addTo(settings);
    return settings;
}
