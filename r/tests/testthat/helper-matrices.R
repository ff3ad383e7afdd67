# Matrices the tests share: random presence/absence matrices of a given
# size and fill.

random_matrix <- function(rows, columns, fill) {
  matrix(stats::rbinom(rows * columns, 1, fill), rows, columns)
}
