# NODF of rows, columns and in total against vegan's nestednodf(), ordered
# and in the matrix's order, on vegan's data sets and on random matrices.

vegan_nodf <- function(x, order) {
  s <- vegan::nestednodf(x, order = order)$statistic
  c(rows = s[["N.rows"]], columns = s[["N.columns"]], total = s[["NODF"]])
}

expect_same_nodf <- function(x, order, label, near_boundary_ok = FALSE) {
  ours <- nested_nodf(x, order = order)$nodf
  theirs <- vegan_nodf(x, order)
  expect_lt(max(abs(ours - theirs)), 1e-3, label = label)
  # Rounded to two decimals as the console prints them; values closer than
  # 1e-4 to a rounding boundary may round either way between single and
  # double precision.
  keep <- if (near_boundary_ok) abs((theirs * 100) %% 1 - 0.5) > 1e-2 else rep(TRUE, 3)
  expect_identical(sprintf("%.2f", ours[keep]), sprintf("%.2f", theirs[keep]), label = label)
}

test_that("NODF equals vegan's on its data sets", {
  skip_if_not_installed("vegan", minimum_version = "2.0")
  for (name in c("dune", "sipoo", "BCI", "mite", "varespec")) {
    data(list = name, package = "vegan", envir = environment())
    x <- (as.matrix(get(name)) > 0) * 1
    for (order in c(TRUE, FALSE))
      expect_same_nodf(x, order, sprintf("%s, order = %s", name, order))
  }
})

test_that("NODF equals vegan's on random matrices", {
  skip_if_not_installed("vegan", minimum_version = "2.0")
  set.seed(20240611)
  for (i in 1:40) {
    x <- random_matrix(sample(2:40, 1), sample(2:40, 1), runif(1, 0.05, 0.9))
    for (order in c(TRUE, FALSE))
      expect_same_nodf(x, order, sprintf("random matrix %d, order = %s", i, order), near_boundary_ok = TRUE)
  }
})
