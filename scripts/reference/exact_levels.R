# The levels of designs at an exact level, from the boundaries the program printed for them
# (tests/cli/exact_levels/boundaries.csv, written by exact_levels.sh), by multivariate normal
# integration (mvn.R): the probability under the mean 0 of crossing an upper boundary at some
# look, with the futility boundaries obeyed (binding) and ignored (non-binding). Writes
# tests/cli/exact_levels/reference.csv, one row a design, with the integration error beside
# each level (Genz-Bretz's own estimate, or Miwa's bound beyond 11 looks).

args <- commandArgs(trailingOnly = TRUE)
root <- if (length(args) >= 1) args[1] else "."
source(file.path(root, "scripts/reference/mvn.R"))

# Fewer points than the other tables: the levels are checked to 2e-5, and these errors stay
# near 1e-6.
kLevelGenzPoints <- 4e6

bounds <- read.csv(file.path(root, "tests/cli/exact_levels/boundaries.csv"),
                   stringsAsFactors = FALSE)

level_of <- function(t, lower, upper, binding) {
  if (!binding) lower <- rep(-Inf, length(t))
  total <- 0
  err <- 0
  for (k in seq_along(t)) {
    r <- ending_in(t, lower, upper, k, upper[k], Inf, 0, genz_points = kLevelGenzPoints)
    total <- total + r$p
    err <- err + r$err
  }
  c(level = total, error = err)
}

design_row <- function(name) {
  b <- bounds[bounds$case == name, ]
  b <- b[order(b$look), ]
  t <- b$t
  lower <- b$lower_s / sqrt(t)
  upper <- b$upper_s / sqrt(t)
  binding <- level_of(t, lower, upper, TRUE)
  nonbinding <- level_of(t, lower, upper, FALSE)
  data.frame(case = name, alpha = b$alpha[1], level = b$level[1],
             binding = binding[["level"]], binding_error = binding[["error"]],
             nonbinding = nonbinding[["level"]], nonbinding_error = nonbinding[["error"]],
             stringsAsFactors = FALSE)
}

cases <- unique(bounds$case)
rows <- in_parallel(cases, design_row)
write_table(rows, file.path(root, "tests/cli/exact_levels/reference.csv"))
