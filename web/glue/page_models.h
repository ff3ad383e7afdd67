// The null models the page offers, by the names --models gives them: each
// name and what it adds to the settings of a run. A model that the library
// gains is one line of this table (and one of the page's table of models).
#ifndef BRAVOLIN_WEB_GLUE_PAGE_MODELS_H
#define BRAVOLIN_WEB_GLUE_PAGE_MODELS_H

#include <string>
#include <vector>

#include "bravolin/null_models.h"

// The names of the models, in the order of the page's table.
std::vector<std::string> pageModelNames();

// The settings of null models that draw the models named (names matched
// ignoring case; duplicates collapse). The classic four draw together, so
// they run whenever null models run. Throws bravolin::Error for a name of
// no model, naming the known ones.
bravolin::NullModelSettings settingsOfModels(const std::vector<std::string>& names, int simulations);

#endif
