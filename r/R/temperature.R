# nested_temperature(): the matrix temperature of a presence/absence matrix,
# its packed matrix, isocline and unexpected cells, and its null models.

nested_temperature <- function(x, simulations = 0, seed = NULL, threads = NULL, fixed_fixed = FALSE,
                               ff_burn_in = NULL, ff_thin = NULL, models = c("r00", "r0", "c0", "curveball"),
                               quasiswap_thin = NULL, precision = NULL) {
  file <- deparse1(substitute(x))
  date <- iso_time()
  m <- presences(x)
  null <- null_settings(simulations, seed, threads, models, fixed_fixed, ff_burn_in, ff_thin, quasiswap_thin,
                        precision)
  r <- .temperature(m$cells, nrow(m$cells), ncol(m$cells), m$rows, m$columns, null$simulations,
                    null$seed, null$threads, null$models, null$trades, null$precision)

  packed <- m$cells[r$row_order, r$column_order, drop = FALSE]
  # Temperatures by line of x: the library gives them in packed order, and
  # lines that packing trimmed have none.
  row_temperature <- stats::setNames(rep(NA_real_, length(m$rows)), m$rows)
  row_temperature[r$row_order] <- r$row_temperature
  column_temperature <- stats::setNames(rep(NA_real_, length(m$columns)), m$columns)
  column_temperature[r$column_order] <- r$column_temperature

  unexpected <- data.frame(row = rownames(packed)[r$unexpected_row],
                           column = colnames(packed)[r$unexpected_column],
                           kind = c("absence", "presence")[r$unexpected_presence + 1],
                           contribution = r$unexpected_contribution,
                           stringsAsFactors = FALSE)
  attr(unexpected, "packed_row") <- r$unexpected_row
  attr(unexpected, "packed_column") <- r$unexpected_column

  result <- list(
    temperature = r$temperature,
    fill = r$fill,
    packed_fill = r$packed_fill,
    packed = packed,
    row_temperature = row_temperature,
    column_temperature = column_temperature,
    isocline = data.frame(x = r$isocline_x, y = r$isocline_y),
    unexpected = unexpected)
  values <- if (null$simulations > 0) list(temperature = as.vector(do.call(rbind, r$null)))
  complete_result(result, m, null, file, date, r, values, r$statistics[-1], "bravolin_temperature")
}
