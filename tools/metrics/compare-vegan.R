# Compares the library's metrics (printed by bravolin_print_metrics) with
# vegan's on vegan's data sets dune, sipoo, BCI, mite and varespec and on
# 50 random matrices: weighted NODF on the abundances as R holds them, the
# other metrics on presence/absence. NODF, weighted NODF, checkerboards,
# the C-score and N0 must agree within 1e-9 relative, the spectral radius
# with the largest singular value of svd(), NODFc with its formula from
# vegan's NODF and the NODFmax printed, and the discrepancy must be at most
# vegan's (which searches the orders of tied columns heuristically).
# Weighted NODF is also compared after shuffling rows and columns, since
# lines of equal numbers of presences may come in any order.
#
#   Rscript tools/metrics/compare-vegan.R PRINT_METRICS_PROGRAM SCRATCH_FOLDER
#
# Prints one line per matrix and a summary; exits 1 when a comparison fails.
suppressMessages(library(vegan))

args <- commandArgs(trailingOnly = TRUE)
if (length(args) != 2)
  stop("usage: Rscript compare-vegan.R PRINT_METRICS_PROGRAM SCRATCH_FOLDER")
program <- args[1]
scratch <- args[2]
dir.create(scratch, showWarnings = FALSE, recursive = TRUE)

ours <- function(x, name) {
  path <- file.path(scratch, paste0(name, ".csv"))
  writeLines(apply(x, 1, function(row) paste(format(row, digits = 17, trim = TRUE), collapse = ",")), path)
  lines <- system2(program, path, stdout = TRUE)
  fields <- strsplit(lines, " ")
  values <- suppressWarnings(as.numeric(vapply(fields, `[`, "", 2)))
  names(values) <- vapply(fields, `[`, "", 1)
  values
}

relative <- function(a, b) {
  if (is.na(a) && is.na(b)) return(0)
  if (a == b) return(0)
  abs(a - b) / max(abs(a), abs(b))
}

set.seed(2017)
random <- lapply(1:50, function(i) {
  rows <- sample(4:60, 1); columns <- sample(4:60, 1)
  fill <- runif(1, 0.05, 0.7)
  present <- matrix(runif(rows * columns) < fill, rows, columns)
  present * matrix(sample(1:6, rows * columns, replace = TRUE, prob = 6:1), rows, columns)
})
data(dune); data(sipoo); data(BCI); data(mite); data(varespec)
matrices <- c(list(dune = as.matrix(dune), sipoo = as.matrix(sipoo), BCI = as.matrix(BCI),
                   mite = as.matrix(mite), varespec = as.matrix(varespec)),
              setNames(random, sprintf("random%02d", 1:50)))

worst <- c(nodf = 0, wnodf = 0, wnodf_wbinary = 0, wnodf_shuffled = 0, checker = 0, n0 = 0,
           spectral = 0, nodfc = 0)
discrepancy <- c(equal = 0, lower = 0, higher = 0)
failed <- FALSE
for (name in names(matrices)) {
  x <- matrices[[name]]
  pa <- (x > 0) * 1
  got <- ours(x, name)
  plain <- nestednodf(pa)$statistic
  weighted <- nestednodf(x, weighted = TRUE)$statistic
  wbinary <- nestednodf(x, weighted = TRUE, wbinary = TRUE)$statistic
  shuffled <- nestednodf(x[sample(nrow(x)), sample(ncol(x))], weighted = TRUE)$statistic
  sides <- c("N.rows", "N.columns", "NODF")
  differences <- c(
    nodf = max(mapply(relative, got[c("nodf_rows", "nodf_columns", "nodf_total")], plain[sides])),
    wnodf = max(mapply(relative, got[c("wnodf_rows", "wnodf_columns", "wnodf_total")], weighted[sides])),
    wnodf_wbinary = max(mapply(relative, got[c("wnodf_wbinary_rows", "wnodf_wbinary_columns", "wnodf_wbinary_total")],
                               wbinary[sides])),
    wnodf_shuffled = max(mapply(relative, got[c("wnodf_rows", "wnodf_columns", "wnodf_total")], shuffled[sides])))
  checker <- nestedchecker(pa)
  differences["checker"] <- max(relative(got["checker_units"], checker$statistic),
                                relative(got["c_score"], checker$C.score))
  # nestedn0 warns of the minimum over no sites for a species nowhere.
  differences["n0"] <- relative(got["n0"], suppressWarnings(nestedn0(pa))$statistic)
  differences["spectral"] <- relative(got["spectral_radius"], svd(pa)$d[1])
  kept <- pa[rowSums(pa) > 0, colSums(pa) > 0, drop = FALSE]
  ratio <- nestednodf(kept)$statistic[["NODF"]] / got[["nodf_max"]]
  expected <- ratio / (mean(kept) * log(sqrt(nrow(kept) * ncol(kept))))
  differences["nodfc"] <- max(relative(got[["nodf_max_ratio"]], ratio), relative(got[["nodfc"]], expected))
  disc <- suppressWarnings(nesteddisc(pa)$statistic[[1]])
  side <- if (got[["discrepancy"]] == disc) "equal" else if (got[["discrepancy"]] < disc) "lower" else "higher"
  discrepancy[side] <- discrepancy[side] + 1
  worst <- pmax(worst, differences[names(worst)])
  bad <- names(differences)[differences > 1e-9]
  if (length(bad) > 0 || side == "higher") failed <- TRUE
  cat(sprintf("%-9s %3d x %3d  discrepancy ours %d, vegan's %d%s%s\n", name, nrow(x), ncol(x),
              as.integer(got[["discrepancy"]]), as.integer(disc),
              if (side == "lower") "  (ours lower)" else "",
              if (length(bad) > 0) paste("  DIFFERS:", paste(bad, collapse = ", ")) else ""))
}
cat("\nLargest relative differences:\n")
print(signif(worst, 3))
cat(sprintf("Discrepancy: %d equal to vegan's, %d lower, %d higher\n",
            discrepancy[["equal"]], discrepancy[["lower"]], discrepancy[["higher"]]))
if (failed) {
  cat("FAILED\n")
  quit(status = 1)
}
cat("all comparisons hold\n")
