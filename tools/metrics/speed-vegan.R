# Times one model-simulation of each metric that vegan also computes: the
# console program's `-m N -o --metrics METRIC --models MODEL -n N` against
# vegan's oecosimu(x, nestedfun, MODEL) with the same null model, on a
# 50 x 50 matrix (fill 0.3, abundances 1 to 20 where present) and on
# vegan's BCI (50 x 225). The binary metrics run under r00 and curveball
# (the same burn-in and thinning on both sides: 100 and 10 trades a row),
# weighted NODF under r2dtable on the abundances. Our time of a simulation
# is that of the run less that of the same run without null models, over
# the simulations; it includes the NODF, which mode N always measures.
# Wall clock, our default threads, vegan on one; medians of REPETITIONS.
#
#   Rscript tools/metrics/speed-vegan.R BRAVOLIN_PROGRAM SCRATCH_FOLDER [REPETITIONS]
#
# Prints one line per metric, model and matrix. Not part of the tests.
suppressMessages(library(vegan))

args <- commandArgs(trailingOnly = TRUE)
if (length(args) < 2)
  stop("usage: Rscript speed-vegan.R BRAVOLIN_PROGRAM SCRATCH_FOLDER [REPETITIONS]")
program <- normalizePath(args[1])
scratch <- args[2]
repetitions <- if (length(args) > 2) as.integer(args[3]) else 3
dir.create(scratch, showWarnings = FALSE, recursive = TRUE)
ours_simulations <- 2000
theirs_simulations <- 100

set.seed(20261209)
square <- matrix(rbinom(50 * 50, 1, 0.3) * sample(1:20, 50 * 50, replace = TRUE), 50,
                 dimnames = list(paste0("s", 1:50), paste0("p", 1:50)))
data(BCI, package = "vegan")
matrices <- list("50 x 50" = square, "BCI" = as.matrix(BCI))

# The metrics: our --metrics name, vegan's function, and the null models.
metrics <- list(
  list(ours = "nodf", theirs = function(x) nestednodf(x), models = c("r00", "curveball")),
  list(ours = "discrepancy", theirs = nesteddisc, models = c("r00", "curveball")),
  list(ours = "checker", theirs = nestedchecker, models = c("r00", "curveball")),
  list(ours = "n0", theirs = nestedn0, models = c("r00", "curveball")),
  list(ours = "wnodf", theirs = function(x) nestednodf(x, weighted = TRUE), models = "r2dtable"))

median_seconds <- function(f) {
  stats::median(vapply(seq_len(repetitions), function(i) system.time(f())[["elapsed"]], numeric(1)))
}

run_ours <- function(file, metric, model, simulations) {
  null <- if (simulations > 0) c("-n", simulations, "--models", model) else "--no-null"
  status <- system2(program, c("-C", dirname(file), "-m", "N", "-o", "--no-print", "--table", "-s", "1", "-q",
                               null, "--metrics", metric, basename(file)), stdout = FALSE, stderr = FALSE)
  if (status != 0) stop("bravolin failed on ", file, " with ", metric, " and ", model)
}

for (name in names(matrices)) {
  x <- matrices[[name]]
  file <- file.path(scratch, paste0(gsub(" ", "", name), ".csv"))
  utils::write.csv(x, file)
  for (metric in metrics) {
    y <- if (metric$ours == "wnodf") x else (x > 0) * 1
    for (model in metric$models) {
      ours <- (median_seconds(function() run_ours(file, metric$ours, model, ours_simulations)) -
               median_seconds(function() run_ours(file, metric$ours, model, 0))) / ours_simulations
      burnin <- if (model == "curveball") 100 * nrow(y) else 0
      thin <- if (model == "curveball") 10 * nrow(y) else 1
      theirs <- median_seconds(function() {
        oecosimu(y, metric$theirs, model, nsimul = theirs_simulations, burnin = burnin, thin = thin)
      }) / theirs_simulations
      cat(sprintf("%-8s %-12s %-10s ours %9.1f us  vegan %9.1f us  %7.0f x\n", name, metric$ours, model,
                  ours * 1e6, theirs * 1e6, theirs / ours))
    }
  }
}
