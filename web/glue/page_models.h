// The null models the page offers: every model of the library, by the
// names the tables give them and --models takes (a model the library gains
// is then one line of the page's table of models, web/page/settings.js).
#ifndef BRAVOLIN_WEB_GLUE_PAGE_MODELS_H
#define BRAVOLIN_WEB_GLUE_PAGE_MODELS_H

#include <string>
#include <vector>

#include "bravolin/null_models.h"
#include "formats/analysis_mode.h"

// The names of the models, in the order of the page's table.
std::vector<std::string> pageModelNames();

// The settings of null models that draw the models named (names matched
// ignoring case, FF as curveball; duplicates collapse); none named: the
// classic four. Throws bravolin::Error for a name of no model, naming the
// known ones.
bravolin::NullModelSettings settingsOfModels(const std::vector<std::string>& names, int simulations);

// Throws bravolin::Error when settings hold a model of abundances and mode
// is the temperature's, which is of presences, as the command line refuses
// them there.
void checkModelsOfMode(AnalysisMode mode, const bravolin::NullModelSettings& settings);

// Whether settings draw all four classic models: the null models' values
// of the classic summary line are theirs.
bool hasClassicModels(const bravolin::NullModelSettings& settings);

#endif
