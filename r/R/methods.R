# print, summary, as.data.frame and plot of the results of
# nested_temperature(), nested_nodf() and nested_metrics().

# The statistics of every model, as the results table names them.
statistic_columns <- c("n", "mean", "sd", "ses", "p_less", "p_greater", "p_two_sided", "q025", "q500", "q975",
                       "p_mcse", "ess", "lag1")

# The statistics of a result with their observed values: one row per
# statistic and model, or one per statistic (model NA) without simulations.
observed_statistics <- function(x) {
  if (inherits(x, "bravolin_temperature")) {
    observed <- c(temperature = x$temperature)
    names_in_table <- c(temperature = "temperature")
  } else if (inherits(x, "bravolin_metrics")) {
    observed <- x$values
    names_in_table <- stats::setNames(names(observed), names(observed))
  } else {
    observed <- x$nodf
    names_in_table <- c(rows = "nodf_rows", columns = "nodf_columns", total = "nodf_total")
  }
  if (is.null(x$statistics)) {
    none <- stats::setNames(as.list(c(NA_integer_, rep(NA_real_, length(statistic_columns) - 1))),
                            statistic_columns)
    return(data.frame(statistic = unname(names_in_table), observed = unname(observed),
                      model = NA_character_, none, stringsAsFactors = FALSE))
  }
  s <- x$statistics
  statistic <- if (is.null(s$statistic)) rep("temperature", nrow(s)) else s$statistic
  data.frame(statistic = unname(names_in_table[statistic]), observed = unname(observed[statistic]),
             model = s$model, s[statistic_columns], stringsAsFactors = FALSE)
}

summary.bravolin_temperature <- function(object, ...) {
  observed_statistics(object)
}

summary.bravolin_nodf <- function(object, ...) {
  observed_statistics(object)
}

summary.bravolin_metrics <- function(object, ...) {
  observed_statistics(object)
}

# The rows of the console program's results table, with its note column
# when given notes (one per statistic, by name). A result in R is always
# complete: an interrupt stops the analysis without one.
results_table <- function(x, mode, ordered, notes = NULL) {
  s <- observed_statistics(x)
  table <- data.frame(file = x$file, mode = mode, statistic = s$statistic, rows = x$rows, columns = x$columns,
                      fill = x$fill, observed = s$observed, model = s$model, s[statistic_columns], seed = x$seed,
                      file_seed = x$seed, simulations = x$simulations, ordered = ordered,
                      version = .library_facts()$version, date = x$date, stringsAsFactors = FALSE)
  if (!is.null(notes))
    table$note <- unname(notes[s$statistic])
  table$complete <- "yes"
  table
}

as.data.frame.bravolin_temperature <- function(x, row.names = NULL, optional = FALSE, ...) {
  results_table(x, "temperature", NA_character_)
}

as.data.frame.bravolin_nodf <- function(x, row.names = NULL, optional = FALSE, ...) {
  results_table(x, "nodf", if (x$order) "yes" else "no")
}

# As the console program's table of a run with --metrics: a note column
# once a metric beyond the NODF is measured.
as.data.frame.bravolin_metrics <- function(x, row.names = NULL, optional = FALSE, ...) {
  results_table(x, "nodf", if (x$order) "yes" else "no", if (length(x$metrics) > 1) x$notes)
}

# The null models' lines of print(): how many simulations ran, and each
# model's mean, sd, SES, P values with the Monte-Carlo error of the
# nestedness one, and a chain's effective sample size; the values (mean and
# sd) as value_text() writes them. Statistics without null values are left
# out.
print_null <- function(x, value_text = function(v) sprintf("%.2f", v)) {
  s <- summary(x)
  s <- s[!is.na(s$model), ]
  ran <- max(s$n)
  if (is.null(x$precision)) {
    cat(sprintf("Null models: %d simulations, seed %s\n", ran, format(x$seed, scientific = FALSE)))
  } else {
    cat(sprintf("Null models: %d simulations (at most %d), precision %s %s, seed %s\n", ran, x$simulations,
                format(x$precision$target), if (x$precision$reached) "reached" else "not reached",
                format(x$seed, scientific = FALSE)))
  }
  shown <- data.frame(statistic = s$statistic, model = s$model,
                      mean = value_text(s$mean), sd = value_text(s$sd),
                      ses = sprintf("%.2f", s$ses), p_less = sprintf("%.4f", s$p_less),
                      p_greater = sprintf("%.4f", s$p_greater), p_mcse = sprintf("%.4f", s$p_mcse),
                      ess = ifelse(is.na(s$ess), "", sprintf("%.0f", s$ess)))
  if (all(shown$ess == "")) shown$ess <- NULL
  if (length(unique(shown$statistic)) == 1) shown$statistic <- NULL
  print(shown, row.names = FALSE, right = TRUE)
}

