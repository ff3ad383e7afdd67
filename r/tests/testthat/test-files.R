# read_matrix_file(): a table read back with its names as the console
# program's table reader reads it, its errors with the line and column, and
# a matrix file of plain 0s and 1s as the console program's mode N reads it.

file_of <- function(lines, extension = ".csv") {
  path <- tempfile(fileext = extension)
  writeLines(lines, path)
  path
}

test_that("a table written by R reads back as its presences with their names, either way round", {
  x <- matrix(c(3, 0, 1, 0, 2, 5), 2, 3,
              dimnames = list(c("Ilha Grande", "Moela"), c("sp1", "sp 2", "sp,3")))
  presences <- matrix(as.integer(x > 0), 2, 3, dimnames = dimnames(x))
  path <- tempfile(fileext = ".csv")
  utils::write.csv(x, path)
  expect_identical(read_matrix_file(path), presences)
  utils::write.csv(t(x), path)
  expect_identical(read_matrix_file(path, transpose = TRUE), presences)
  # A layout given overrides the one found: here a header read as a row.
  expect_error(read_matrix_file(path, header = FALSE),
               sprintf("File: %s: line 1, column 2: \"Ilha Grande\" is not a number.", path), fixed = TRUE)
})

test_that("a cell or a file that cannot be read is an error that says where", {
  path <- file_of(c("site,a,b", "s1,1,0", "s2,NA,1"))
  expect_error(read_matrix_file(path), sprintf("File: %s: line 3, column 2: \"NA\" is not a number.", path),
               fixed = TRUE)
  expect_error(read_matrix_file(file.path(tempdir(), "none.csv")), "not found")
  expect_error(read_matrix_file(path, header = "yes"), "header must be TRUE, FALSE or NA")
})

test_that("a matrix file of 0s and 1s is read as mode N reads it, what it loses said", {
  path <- file_of(c("0110", "1011", "", "11"), ".txt")
  expected <- matrix(c(0L, 1L, 1L, 1L, 0L, 1L, 1L, 1L, 0L, 0L, 1L, 0L), 3, 4,
                     dimnames = list(as.character(1:3), as.character(1:4)))
  expect_identical(read_matrix_file(path), expected)
  expect_identical(read_matrix_file(path, transpose = TRUE), t(expected))
  expect_error(read_matrix_file(path, row_names = TRUE), "without header = TRUE and row_names = TRUE")
  longer <- file_of(c("10", "111", "01"), ".txt")
  expect_warning(x <- read_matrix_file(longer), "line 2 has more cells than the first row")
  expect_identical(dim(x), c(3L, 2L))
})
