# The checks of what nested_temperature(), nested_nodf() and
# nested_metrics() are given: the matrix turned into presences (or
# abundances) with its names, the seed, the simulations, the threads, the
# models and their chains, the precision. Every error names what to change.

# Where a cell is, for error messages: "row 3, column 2", with the names
# when the matrix has them.
cell_place <- function(x, row, column) {
  place <- function(what, index, names) {
    if (is.null(names)) sprintf("%s %d", what, index)
    else sprintf("%s %d (\"%s\")", what, index, names[index])
  }
  paste0(place("row", row, rownames(x)), ", ", place("column", column, colnames(x)))
}

# The first cell, in reading order (row by row), where bad is TRUE.
first_cell <- function(bad) {
  cells <- which(bad, arr.ind = TRUE)
  cells <- cells[order(cells[, 1], cells[, 2]), , drop = FALSE]
  cells[1, ]
}

# The error for column j of the data frame x, a factor or text: how to
# convert it, or move the site names it may hold into the row names.
text_column_error <- function(x, j) {
  factor <- is.factor(x[[j]])
  convert <- sprintf(if (factor) "as.numeric(as.character(x[[%d]]))" else "as.numeric(x[[%d]])", j)
  stop(sprintf(paste("column %d (\"%s\") of x is %s; convert it to numbers first, x[[%d]] <- %s,",
                     "or, if it holds the site names, make them the row names: rownames(x) <- x[[%d]];",
                     "x[[%d]] <- NULL"),
               j, names(x)[j], if (factor) "a factor" else "text (character)", j, convert, j, j),
       call. = FALSE)
}

# A character matrix read as numbers, as as.numeric() reads each cell, or
# an error naming the first cell that is not a number.
text_matrix_as_numbers <- function(x) {
  cells <- suppressWarnings(as.numeric(x))
  bad <- matrix(is.na(cells) & !is.na(x), nrow(x), ncol(x))
  if (any(bad)) {
    at <- first_cell(bad)
    stop(sprintf("x has a cell that is not a number at %s: \"%s\"; give numbers or logicals",
                 cell_place(x, at[1], at[2]), x[at[1], at[2]]), call. = FALSE)
  }
  matrix(cells, nrow(x), ncol(x), dimnames = dimnames(x))
}

# The matrix of x, sites as rows: numbers or logicals (a character matrix
# is read as numbers), or an error naming the first cell or the column that
# is neither.
numeric_matrix <- function(x) {
  if (is.data.frame(x)) {
    for (j in seq_along(x)) {
      column <- x[[j]]
      if (is.factor(column) || is.character(column))
        text_column_error(x, j)
      if (!(is.numeric(column) || is.logical(column)))
        stop(sprintf("x has a cell that is not a number at %s: \"%s\"; give numbers or logicals",
                     cell_place(x, 1, j), format(column[1])), call. = FALSE)
    }
    # as.numeric: a data frame without columns unlists to NULL.
    values <- unlist(lapply(x, function(column) as.numeric(unclass(column))), use.names = FALSE)
    cells <- matrix(as.numeric(values), nrow = nrow(x), ncol = ncol(x))
    dimnames(cells) <- list(rownames(x), names(x))
    return(cells)
  }
  if (!is.matrix(x))
    stop("x must be a matrix or a data frame of sites (rows) by species (columns), not ",
         class(x)[1], call. = FALSE)
  if (is.character(x))
    return(text_matrix_as_numbers(x))
  if (!(is.numeric(x) || is.logical(x))) {
    if (length(x) > 0)
      stop(sprintf("x has a cell that is not a number at %s: \"%s\"; give numbers or logicals",
                   cell_place(x, 1, 1), format(x[1, 1])), call. = FALSE)
    storage.mode(x) <- "double"
  }
  x
}

# x as the analyses take it: its cells as numbers (TRUE 1, FALSE 0) and the
# names of the rows and columns, numbered from 1 when x has none; or an
# error naming what to change.
checked_cells <- function(x) {
  cells <- numeric_matrix(x)
  if (nrow(cells) == 0 || ncol(cells) == 0)
    stop(sprintf("x has %d rows and %d columns; the analyses need at least one row and one column",
                 nrow(cells), ncol(cells)), call. = FALSE)
  max_side <- .library_facts()$max_side
  if (nrow(cells) > max_side || ncol(cells) > max_side)
    stop(sprintf("x has %d rows and %d columns; the analyses take at most %d of each",
                 nrow(cells), ncol(cells), max_side), call. = FALSE)
  if (anyNA(cells)) {
    at <- first_cell(is.na(cells))
    stop(sprintf("x has a missing value (%s) at %s; remove or fill it",
                 format(cells[at[1], at[2]]), cell_place(cells, at[1], at[2])), call. = FALSE)
  }
  bad <- cells < 0 | is.infinite(cells)
  if (any(bad)) {
    at <- first_cell(bad)
    stop(sprintf("x has %s at %s; cells are presences (above 0) or absences (0)",
                 if (cells[at[1], at[2]] < 0) paste("a negative number,", cells[at[1], at[2]])
                 else "an infinite number",
                 cell_place(cells, at[1], at[2])), call. = FALSE)
  }
  names <- list(rownames(cells), colnames(cells))
  if (is.null(names[[1]])) names[[1]] <- as.character(seq_len(nrow(cells)))
  if (is.null(names[[2]])) names[[2]] <- as.character(seq_len(ncol(cells)))
  list(cells = matrix(as.numeric(cells), nrow(cells), ncol(cells), dimnames = names),
       rows = names[[1]], columns = names[[2]])
}

