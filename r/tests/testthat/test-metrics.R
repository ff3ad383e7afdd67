# nested_metrics() against vegan's functions on vegan's data sets and on
# random abundance matrices, NODFc against a brute force over every matrix
# of a tiny size, its null values on one thread and two, and what its
# arguments refuse.

relative_difference <- function(a, b) ifelse(a == b, 0, abs(a - b) / pmax(abs(a), abs(b)))

# Every metric of x (abundances as R holds them) against vegan's; TRUE when
# the discrepancy equals vegan's, which searches ties heuristically and so
# may only be above ours.
expect_metrics_as_vegan <- function(x, label) {
  p <- (x > 0) * 1
  ours <- suppressMessages(nested_metrics(x, "all"))$values
  close <- function(a, b, what) expect_lt(max(relative_difference(a, b)), 1e-9, label = paste(label, what))
  for (wbinary in c(FALSE, TRUE)) {
    w <- if (wbinary) suppressMessages(nested_metrics(x, "wnodf", wbinary = TRUE))$values else ours
    s <- vegan::nestednodf(x, order = TRUE, weighted = TRUE, wbinary = wbinary)$statistic
    close(w[c("wnodf_rows", "wnodf_columns", "wnodf_total")], s[c("N.rows", "N.columns", "NODF")],
          paste("wnodf, wbinary =", wbinary))
  }
  s <- vegan::nestednodf(p)$statistic
  expect_lt(max(abs(ours[c("nodf_rows", "nodf_columns", "nodf_total")] - s[c("N.rows", "N.columns", "NODF")])),
            1e-3, label = paste(label, "nodf"))
  checker <- vegan::nestedchecker(p)
  close(ours[["checker_units"]], checker$statistic[[1]], "checker units")
  close(ours[["c_score"]], checker$C.score, "C-score")
  # nestedn0 warns of a species absent from every site, which it skips.
  close(ours[["n0"]], suppressWarnings(vegan::nestedn0(p))$statistic[[1]], "n0")
  close(ours[["spectral_radius"]], max(svd(p)$d), "spectral radius")
  theirs <- vegan::nesteddisc(p)$statistic[[1]]
  expect_lte(ours[["discrepancy"]], theirs, label = paste(label, "discrepancy"))
  ours[["discrepancy"]] == theirs
}

test_that("every metric equals vegan's on its data sets and on random abundance matrices", {
  skip_if_not_installed("vegan", minimum_version = "2.0")
  # nesteddisc's search is random: the seed makes its values those of every
  # run.
  set.seed(20170603)
  same_discrepancy <- c()
  for (name in c("dune", "sipoo", "BCI", "mite", "varespec")) {
    data(list = name, package = "vegan", envir = environment())
    same_discrepancy[name] <- expect_metrics_as_vegan(as.matrix(get(name)), name)
  }
  for (i in 1:20) {
    rows <- sample(3:30, 1)
    columns <- sample(3:30, 1)
    x <- matrix(stats::rpois(rows * columns, 3) * stats::rbinom(rows * columns, 1, stats::runif(1, 0.2, 0.8)),
                rows, columns)
    same_discrepancy[paste("random", i)] <- expect_metrics_as_vegan(x, sprintf("random matrix %d", i))
  }
  expect_gt(mean(same_discrepancy), 0.5, label = paste("equal discrepancies:", mean(same_discrepancy)))
})

# NODF in percent, ordered by decreasing totals: a pair of lines of
# different totals scores the share of the poorer line's presences that
# the fuller one shares, a pair of equal totals or with an empty line 0.
brute_nodf <- function(m) {
  pairs <- function(m) {
    totals <- rowSums(m)
    poorer <- outer(totals, totals, pmin)
    score <- ifelse(outer(totals, totals, "!=") & poorer > 0, tcrossprod(m) / poorer, 0)
    c(sum(score[upper.tri(score)]), nrow(m) * (nrow(m) - 1) / 2)
  }
  r <- pairs(m)
  k <- pairs(t(m))
  100 * (r[1] + k[1]) / (r[2] + k[2])
}

# The largest NODF of every rows x columns matrix of that many presences
# with every row and column occupied.
brute_nodf_max <- function(rows, columns, presences) {
  best <- 0
  for (cells in utils::combn(rows * columns, presences, simplify = FALSE)) {
    m <- matrix(0, rows, columns)
    m[cells] <- 1
    if (all(rowSums(m) > 0) && all(colSums(m) > 0))
      best <- max(best, brute_nodf(m))
  }
  best
}

