# What the R functions add to the analysis library: the names of x through
# packing and ordering, the checks of x and of the settings, the models by
# name, values that do not depend on the threads or on where the seed comes
# from, a precision, the interrupt of a long run, and the plots.

named_matrix <- function() {
  set.seed(3)
  x <- random_matrix(12, 15, 0.45)
  x[5, ] <- 0  # a row packing trims
  storage.mode(x) <- "integer"
  dimnames(x) <- list(paste0("site", 1:12), paste0("sp", 1:15))
  x
}

test_that("names follow the rows and columns through packing and ordering", {
  x <- named_matrix()
  t <- nested_temperature(x)
  expect_identical(t$packed, x[rownames(t$packed), colnames(t$packed)])
  expect_identical(names(t$row_temperature), rownames(x))
  expect_identical(names(t$column_temperature), colnames(x))
  expect_true(is.na(t$row_temperature[["site5"]]))
  expect_false("site5" %in% rownames(t$packed))
  expect_identical(sum(!is.na(t$row_temperature)), nrow(t$packed))
  # The unexpected cells, by name, are those the packed matrix holds.
  cells <- t$packed[cbind(match(t$unexpected$row, rownames(t$packed)),
                          match(t$unexpected$column, colnames(t$packed)))]
  expect_identical(ifelse(cells == 1, "presence", "absence"), t$unexpected$kind)
  expect_equal(max(t$isocline$x), ncol(t$packed) - 0.5)

  n <- nested_nodf(x)
  expect_identical(n$ordered, x[rownames(n$ordered), colnames(n$ordered)])
  expect_true(all(diff(rowSums(n$ordered)) <= 0))
  expect_true(all(diff(colSums(n$ordered)) <= 0))
  expect_identical(dimnames(n$row_pairs), list(rownames(n$ordered), rownames(n$ordered)))
  expect_identical(nested_nodf(x, order = FALSE)$ordered, x)

  # A data frame, logical cells and abundances are the same matrix.
  abundances <- x * sample(1:9, length(x), replace = TRUE)
  expect_identical(nested_nodf(as.data.frame(abundances))$ordered, n$ordered)
  expect_identical(nested_temperature(x > 0)$packed, t$packed)
  # Text cells are read as as.numeric() reads them.
  text <- x
  storage.mode(text) <- "character"
  text[1, 1] <- sprintf(" %s ", text[1, 1])
  expect_identical(nested_nodf(text)$ordered, n$ordered)

  unnamed <- nested_temperature(unname(x))
  expect_identical(names(unnamed$row_temperature), as.character(1:12))
  expect_true(all(unnamed$unexpected$row %in% as.character(1:12)))
})

test_that("bad cells, sizes and settings are errors that say where", {
  x <- named_matrix()
  x[3, 4] <- NA
  expect_error(nested_nodf(x), "row 3 (\"site3\"), column 4 (\"sp4\")", fixed = TRUE)
  x[3, 4] <- -1
  expect_error(nested_temperature(x), "negative.*row 3 \\(\"site3\"\\), column 4")
  y <- unname(x)
  expect_error(nested_temperature(y), "row 3, column 4", fixed = TRUE)
  expect_error(nested_nodf(data.frame(a = 1:2, b = c("1", "x"))),
               "column 2 (\"b\") of x is text (character); convert it to numbers first, x[[2]] <- as.numeric(x[[2]])",
               fixed = TRUE)
  expect_error(nested_nodf(data.frame(site = factor(c("a", "b")), b = 0:1)),
               "column 1 (\"site\") of x is a factor; convert it to numbers first, x[[1]] <- as.numeric(as.character(x[[1]]))",
               fixed = TRUE)
  expect_error(nested_temperature(matrix(c("0", "1", "x", "1"), 2)), "not a number at row 1, column 2: \"x\"",
               fixed = TRUE)
  expect_error(nested_nodf(matrix(0, 0, 3)), "0 rows and 3 columns; the analyses need at least one row and one column")
  expect_error(nested_nodf(data.frame(a = 1:2)[, 0, drop = FALSE]), "2 rows and 0 columns")
  expect_error(nested_nodf(matrix(0, 3001, 2)), "3001 rows and 2 columns")
  expect_error(nested_temperature(matrix(0, 2, 3001)), "2 rows and 3001 columns")
  expect_error(nested_nodf(1:5), "matrix or a data frame")
  x <- named_matrix()
  expect_error(nested_nodf(x, simulations = 100001), "simulations")
  expect_error(nested_nodf(x, simulations = 5, seed = 2^32), "seed")
  expect_error(nested_nodf(x, simulations = 5, seed = 1.5), "seed")
  expect_error(nested_nodf(x, simulations = 5, threads = 0), "threads")
  expect_error(nested_nodf(x, simulations = 5, models = "r0", ff_thin = 3), "\"curveball\" in models")
  expect_error(nested_nodf(x, simulations = 5, quasiswap_thin = 3), "\"quasiswap\" in models")
  expect_error(nested_nodf(x, simulations = 5, models = character()), "one or more null models")
  expect_error(nested_nodf(x, simulations = 5, models = c("r00", "r3")),
               paste("unknown null model \"r3\"; the models are Er, Ce, Li, Co, r00, r0, c0, r1, r2, quasiswap,",
                     "curveball (or FF), r2dtable, abundance_shuffle"),
               fixed = TRUE)
  expect_error(nested_nodf(x, precision = 0.01), "precision needs simulations")
  expect_error(nested_nodf(x, simulations = 5, precision = 0), "precision must be a number above 0")
})

