# nested_temperature(): the matrix temperature of a presence/absence matrix,
# its packed matrix, isocline and unexpected cells, and its null models.

nested_temperature <- function(x, simulations = 0, seed = NULL, threads = NULL, fixed_fixed = FALSE,
                               ff_burn_in = NULL, ff_thin = NULL) {
  file <- deparse1(substitute(x))
  date <- iso_time()
  m <- presences(x)
  null <- null_settings(simulations, seed, threads, fixed_fixed, ff_burn_in, ff_thin)
  r <- .temperature(m$cells, nrow(m$cells), ncol(m$cells), m$rows, m$columns, null$simulations,
                    null$seed, null$threads, null$fixed_fixed, null$burn_in, null$thin)

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
  complete_result(result, m, null, file, date, r$models, values, r$statistics[-1], r$fixed_fixed, r$threads_note,
                  "bravolin_temperature")
}
