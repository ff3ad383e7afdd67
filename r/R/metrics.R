# nested_metrics(): the NODF and the further nestedness metrics of a matrix
# (weighted NODF of its abundances, NODFc, discrepancy, checkerboards, N0,
# the spectral radius) and the NODF's null models measuring them, as the
# console program's mode N measures them with --metrics.

nested_metrics <- function(x, metrics = "nodf", order = TRUE, wbinary = FALSE, simulations = 0, seed = NULL,
                           threads = NULL, fixed_fixed = FALSE, ff_burn_in = NULL, ff_thin = NULL,
                           models = c("r00", "r0", "c0", "curveball"), quasiswap_thin = NULL, precision = NULL) {
  file <- deparse1(substitute(x))
  date <- iso_time()
  m <- checked_cells(x)
  if (!is.character(metrics) || length(metrics) == 0 || anyNA(metrics))
    stop("metrics must name one or more metrics, as c(\"nodf\", \"nodfc\"), or be \"all\"", call. = FALSE)
  if (!is.logical(order) || length(order) != 1 || is.na(order))
    stop("order must be TRUE or FALSE", call. = FALSE)
  if (!is.logical(wbinary) || length(wbinary) != 1 || is.na(wbinary))
    stop("wbinary must be TRUE or FALSE", call. = FALSE)
  if (wbinary && !any(tolower(metrics) %in% c("wnodf", "all")))
    stop("wbinary chooses wnodf's variant: give it with \"wnodf\" in metrics", call. = FALSE)
  null <- null_settings(simulations, seed, threads, models, fixed_fixed, ff_burn_in, ff_thin, quasiswap_thin,
                        precision)
  r <- .metrics(m$cells, nrow(m$cells), ncol(m$cells), m$rows, m$columns, order, metrics, wbinary,
                null$simulations, null$seed, null$threads, null$models, null$trades, null$precision)
  say_undefined_metrics(r, m$cells, wbinary, null)

  presence <- matrix(as.integer(m$cells > 0), nrow(m$cells), ncol(m$cells), dimnames = dimnames(m$cells))
  result <- list(
    values = stats::setNames(r$observed, r$statistic),
    nodf = stats::setNames(r$observed[1:3], c("rows", "columns", "total")),
    notes = stats::setNames(ifelse(r$note == "", NA_character_, r$note), r$statistic),
    metrics = r$metrics,
    ordered = presence[r$row_order, r$column_order, drop = FALSE],
    order = order,
    wbinary = wbinary,
    fill = r$fill)
  values <- if (null$simulations > 0) lapply(r$null, function(models) as.vector(do.call(rbind, models)))
  complete_result(result, m, null, file, date, r, values, r$statistics, "bravolin_metrics")
}

# "a", "a and b", "a, b and c".
and_list <- function(names) {
  if (length(names) < 2) return(names)
  paste(paste(names[-length(names)], collapse = ", "), "and", names[length(names)])
}

# The messages on what a call's metrics leave undefined, as the console
# program says them once a run, and the warning of a spectral radius that
# did not converge.
say_undefined_metrics <- function(r, cells, wbinary, null) {
  s <- r$statistics
  measuring <- function(statistic) s$model[s$statistic == statistic & !is.na(s$model) & s$n > 0]
  if ("wnodf" %in% r$metrics && all(cells %in% c(0, 1)))
    message(sprintf("wnodf of a matrix of 0s and 1s is %s", if (wbinary) "its NODF (wbinary = TRUE)"
                    else "0 (with wbinary = TRUE it is its NODF)"))
  if (null$simulations > 0) {
    of_abundances <- measuring("wnodf_total")
    binary <- setdiff(r$models, of_abundances)
    if ("wnodf" %in% r$metrics && length(binary) > 0)
      message(sprintf("wnodf has no null values under the binary models of the call (%s), which draw no abundances; %s",
                      and_list(binary), if (length(of_abundances) == 0) "its observed values are given alone"
                      else paste("its null values are those of", and_list(of_abundances))))
    unmeasured <- setdiff(s$model[s$statistic == "nodfc" & !is.na(s$model)], measuring("nodfc"))
    if (length(unmeasured) > 0)
      message(sprintf("nodfc and nodf_max_ratio are NA under %s, which change%s the number of presences",
                      and_list(unmeasured), if (length(unmeasured) == 1) "s" else ""))
  }
  if (isTRUE(r$spectral_cap_reached))
    warning(sprintf(paste("the spectral radius stopped at its cap of %d iterations before converging on a",
                          "matrix; its value is the last estimate"), .library_facts()$spectral_cap),
            call. = FALSE)
}