test_that("models are named as in the console program, and the default is the textbook four", {
  x <- named_matrix()
  expect_identical(nested_nodf(x, simulations = 3, seed = 1)$models, c("r00", "r0", "c0", "curveball"))
  # Case, aliases and duplicates; Co (the letter) and c0 (zero) are two models.
  n <- nested_nodf(x, simulations = 3, seed = 1, models = c("FF", "co", "C0", "Curveball", "QUASISWAP"),
                   quasiswap_thin = 2)
  expect_identical(n$models, c("Co", "c0", "quasiswap", "curveball"))
  expect_identical(unique(n$null$model), n$models)
  expect_identical(n$quasiswap$thin, 2)
  expect_identical(n$fixed_fixed$thin, 10 * nrow(x))
  # fixed_fixed adds curveball; a chain's statistics are curveball's only.
  t <- nested_temperature(x, simulations = 20, seed = 1, models = "r1", fixed_fixed = TRUE)
  expect_identical(t$models, c("r1", "curveball"))
  s <- summary(t)
  expect_identical(is.na(s$ess), s$model != "curveball")
  expect_equal(s$p_two_sided, pmin(1, 2 * pmin(s$p_less, s$p_greater)))
  expect_equal(s$q500, vapply(split(t$null$temperature, t$null$model)[s$model], stats::median, 0), ignore_attr = TRUE)
})

test_that("a precision runs whole blocks of 100 until every nestedness P value has reached it", {
  x <- named_matrix()
  n <- nested_nodf(x, simulations = 5000, seed = 3, models = c("r00", "curveball"), precision = 0.02)
  s <- summary(n)
  expect_true(n$precision$reached)
  expect_true(all(s$n == s$n[1]) && s$n[1] %% 100 == 0 && s$n[1] < 5000)
  expect_true(all(s$p_mcse <= 0.02))
  expect_match(capture.output(print(n))[3], "simulations \\(at most 5000\\), precision 0.02 reached")
  expect_identical(as.data.frame(n)$simulations[1], 5000L)
})

test_that("results do not depend on the threads, and set.seed() reproduces a call", {
  x <- named_matrix()
  same <- function(a, b) {
    a$date <- b$date <- NULL
    expect_identical(a, b)
  }
  every <- c("Er", "Ce", "Li", "Co", "r00", "r0", "c0", "r1", "r2", "quasiswap", "curveball")
  same(nested_temperature(x, simulations = 30, seed = 11, threads = 1, models = every),
       nested_temperature(x, simulations = 30, seed = 11, threads = 2, models = every))
  same(nested_nodf(x, simulations = 60, seed = 4294967295, threads = 1, models = every),
       nested_nodf(x, simulations = 60, seed = 4294967295, threads = 2, models = every))
  set.seed(5)
  a <- nested_nodf(x, simulations = 10)
  set.seed(5)
  b <- nested_nodf(x, simulations = 10)
  same(a, b)
  same(nested_nodf(x, simulations = 10, seed = a$seed), a)
  # Each model draws from a stream of its own: the others keep their values.
  more <- nested_nodf(x, simulations = 10, seed = a$seed, models = c(a$models, "Li", "quasiswap"))
  expect_identical(more$null[more$null$model %in% a$models, ], a$null, ignore_attr = TRUE)
})

