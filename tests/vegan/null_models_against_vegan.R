# The textbook null models against vegan's: on vegan's data sets dune,
# sipoo and BCI, for each model, 2000 matrices drawn by vegan's
# simulate(nullmodel(x, method)) and measured with bravolin's NODF, against
# 2000 of bravolin's own model. The mean and the standard deviation of the
# NODF of rows, of columns and in total must each differ by less than four
# standard errors of the difference (with the effective sample size of
# each sequence for curveball's chains, both run with bravolin's default
# burn-in and thinning: 100 and 10 trades a row).
# Usage: Rscript tests/vegan/null_models_against_vegan.R   (make test-vegan,
# after make r-install); skipped, with a message, without vegan.
if (!requireNamespace("vegan", quietly = TRUE)) {
  cat("test-vegan: skipped, vegan is not installed (install.packages(\"vegan\"))\n")
  quit(status = 0)
}
suppressPackageStartupMessages(library(bravolin))

simulations <- 2000
models <- c("r00", "r0", "c0", "r1", "r2", "quasiswap", "curveball")
parts <- c("rows", "columns", "total")

# The effective sample size of a sequence by Geyer's initial positive
# sequence, as bravolin computes it for its chains.
effective_size <- function(v) {
  n <- length(v)
  d <- v - mean(v)
  gamma <- function(k) sum(d[seq_len(n - k)] * d[seq_len(n - k) + k]) / n
  pairs <- 0
  k <- 0
  while (2 * k + 1 < n) {
    pair <- gamma(2 * k) + gamma(2 * k + 1)
    if (pair <= 0) break
    pairs <- pairs + pair
    k <- k + 1
  }
  n * gamma(0) / (-gamma(0) + 2 * pairs)
}

# The mean and sd of v with their standard errors: sd / sqrt(n) and, for
# the sd, sqrt((m4 - sd^4) / (4 sd^2 n)), m4 the fourth central moment, n
# the effective size (for a chain, at most its length: an estimate above it
# would make the test stricter than for independent values).
described <- function(v, chain) {
  n <- if (chain) min(effective_size(v), length(v)) else length(v)
  s <- stats::sd(v)
  m4 <- mean((v - mean(v))^4)
  c(mean = mean(v), sd = s, se_mean = s / sqrt(n), se_sd = sqrt(max(m4 - s^4, 0) / (4 * s^2 * n)))
}

nodf_of <- function(m) nested_nodf(m)$nodf

failures <- 0
started <- Sys.time()
cat(sprintf("%-6s %-10s %-8s %9s %9s %7s %8s %8s %7s\n", "data", "model", "NODF", "mean", "vegan", "z",
            "sd", "vegan", "z"))
for (name in c("dune", "sipoo", "BCI")) {
  data(list = name, package = "vegan", envir = environment())
  x <- (as.matrix(get(name)) > 0) * 1
  ours <- nested_nodf(x, simulations = simulations, seed = 2024, models = models)
  for (model in models) {
    chain <- model == "curveball"
    set.seed(2024)
    drawn <- if (chain) {
      stats::simulate(vegan::nullmodel(x, model), nsim = simulations, burnin = 100 * nrow(x),
                      thin = 10 * nrow(x))
    } else {
      stats::simulate(vegan::nullmodel(x, model), nsim = simulations)
    }
    theirs <- t(vapply(seq_len(simulations), function(i) nodf_of(drawn[, , i]), numeric(3)))
    for (p in seq_along(parts)) {
      a <- described(ours$null[ours$null$model == model, parts[p]], chain)
      b <- described(theirs[, p], chain)
      z_mean <- (a[["mean"]] - b[["mean"]]) / sqrt(a[["se_mean"]]^2 + b[["se_mean"]]^2)
      z_sd <- (a[["sd"]] - b[["sd"]]) / sqrt(a[["se_sd"]]^2 + b[["se_sd"]]^2)
      # Models that keep a total may leave no freedom to a part (sd 0 on both
      # sides): equal means are then a pass.
      z_mean <- if (is.nan(z_mean)) 0 else z_mean
      z_sd <- if (is.nan(z_sd)) 0 else z_sd
      bad <- abs(z_mean) >= 4 || abs(z_sd) >= 4
      failures <- failures + (abs(z_mean) >= 4) + (abs(z_sd) >= 4)
      cat(sprintf("%-6s %-10s %-8s %9.3f %9.3f %7.2f %8.3f %8.3f %7.2f%s\n", name, model, parts[p], a[["mean"]],
                  b[["mean"]], z_mean, a[["sd"]], b[["sd"]], z_sd, if (bad) "  DIFFERS" else ""))
    }
  }
}
cat(sprintf("test-vegan: %d of %d comparisons differ by four standard errors or more (%.0f s)\n", failures,
            3 * length(models) * length(parts) * 2,
            as.numeric(difftime(Sys.time(), started, units = "secs"))))
quit(status = if (failures > 0) 1 else 0)
