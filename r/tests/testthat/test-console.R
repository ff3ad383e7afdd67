# Observed values, every simulated value and the statistics with a seed
# against the console program's, from the tables it wrote for the example
# matrices (fixtures/): the same seed and the same models (the classic
# four and curveball, named as the tables name them) give the same values,
# simulation by simulation.

fixture <- function(name) test_path("fixtures", name)

skip_without_fixtures <- function(mode) {
  names <- sprintf(c("BRAVOLIN_%s_results.csv", "BRAVOLIN_%s_null_values.csv"), mode)
  if (!all(file.exists(fixture(names))))
    skip(sprintf("the console program's tables of mode %s are not in tests/testthat/fixtures", mode))
}

# A matrix file as the console program reads it: lines of 0/1 characters
# (blanks and tabs ignored) are rows, other lines are not; the first row
# fixes the number of columns.
read_fixture_matrix <- function(name) {
  lines <- gsub("[ \t\r]", "", readLines(fixture(name), warn = FALSE))
  lines <- lines[grepl("^[01]+$", lines)]
  columns <- nchar(lines[1])
  cells <- t(vapply(lines, function(line) {
    row <- as.integer(strsplit(substr(line, 1, columns), "")[[1]])
    c(row, integer(columns - length(row)))
  }, integer(columns), USE.NAMES = FALSE))
  cells
}

# Values as the console program writes them: 9 significant digits.
digits9 <- function(x) sprintf("%.9g", x)

read_fixture <- function(name) {
  utils::read.csv(fixture(name), stringsAsFactors = FALSE, na.strings = c("NA", ""))
}

compare_with_console <- function(mode, analyse, statistics) {
  results <- read_fixture(sprintf("BRAVOLIN_%s_results.csv", mode))
  null_values <- read_fixture(sprintf("BRAVOLIN_%s_null_values.csv", mode))
  for (file in unique(results$file)) {
    expected <- results[results$file == file, ]
    x <- read_fixture_matrix(file)
    models <- unique(stats::na.omit(expected$model))
    r <- analyse(x, expected, models)
    table <- as.data.frame(r)
    label <- sprintf("%s (mode %s)", file, mode)
    # Both tables bind: the same columns, the same mode and complete words.
    expect_identical(names(table), names(expected), label = paste(label, "columns"))
    expect_identical(unique(table[, c("mode", "complete")]), unique(expected[, c("mode", "complete")]),
                     ignore_attr = TRUE, label = paste(label, "mode and complete"))
    for (statistic in statistics) {
      e <- expected[expected$statistic == statistic, ]
      o <- table[table$statistic == statistic, ]
      expect_identical(digits9(o$observed[1]), digits9(e$observed[1]), label = paste(label, statistic))
      expect_identical(digits9(unique(o$fill)), digits9(unique(e$fill)), label = paste(label, "fill"))
      if (length(models) == 0)
        next
      o <- o[match(e$model, o$model), ]
      expect_identical(o$n, e$n, label = paste(label, statistic, "n"))
      for (column in c("mean", "sd", "ses", "p_less", "p_greater", "p_two_sided", "q025", "q500", "q975",
                       "p_mcse", "ess", "lag1"))
        expect_equal(o[[column]], e[[column]], tolerance = 1e-7,
                     label = paste(label, statistic, column))
      simulated <- null_values[null_values$file == file, ]
      ours <- r$null
      column <- if (mode == "T") "temperature" else sub("^nodf_", "", statistic)
      key <- paste(ours$simulation, ours$model)
      expect_setequal(key, paste(simulated$simulation, simulated$model))
      expect_identical(digits9(ours[[column]][match(paste(simulated$simulation, simulated$model), key)]),
                       digits9(simulated[[statistic]]), label = paste(label, statistic, "simulated values"))
    }
  }
}

test_that("temperatures and their null models equal the console program's", {
  skip_without_fixtures("T")
  compare_with_console("T", function(x, expected, models) {
    nested_temperature(x, simulations = expected$simulations[1], seed = expected$file_seed[1], models = models)
  }, "temperature")
})

test_that("NODF and its null models equal the console program's", {
  skip_without_fixtures("N")
  compare_with_console("N", function(x, expected, models) {
    nested_nodf(x, order = identical(expected$ordered[1], "yes"), simulations = expected$simulations[1],
                seed = expected$file_seed[1], models = models)
  }, c("nodf_rows", "nodf_columns", "nodf_total"))
})

test_that("the metrics of an abundance table and their null models equal the console program's", {
  if (!all(file.exists(fixture(file.path("metrics", c("BRAVOLIN_N_results.csv", "BRAVOLIN_N_null_values.csv"))))))
    skip("the console program's tables of a run with --metrics are not in tests/testthat/fixtures/metrics")
  expected <- read_fixture("metrics/BRAVOLIN_N_results.csv")
  simulated <- read_fixture("metrics/BRAVOLIN_N_null_values.csv")
  x <- read_matrix_file(fixture("metrics/islands.csv"), abundances = TRUE)
  r <- suppressMessages(nested_metrics(x, "all", simulations = expected$simulations[1], seed = expected$file_seed[1],
                                       models = unique(stats::na.omit(expected$model))))
  table <- as.data.frame(r)
  expect_identical(names(table), names(expected))
  expect_identical(paste(table$statistic, table$model), paste(expected$statistic, expected$model))
  expect_identical(table$note, expected$note)
  for (column in c("rows", "columns", "fill", "observed", "n", statistic_columns[-1]))
    expect_equal(table[[column]], expected[[column]], tolerance = 1e-9, label = column)
  ours <- r$null
  expect_identical(names(ours), names(simulated)[-1])
  for (column in names(ours)[-(1:2)])
    expect_equal(ours[[column]], simulated[[column]], tolerance = 1e-9, label = paste("null values of", column))
})