test_that("the results table has the console program's columns", {
  x <- named_matrix()
  columns <- c("file", "mode", "statistic", "rows", "columns", "fill", "observed", "model", "n", "mean",
               "sd", "ses", "p_less", "p_greater", "p_two_sided", "q025", "q500", "q975", "p_mcse", "ess", "lag1",
               "seed", "file_seed", "simulations", "ordered", "version", "date", "complete")
  t <- as.data.frame(nested_temperature(x))
  expect_identical(names(t), columns)
  expect_identical(t$file, "x")
  expect_identical(c(t$mode, t$complete), c("temperature", "yes"))
  expect_true(is.na(t$model) && is.na(t$ordered))
  n <- as.data.frame(nested_nodf(x, order = FALSE, simulations = 5, seed = 1))
  expect_identical(n$statistic, rep(c("nodf_rows", "nodf_columns", "nodf_total"), each = 4))
  expect_identical(unique(n$ordered), "no")
  expect_identical(unique(n$mode), "nodf")
  expect_match(n$date[1], "^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$")
})

# Runs call in a second R, interrupts it as Ctrl-C does once it has begun,
# and gives back what the second R printed.
interrupt_second_r <- function(call) {
  dir <- tempfile()
  dir.create(dir)
  started <- file.path(dir, "started")
  output <- file.path(dir, "output")
  script <- file.path(dir, "run.R")
  writeLines(c(
    sprintf(".libPaths(c(%s))", paste(deparse(.libPaths()), collapse = "")),
    "library(bravolin)",
    "set.seed(1)",
    "x <- matrix(rbinom(200 * 200, 1, 0.3), 200)",
    sprintf("writeLines(as.character(Sys.getpid()), %s)", deparse(started)),
    "start <- Sys.time()",
    sprintf("tryCatch(%s,", call),
    "         interrupt = function(e) cat('interrupted after', format(as.numeric(Sys.time() - start, units = 'secs')), 's\\n'))",
    "cat('usable:', nested_nodf(matrix(1, 2, 2))$nodf[['total']], '\\n')"), script)
  system2(file.path(R.home("bin"), "Rscript"), script, stdout = output, stderr = output, wait = FALSE)
  waited <- 0
  while (!file.exists(started) && waited < 60) {
    Sys.sleep(0.1)
    waited <- waited + 0.1
  }
  expect_true(file.exists(started))
  Sys.sleep(1)
  pid <- as.integer(readLines(started))
  tools::pskill(pid, tools::SIGINT)
  lines <- character()
  waited <- 0
  while (!any(grepl("usable:", lines)) && waited < 30) {
    Sys.sleep(0.1)
    waited <- waited + 0.1
    lines <- if (file.exists(output)) readLines(output, warn = FALSE) else character()
  }
  tools::pskill(pid, tools::SIGKILL)  # a run that did not stop ends here
  lines
}

test_that("an interrupt stops a long run promptly and leaves R usable", {
  skip_on_os("windows")
  # Simulations, and a fixed-fixed burn-in of hours before the first one.
  for (call in c("nested_temperature(x, simulations = 100000, seed = 1)",
                 "nested_nodf(x, simulations = 10, seed = 1, ff_burn_in = 1e12)",
                 "nested_nodf(x, simulations = 10, seed = 1, models = 'quasiswap', quasiswap_thin = 1e12)")) {
    lines <- interrupt_second_r(call)
    label <- paste(c(call, lines), collapse = "\n")
    elapsed <- as.numeric(sub(".*interrupted after (\\S+) s.*", "\\1", grep("interrupted after", lines, value = TRUE)))
    expect_length(elapsed, 1)
    expect_true(length(elapsed) == 1 && elapsed < 5, label = label)
    expect_true(any(grepl("usable: 0", lines)), label = label)
  }
})

test_that("the plots draw every result, with the observed value in the x range", {
  grDevices::pdf(NULL)
  on.exit(grDevices::dev.off())
  x <- named_matrix()
  n <- nested_nodf(x, simulations = 20, seed = 2)
  plot(n, "null")
  usr <- graphics::par("usr")  # of the last model's panel
  expect_true(usr[1] <= n$nodf[["total"]] && n$nodf[["total"]] <= usr[2])
  # A 1 x 1 matrix has no pair: its NODF and every simulated one are NaN.
  expect_silent(plot(nested_nodf(matrix(1, 1, 1), simulations = 3, seed = 1), "null"))
  expect_silent(plot(nested_temperature(x, simulations = 5, seed = 1), "null"))
  expect_silent(plot(nested_temperature(x)))
  expect_silent(plot(n))
})

test_that("the library's limits and version are the package's", {
  expect_identical(as.data.frame(nested_nodf(diag(3)))$version[1], as.character(utils::packageVersion("bravolin")))
  expect_error(nested_nodf(diag(3), simulations = 100001), "from 0 to 100000", fixed = TRUE)
})
