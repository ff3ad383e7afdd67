// BRAVOLIN's analysis library: nestedness of presence/absence matrices by
// the matrix temperature and the NODF metric, with their null models, and
// the other metrics papers compare (bravolin/metrics.h).
//
//   bravolin::Matrix matrix(3, 3, {1, 1, 1, 1, 1, 0, 1, 0, 0});
//   bravolin::TemperatureResult t = bravolin::analyseTemperature(matrix);
//   bravolin::NodfResult n = bravolin::analyseNodf(matrix, true);
//   bravolin::Generator generator(42);
//   bravolin::NullModelSettings settings;
//   settings.simulations = 100;
//   auto null = bravolin::runNodfNullModels(matrix, n, generator, settings);
//
// Indices count from 0. Errors are bravolin::Error. Every function may be
// called from several threads at once on different data.
#ifndef BRAVOLIN_BRAVOLIN_H
#define BRAVOLIN_BRAVOLIN_H

#include "bravolin/abundance_matrix.h"
#include "bravolin/error.h"
#include "bravolin/generator.h"
#include "bravolin/limits.h"
#include "bravolin/matrix.h"
#include "bravolin/metrics.h"
#include "bravolin/nodf.h"
#include "bravolin/null_models.h"
#include "bravolin/statistics.h"
#include "bravolin/temperature.h"
#include "bravolin/threads.h"
#include "bravolin/version.h"

#endif
