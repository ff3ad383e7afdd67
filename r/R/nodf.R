# nested_nodf(): the NODF of a presence/absence matrix, of its rows, its
# columns and in total, ordered or in the matrix's order, and its null
# models.

nested_nodf <- function(x, order = TRUE, simulations = 0, seed = NULL, threads = NULL,
                        fixed_fixed = FALSE, ff_burn_in = NULL, ff_thin = NULL,
                        models = c("r00", "r0", "c0", "curveball"), quasiswap_thin = NULL, precision = NULL) {
  file <- deparse1(substitute(x))
  date <- iso_time()
  m <- presences(x)
  if (!is.logical(order) || length(order) != 1 || is.na(order))
    stop("order must be TRUE or FALSE", call. = FALSE)
  null <- null_settings(simulations, seed, threads, models, fixed_fixed, ff_burn_in, ff_thin, quasiswap_thin,
                        precision)
  r <- .nodf(m$cells, nrow(m$cells), ncol(m$cells), m$rows, m$columns, order, null$simulations,
             null$seed, null$threads, null$models, null$trades, null$precision)

  ordered <- m$cells[r$row_order, r$column_order, drop = FALSE]
  # The library's pair tables are row-major: entry [k, i] of a later line
  # k and an earlier line i.
  pairs <- function(values, names)
    matrix(values, length(names), length(names), byrow = TRUE, dimnames = list(names, names))
  result <- list(
    nodf = r$nodf,
    ordered = ordered,
    row_pairs = pairs(r$row_pairs, rownames(ordered)),
    column_pairs = pairs(r$column_pairs, colnames(ordered)),
    order = order,
    fill = r$fill)
  part <- function(name) as.vector(do.call(rbind, r$null[[name]]))
  values <- if (null$simulations > 0) list(rows = part("rows"), columns = part("columns"), total = part("total"))
  complete_result(result, m, null, file, date, r, values, r$statistics, "bravolin_nodf")
}
