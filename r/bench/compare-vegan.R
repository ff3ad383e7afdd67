# Times nested_nodf() and nested_temperature() with 1000 simulations on a
# 50 x 50 matrix of fill 0.3 against vegan's oecosimu() with the same
# statistic and 1000 simulations of one model, wall clock, default threads,
# and prints the time of one model-simulation of each and their ratio.
# Takes minutes; not part of the tests.
# Usage: Rscript r/bench/compare-vegan.R [REPETITIONS]   (after make r-install)
suppressPackageStartupMessages({
  library(bravolin)
  library(vegan)
})

args <- commandArgs(trailingOnly = TRUE)
repetitions <- if (length(args) > 0) as.integer(args[1]) else 5
simulations <- 1000

set.seed(20261209)
x <- matrix(rbinom(50 * 50, 1, 0.3), 50, dimnames = list(paste0("s", 1:50), paste0("p", 1:50)))

# The median wall-clock seconds of repetitions calls of f.
median_seconds <- function(f, repetitions) {
  stats::median(vapply(seq_len(repetitions), function(i) system.time(f())[["elapsed"]], numeric(1)))
}

ours <- list(
  nodf = median_seconds(function() nested_nodf(x, simulations = simulations, seed = 1), repetitions),
  temperature = median_seconds(function() nested_temperature(x, simulations = simulations, seed = 1),
                               repetitions))
models <- 4  # Er, Ce, Li and Co, every simulation

# vegan: one model, the statistic of the same analysis. "r00" keeps the
# fill (as Er does); "curveball" keeps both totals (as FF does).
theirs <- function(statistic, method) {
  median_seconds(function() {
    vegan::oecosimu(x, statistic, method, nsimul = simulations, statistic = "statistic")
  }, 1)
}

cat(sprintf("%d x %d, fill %.2f, %d simulations, %d threads by default\n", nrow(x), ncol(x),
            mean(x), simulations, parallel::detectCores()))
cat(sprintf("%-12s %-10s %14s %14s %10s\n", "statistic", "vegan", "ours (us)", "vegan (us)", "ratio"))
for (analysis in c("nodf", "temperature")) {
  statistic <- if (analysis == "nodf") vegan::nestednodf else vegan::nestedtemp
  per_ours <- ours[[analysis]] / (models * simulations)
  for (method in c("r00", "curveball")) {
    per_theirs <- theirs(statistic, method) / simulations
    cat(sprintf("%-12s %-10s %14.1f %14.1f %9.0fx\n", analysis, method, 1e6 * per_ours,
                1e6 * per_theirs, per_theirs / per_ours))
  }
}