# x as the presence/absence analyses take it: checked_cells() with 0/1
# cells as integers (above 0 is a presence).
presences <- function(x) {
  m <- checked_cells(x)
  m$cells[] <- as.integer(m$cells > 0)
  storage.mode(m$cells) <- "integer"
  m
}

# A whole number from low to high, or an error naming the argument.
whole_number <- function(value, name, low, high) {
  if (!is.numeric(value) || length(value) != 1 || is.na(value) || value != round(value) ||
      value < low || value > high)
    stop(sprintf("%s must be a whole number from %s to %s", name, format(low, scientific = FALSE),
                 format(high, scientific = FALSE)), call. = FALSE)
  as.numeric(value)
}

# The seed of the null models: the one given, or one drawn from R's
# generator, so that set.seed() reproduces a call.
resolve_seed <- function(seed) {
  if (is.null(seed))
    return(floor(stats::runif(1) * 4294967296))
  whole_number(seed, "seed", 0, 4294967295)
}

# The settings of the null models, as the library functions take them;
# threads 0 stands for the default (the processors available, at most 64),
# trades -1 for the defaults, precision 0 for none. The models are the
# library's names of those asked for (fixed_fixed adds curveball).
null_settings <- function(simulations, seed, threads, models, fixed_fixed, ff_burn_in, ff_thin, quasiswap_thin,
                          precision) {
  limits <- .library_facts()
  simulations <- whole_number(simulations, "simulations", 0, limits$most_simulations)
  if (!is.logical(fixed_fixed) || length(fixed_fixed) != 1 || is.na(fixed_fixed))
    stop("fixed_fixed must be TRUE or FALSE", call. = FALSE)
  if (!is.character(models) || length(models) == 0 || anyNA(models))
    stop("models must name one or more null models, as c(\"r00\", \"curveball\")", call. = FALSE)
  models <- .null_models(c(models, if (fixed_fixed) "curveball"))
  if (!any(c("curveball", "abundance_shuffle") %in% models) && (!is.null(ff_burn_in) || !is.null(ff_thin)))
    stop("ff_burn_in and ff_thin set the curveball chain: give them with \"curveball\" in models",
         call. = FALSE)
  if (!"quasiswap" %in% models && !is.null(quasiswap_thin))
    stop("quasiswap_thin sets the quasiswap draws' trades: give it with \"quasiswap\" in models", call. = FALSE)
  if (!is.null(precision)) {
    if (!is.numeric(precision) || length(precision) != 1 || is.na(precision) || precision <= 0 ||
        is.infinite(precision))
      stop("precision must be a number above 0, the largest Monte-Carlo standard error of the P values",
           call. = FALSE)
    if (simulations == 0)
      stop("precision needs simulations, the most to run: simulations = 10000, say", call. = FALSE)
  }
  trades <- function(value, name)
    if (is.null(value)) -1 else whole_number(value, name, 0, 1e12)
  list(simulations = as.integer(simulations),
       seed = resolve_seed(seed),
       threads = if (is.null(threads)) 0L else as.integer(whole_number(threads, "threads", 1, limits$most_threads)),
       models = models,
       trades = c(trades(ff_burn_in, "ff_burn_in"), trades(ff_thin, "ff_thin"),
                  trades(quasiswap_thin, "quasiswap_thin")),
       precision = if (is.null(precision)) 0 else as.numeric(precision))
}

# A result with the parts both analyses share: the run's settings and, with
# simulations, null (one row per simulation and model, models being the
# run's models as the library names them, in its order; the columns of
# values: each in simulation order, the models of a simulation together),
# the statistics, whether the precision asked for was reached, and how the
# chains ran; then its class. When fewer threads than asked for fit in
# memory, the console program's note on it is a message.
complete_result <- function(result, m, null, file, date, r, values, statistics, class) {
  if (!is.null(r$threads_note))
    message(r$threads_note)
  result <- c(result, list(seed = null$seed, simulations = null$simulations, rows = nrow(m$cells),
                           columns = ncol(m$cells), file = file, date = date))
  if (null$simulations > 0) {
    models <- r$models
    simulations <- length(values[[1]]) / length(models)
    result$models <- models
    result$null <- data.frame(simulation = rep(seq_len(simulations), each = length(models)),
                              model = rep(models, simulations), values, stringsAsFactors = FALSE)
    result$statistics <- as.data.frame(statistics, stringsAsFactors = FALSE)
    if (null$precision > 0)
      result$precision <- list(target = null$precision, reached = r$precise)
    result$fixed_fixed <- r$fixed_fixed
    result$quasiswap <- r$quasiswap
  }
  structure(result, class = class)
}

# The time of a call, ISO 8601 with its offset from UTC.
iso_time <- function(time = Sys.time()) {
  offset <- format(time, "%z")
  paste0(format(time, "%Y-%m-%dT%H:%M:%S"), substr(offset, 1, 3), ":", substr(offset, 4, 5))
}
