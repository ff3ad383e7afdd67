# Runs the package's tests (R CMD check runs this file).
library(testthat)
library(bravolin)

test_check("bravolin")