print.bravolin_temperature <- function(x, ...) {
  cat(sprintf("Matrix temperature of %s: %d x %d, fill %.2f%%\n", x$file, x$rows, x$columns, x$fill))
  cat(sprintf("Packed: %d x %d, fill %.2f%%\n", nrow(x$packed), ncol(x$packed), x$packed_fill))
  cat(sprintf("T = %.2f\n", x$temperature))
  if (!is.null(x$statistics)) print_null(x)
  invisible(x)
}

print.bravolin_metrics <- function(x, ...) {
  cat(sprintf("Nestedness metrics of %s: %d x %d, fill %.2f%%, NODF %s\n", x$file, x$rows, x$columns, x$fill,
              if (x$order) "ordered by decreasing totals" else "in the matrix's order"))
  shown <- data.frame(statistic = names(x$values), observed = ifelse(is.na(x$values), "NA", sprintf("%.6g", x$values)),
                      note = ifelse(is.na(x$notes), "", x$notes))
  if (all(shown$note == "")) shown$note <- NULL
  print(shown, row.names = FALSE, right = TRUE)
  if (!is.null(x$statistics)) print_null(x, function(v) ifelse(is.na(v), "NA", sprintf("%.4g", v)))
  invisible(x)
}

print.bravolin_nodf <- function(x, ...) {
  cat(sprintf("NODF of %s: %d x %d, fill %.2f%%, %s\n", x$file, x$rows, x$columns, x$fill,
              if (x$order) "ordered by decreasing totals" else "in the matrix's order"))
  cat(sprintf("NODF rows %.2f, columns %.2f, total %.2f\n", x$nodf[["rows"]], x$nodf[["columns"]],
              x$nodf[["total"]]))
  if (!is.null(x$statistics)) print_null(x)
  invisible(x)
}

# Draws a 0/1 matrix in the plane the library measures in: a cell one unit
# wide and high, row 1 at the top, the origin at the bottom-left corner;
# with the names of its lines when they fit, axis titles, and a legend of
# what marks mean below it.
draw_cells <- function(cells, main, labels, legend) {
  rows <- nrow(cells)
  columns <- ncol(cells)
  graphics::plot.new()
  graphics::plot.window(xlim = c(0, max(columns, 1)), ylim = c(0, max(rows, 1)), asp = 1,
                        xaxs = "i", yaxs = "i")
  graphics::title(main = main)
  present <- which(cells == 1, arr.ind = TRUE)
  if (nrow(present) > 0)
    graphics::rect(present[, 2] - 1, rows - present[, 1], present[, 2], rows - present[, 1] + 1,
                   col = "grey25", border = NA)
  graphics::rect(0, 0, columns, rows, border = "grey50")
  names_width <- 0
  if (labels && rows <= 60 && columns <= 60) {
    size <- min(0.8, 12 / max(rows, columns))
    graphics::axis(2, at = rows - seq_len(rows) + 0.5, labels = rownames(cells), las = 1,
                   tick = FALSE, cex.axis = size, line = -0.8)
    graphics::axis(3, at = seq_len(columns) - 0.5, labels = colnames(cells), las = 2,
                   tick = FALSE, cex.axis = size, line = -0.8)
    names_width <- max(graphics::strwidth(rownames(cells), units = "inches", cex = size)) /
      graphics::par("csi")
  }
  # The rows' title beyond their names (which start 0.2 lines out); the
  # legend right under the matrix, and the columns' title under it.
  graphics::title(ylab = "sites (rows)", line = max(names_width + 0.6, 1))
  key <- do.call(graphics::legend, c(list(x = columns / 2, y = 0, xjust = 0.5, yjust = 1, horiz = TRUE,
                                          bty = "n", xpd = NA, cex = 0.8), legend))
  graphics::text(columns / 2, key$rect$top - 1.5 * key$rect$h, "species (columns)", xpd = NA)
}

# The legend entries of a matrix's presences.
presence_legend <- list(legend = "presence", fill = "grey25", border = NA)

