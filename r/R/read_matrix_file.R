# read_matrix_file(): a table or a matrix file read as the console program
# reads it, into the named 0/1 matrix that nested_temperature() and
# nested_nodf() take, or into the abundances a table holds, which
# nested_metrics() takes for wnodf.

read_matrix_file <- function(path, transpose = FALSE, header = NA, row_names = NA, abundances = FALSE) {
  if (!is.character(path) || length(path) != 1 || is.na(path))
    stop("path must be the name of one file", call. = FALSE)
  if (!is.logical(transpose) || length(transpose) != 1 || is.na(transpose))
    stop("transpose must be TRUE or FALSE", call. = FALSE)
  choice <- function(value, name)
    if (!is.logical(value) || length(value) != 1)
      stop(name, " must be TRUE, FALSE or NA (found from the file)", call. = FALSE)
  if (!is.logical(abundances) || length(abundances) != 1 || is.na(abundances))
    stop("abundances must be TRUE or FALSE", call. = FALSE)
  choice(header, "header")
  choice(row_names, "row_names")
  if (!file.exists(path) || dir.exists(path))
    stop(sprintf("File: %s not found", path), call. = FALSE)
  r <- .read_matrix_file(readBin(path, "raw", file.size(path)), path, transpose, header, row_names, abundances)
  said <- sub("\n$", "", r$messages)
  if (r$status == "too_many_rows") {
    side <- .library_facts()$max_side
    stop(sprintf("File: %s has more than %d rows; the analyses take at most %d rows and %d columns",
                 path, side, side, side), call. = FALSE)
  }
  if (r$status == "refused")
    stop(paste(said, collapse = "\n"), call. = FALSE)
  if (r$plain && (isTRUE(header) || isTRUE(row_names)))
    stop(sprintf("File: %s is a matrix of 0s and 1s, without names: read it without header = TRUE and row_names = TRUE",
                 path), call. = FALSE)
  # What the reader left out of a matrix file.
  for (message in said)
    warning(message, call. = FALSE)
  x <- matrix(if (abundances) r$abundances else r$cells, r$rows, r$columns,
              dimnames = list(r$row_names, r$column_names))
  if (r$plain && transpose) t(x) else x
}
