# Times one model-simulation of each textbook null model with the NODF,
# bravolin's nested_nodf(x, simulations =, models = model) against vegan's
# oecosimu(x, nestednodf, model): on a 50 x 50 matrix of fill 0.3 and on
# vegan's BCI (50 x 225), wall clock, default threads; the sequential
# curveball and quasiswap at the same thinning on both sides (curveball:
# burn-in 100 and thinning 10 trades a row, bravolin's defaults; quasiswap:
# thin the rows, bravolin's default). Then the temperature with r00 and
# curveball at 50 x 50 against vegan's nestedtemp. Then the further metrics
# with a vegan counterpart, nested_metrics(x, metric) (which measures the
# NODF too) against oecosimu(x, nesteddisc, nestedchecker or nestedn0,
# model), under r00 and curveball on both matrices, and weighted NODF of
# abundances (the 50 x 50 matrix's presences given counts of 1 to 20, and
# BCI's counts) under r2dtable. Prints the time of one
# model-simulation of each and their ratio. Takes about ten minutes, most
# of it vegan's quasiswap on BCI, and two for the metrics alone; not part
# of the tests.
# Usage: Rscript r/bench/compare-vegan.R [REPETITIONS [metrics]]   (after make r-install)
suppressPackageStartupMessages({
  library(bravolin)
  library(vegan)
})

args <- commandArgs(trailingOnly = TRUE)
repetitions <- if (length(args) > 0) as.integer(args[1]) else 3
metrics_only <- length(args) > 1 && args[2] == "metrics"
ours_simulations <- 5000
theirs_simulations <- 200

set.seed(20261209)
square <- matrix(rbinom(50 * 50, 1, 0.3), 50, dimnames = list(paste0("s", 1:50), paste0("p", 1:50)))
data(BCI, package = "vegan")
matrices <- list("50 x 50" = square, "BCI" = (as.matrix(BCI) > 0) * 1)

# The median wall-clock seconds of repetitions calls of f.
median_seconds <- function(f, repetitions) {
  stats::median(vapply(seq_len(repetitions), function(i) system.time(f())[["elapsed"]], numeric(1)))
}

# The seconds of one model-simulation of ours and of vegan's.
per_simulation <- function(x, analyse, statistic, model) {
  rows <- nrow(x)
  ours <- median_seconds(function() {
    analyse(x, simulations = ours_simulations, seed = 1, models = model,
            quasiswap_thin = if (model == "quasiswap") rows)
  }, repetitions) / ours_simulations
  burnin <- if (model == "curveball") 100 * rows else 0
  thin <- if (model == "curveball") 10 * rows else if (model == "quasiswap") rows else 1
  theirs <- median_seconds(function() {
    vegan::oecosimu(x, statistic, model, nsimul = theirs_simulations, burnin = burnin, thin = thin,
                    statistic = "statistic")
  }, 1) / theirs_simulations
  c(ours = ours, theirs = theirs)
}

show <- function(what, x, model, seconds) {
  cat(sprintf("%-12s %-8s %-10s %14.1f %14.1f %9.0fx\n", what, x, model, 1e6 * seconds[["ours"]],
              1e6 * seconds[["theirs"]], seconds[["theirs"]] / seconds[["ours"]]))
}

cat(sprintf("%d simulations of ours (median of %d), %d of vegan's, %d threads by default\n", ours_simulations,
            repetitions, theirs_simulations, parallel::detectCores()))
cat(sprintf("%-12s %-8s %-10s %14s %14s %10s\n", "statistic", "matrix", "model", "ours (us)", "vegan (us)",
            "ratio"))
if (!metrics_only) {
  for (name in names(matrices)) {
    for (model in c("r00", "r0", "c0", "r1", "r2", "quasiswap", "curveball"))
      show("nodf", name, model, per_simulation(matrices[[name]], nested_nodf, vegan::nestednodf, model))
  }
  for (model in c("r00", "curveball"))
    show("temperature", "50 x 50", model, per_simulation(square, nested_temperature, vegan::nestedtemp, model))
}
counterparts <- list(discrepancy = vegan::nesteddisc, checker = vegan::nestedchecker, n0 = vegan::nestedn0)
for (name in names(matrices)) {
  for (metric in names(counterparts))
    for (model in c("r00", "curveball"))
      show(metric, name, model, per_simulation(matrices[[name]], function(x, ...) nested_metrics(x, metric, ...),
                                               counterparts[[metric]], model))
}
# Weighted NODF of abundances under r2dtable, vegan's model of the same name.
abundances <- list("50 x 50" = square * sample(1:20, length(square), replace = TRUE), "BCI" = as.matrix(BCI))
weighted <- function(x) vegan::nestednodf(x, weighted = TRUE)
for (name in names(abundances))
  show("wnodf", name, "r2dtable", per_simulation(abundances[[name]], function(x, ...) nested_metrics(x, "wnodf", ...),
                                                 weighted, "r2dtable"))