# Each model's histogram of its simulated values, with the observed value
# and the central 95% of the simulations (quantiles, as q025 and q975).
plot_null <- function(values, observed, models, quantiles, what, main) {
  old <- graphics::par(mfrow = grDevices::n2mfrow(length(models)))
  on.exit(graphics::par(old))
  for (model in models) {
    v <- values[[model]]
    v <- v[is.finite(v)]
    if (length(v) == 0) {
      graphics::plot.new()
      graphics::title(main = paste(main, model))
      graphics::text(0.5, 0.5, "no finite values to draw")
      next
    }
    # Bins over the simulated values and the observed one, so that the
    # x axis always holds the observed value.
    breaks <- pretty(range(c(v, observed[is.finite(observed)])), 30)
    counts <- graphics::hist(v, breaks = breaks, plot = FALSE)$counts
    graphics::hist(v, breaks = breaks, xlim = range(breaks), ylim = c(0, 1.25 * max(counts)),
                   col = "grey80", border = "white", main = paste(main, model), xlab = what,
                   ylab = "simulations")
    graphics::abline(v = observed, col = "red", lwd = 2)
    graphics::abline(v = unlist(quantiles[quantiles$model == model, c("q025", "q975")]), lty = 2)
    graphics::legend("topright", legend = c("null model", "central 95%", "observed"), fill = c("grey80", NA, NA),
                     border = c("grey80", NA, NA), lty = c(NA, 2, 1), lwd = c(NA, 1, 2),
                     col = c(NA, "black", "red"), bty = "n", cex = 0.8)
  }
}

plot.bravolin_temperature <- function(x, which = c("matrix", "null"), labels = TRUE, ...) {
  which <- match.arg(which)
  if (which == "null") {
    if (is.null(x$null)) stop("the result has no null models: run it with simulations", call. = FALSE)
    values <- split(x$null$temperature, x$null$model)
    plot_null(values, x$temperature, unique(x$null$model), x$statistics, "temperature", "Temperature,")
    return(invisible(x))
  }
  draw_cells(x$packed, sprintf("Packed matrix, T = %.2f", x$temperature), labels,
             list(legend = c(presence_legend$legend, "unexpected cell", "isocline"),
                  fill = c(presence_legend$fill, grDevices::rgb(1, 0.55, 0), NA),
                  border = NA, lty = c(NA, NA, 1), lwd = c(NA, NA, 2), col = c(NA, NA, "red")))
  u <- x$unexpected
  if (nrow(u) > 0) {
    rows <- nrow(x$packed)
    # Positions in the packed matrix, kept beside the names, which may repeat.
    i <- attr(u, "packed_row")
    j <- attr(u, "packed_column")
    if (is.null(i) || is.null(j)) {
      i <- match(u$row, rownames(x$packed))
      j <- match(u$column, colnames(x$packed))
    }
    strength <- u$contribution / max(u$contribution)
    colour <- grDevices::rgb(1, 0.55, 0, alpha = 0.3 + 0.7 * strength)
    graphics::rect(j - 1, rows - i, j, rows - i + 1, col = colour, border = NA)
  }
  graphics::lines(x$isocline$x, x$isocline$y, col = "red", lwd = 2)
  invisible(x)
}

# The matrix of a NODF's result in the order measured, titled with its
# NODF.
draw_nodf_matrix <- function(x, labels) {
  draw_cells(x$ordered, sprintf("NODF rows %.2f, columns %.2f, total %.2f", x$nodf[["rows"]],
                                x$nodf[["columns"]], x$nodf[["total"]]), labels, presence_legend)
}

plot.bravolin_nodf <- function(x, which = c("matrix", "null"), labels = TRUE, ...) {
  which <- match.arg(which)
  if (which == "null") {
    if (is.null(x$null)) stop("the result has no null models: run it with simulations", call. = FALSE)
    values <- split(x$null$total, x$null$model)
    plot_null(values, x$nodf[["total"]], unique(x$null$model), x$statistics[x$statistics$statistic == "total", ],
              "NODF total (%)", "NODF,")
    return(invisible(x))
  }
  draw_nodf_matrix(x, labels)
  invisible(x)
}

# The null distributions of statistics (all those with null values when
# NULL), one page each with a panel per model that measures it.
plot.bravolin_metrics <- function(x, which = c("matrix", "null"), labels = TRUE, statistics = NULL, ...) {
  which <- match.arg(which)
  if (which == "matrix") {
    draw_nodf_matrix(x, labels)
    return(invisible(x))
  }
  if (is.null(x$null)) stop("the result has no null models: run it with simulations", call. = FALSE)
  available <- setdiff(names(x$null), c("simulation", "model"))
  if (is.null(statistics)) statistics <- available
  unknown <- setdiff(statistics, available)
  if (length(unknown) > 0)
    stop(sprintf("no null values of %s; the result has them for %s", paste(unknown, collapse = ", "),
                 paste(available, collapse = ", ")), call. = FALSE)
  if (length(statistics) > 1 && grDevices::dev.interactive()) {
    old <- grDevices::devAskNewPage(TRUE)
    on.exit(grDevices::devAskNewPage(old))
  }
  for (statistic in statistics) {
    measured <- x$statistics$statistic == statistic & !is.na(x$statistics$model)
    models <- x$statistics$model[measured]
    values <- split(x$null[[statistic]], x$null$model)
    plot_null(values, x$values[[statistic]], models, x$statistics[measured, ], statistic, paste0(statistic, ","))
  }
  invisible(x)
}