test_that("NODFc and NODF / NODFmax equal a brute force over every matrix, without empty lines", {
  x <- rbind(c(1, 1, 1, 0), c(1, 0, 1, 0), c(0, 1, 0, 1))
  with_empty <- rbind(x[1:2, ], 0, x[3, ])
  nodf_max <- brute_nodf_max(3, 4, sum(x))
  ratio <- brute_nodf(x) / nodf_max
  for (m in list(x, with_empty, t(x))) {
    r <- nested_metrics(m, "nodfc")
    expect_equal(r$values[["nodf_max_ratio"]], ratio, tolerance = 1e-12)
    expect_equal(r$values[["nodfc"]], ratio / (sum(x) / 12 * log(sqrt(12))), tolerance = 1e-12)
    expect_identical(unname(r$notes["nodfc"]), "exhaustive")
  }
})

test_that("the null values are the same on one thread and two, and the NODF's are nested_nodf's", {
  set.seed(7)
  x <- random_matrix(20, 30, 0.35)
  run <- function(threads)
    suppressMessages(nested_metrics(x, "all", simulations = 30, seed = 11, threads = threads,
                                    models = c("r00", "c0", "curveball", "Er")))
  one <- run(1)
  two <- run(2)
  expect_identical(one$null, two$null)
  expect_identical(one$statistics, two$statistics)
  expect_true(all(is.na(one$null$nodfc[one$null$model == "Er"])))
  expect_message(nested_metrics(x, "nodfc", simulations = 2, seed = 1, models = c("Er", "r00")),
                 "NA under Er, which changes the number of presences")
  nodf <- nested_nodf(x, simulations = 30, seed = 11, models = c("r00", "c0", "curveball", "Er"))
  expect_identical(unname(as.list(one$null[c("nodf_rows", "nodf_columns", "nodf_total")])),
                   unname(as.list(nodf$null[c("rows", "columns", "total")])))
  expect_false("wnodf_total" %in% names(one$null))
  expect_identical(one$statistics$model[one$statistics$statistic == "wnodf_total"], NA_character_)
})

test_that("nested_metrics() refuses what it cannot measure, naming what to give", {
  x <- rbind(c(1, 1), c(1, 0))
  expect_error(nested_metrics(x, c("nodfc", "Foo", "bar")), "unknown metric \"Foo\", \"bar\".*nodf, wnodf")
  expect_error(nested_metrics(x, "nodfc", wbinary = TRUE), "give it with \"wnodf\" in metrics")
  expect_error(nested_metrics(x, character(0)), "metrics must name")
  expect_message(nested_metrics(x, "WNODF"), "wnodf of a matrix of 0s and 1s is 0")
  expect_error(nested_metrics(rbind(c(2, 1), c(1.5, 0)), "wnodf", simulations = 5, models = "r2dtable"),
               "row 2 \\(2\\), column 1 \\(1\\) is 1.5: r2dtable draws whole numbers")
  expect_identical(names(suppressMessages(nested_metrics(x, "ALL"))$values)[4:6],
                   c("wnodf_rows", "wnodf_columns", "wnodf_total"))
})

test_that("read_matrix_file(abundances = TRUE) gives the table's numbers, FALSE its presences", {
  path <- tempfile(fileext = ".csv")
  on.exit(unlink(path))
  writeLines(c(",sp1,sp2", "a,2.5,0", "b,TRUE,3"), path)
  expect_identical(read_matrix_file(path, abundances = TRUE),
                   matrix(c(2.5, 1, 0, 3), 2, dimnames = list(c("a", "b"), c("sp1", "sp2"))))
  expect_identical(read_matrix_file(path), matrix(c(1L, 1L, 0L, 1L), 2, dimnames = list(c("a", "b"), c("sp1", "sp2"))))
  expect_identical(read_matrix_file(path, transpose = TRUE, abundances = TRUE),
                   matrix(c(2.5, 0, 1, 3), 2, dimnames = list(c("sp1", "sp2"), c("a", "b"))))
  expect_error(read_matrix_file(path, abundances = NA), "abundances must be TRUE or FALSE")
})
