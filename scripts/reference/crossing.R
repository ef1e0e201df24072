# Reference values for the crossing probabilities, the stage-wise inference and the exact-level
# calibration, by multivariate normal integration (mvtnorm's pmvnorm), independent of the
# program's grids. Run through regenerate.sh; writes three tables beside the tests:
#   tests/engine/crossing_reference.csv      exit probabilities, one row per case and look
#   tests/engine/calibration_reference.csv   critical values at the nominal non-binding level
#   tests/analysis/stagewise_reference.csv   G(theta), p-value, median-unbiased estimate, bounds
# The model and the integration algorithms are in mvn.R, shared with trial_analysis.R.

# Arguments: the source tree, then the tables to write (crossing, calibration, stagewise; all
# when none is named).
args <- commandArgs(trailingOnly = TRUE)
root <- if (length(args) >= 1) args[1] else "."
tables <- if (length(args) >= 2) args[-1] else c("crossing", "calibration", "stagewise")
source(file.path(root, "scripts/reference/mvn.R"))

kCalibrationGenzPoints <- 1e6  # a first root, within some 1e-4 of the z Miwa gives
kCalibrationRoughWidth <- 1e-3

# --- Crossing probabilities --------------------------------------------------------------

crossing_case <- function(name, looks, theta, i0 = 0, s0 = 0) {
  list(name = name, looks = looks, theta = theta, i0 = i0, s0 = s0)
}

theta_alt <- function(alpha, power) qnorm(1 - alpha) + qnorm(power)

four <- c(0.25, 0.5, 0.75, 1)
counts <- list(info = c(7, 13, 20, 31), upper = c(3.2, 2.7, 2.4, 2.05),
               lower = c(-0.5, 0.4, 1.0, 2.05))
counts_short <- list(info = c(7, 13, 20, 28), upper = c(3.2, 2.7, 2.4, 2.1),
                     lower = c(-0.5, 0.4, 1.0, 1.9))
unequal8 <- c(0.1, 0.22, 0.3, 0.45, 0.6, 0.72, 0.9, 1)
mixed <- list(info = c(0.3, 0.6, 1), upper = c(Inf, 2.5, 1.7), lower = c(-1, -Inf, 1.7))
close <- list(info = c(0.5, 0.9999, 1), upper = c(2.5, 2.2, 1.9), lower = c(-0.5, 0, 1.9))
conditioned <- family_looks(2.953, 0.05, four)
conditioned <- lapply(conditioned, function(v) v[3:4])
counts_after <- list(info = c(20, 31), upper = c(2.4, 2.05), lower = c(1.0, 2.05))

crossing_cases <- list(
  crossing_case("two looks, theta 0", family_looks(2.109, 0.05, c(0.5, 1)), 0),
  crossing_case("two looks, theta -1", family_looks(2.109, 0.05, c(0.5, 1)), -1),
  crossing_case("three unequal looks, large theta", family_looks(3.0, 0.025, c(0.2, 0.45, 1)), 4.5),
  crossing_case("four looks alpha .05, theta 0", family_looks(2.953, 0.05, four), 0),
  crossing_case("four looks alpha .05, alternative", family_looks(2.953, 0.05, four),
                theta_alt(0.05, 0.8)),
  crossing_case("four looks, theta 6", family_looks(2.953, 0.05, four), 6),
  crossing_case("four looks, theta -2", family_looks(2.953, 0.05, four), -2),
  crossing_case("four looks upper only, theta 0", family_looks(2.953, 0.05, four, FALSE), 0),
  crossing_case("four looks upper only, alternative", family_looks(2.953, 0.05, four, FALSE),
                theta_alt(0.05, 0.8)),
  crossing_case("eight unequal looks", family_looks(3.6, 0.05, unequal8), 2.5),
  crossing_case("eight looks upper only", family_looks(3.6, 0.05, (1:8) / 8, FALSE), 0),
  crossing_case("sixteen looks alpha .025, theta 0", family_looks(4.733, 0.025, (1:16) / 16), 0),
  crossing_case("sixteen looks upper only, alternative",
                family_looks(4.733, 0.025, (1:16) / 16, FALSE), theta_alt(0.025, 0.9)),
  crossing_case("counts 7 13 20 31, alternative", counts, 0.35),
  crossing_case("counts 7 13 20 31, negative", counts, -0.2),
  crossing_case("counts ending at 28", counts_short, 0.35),
  crossing_case("no early efficacy or futility", mixed, 1.2),
  crossing_case("looks 1e-4 apart", close, 0.4),
  crossing_case("conditioned at t 0.5", conditioned, 1.0, i0 = 0.5, s0 = 0.8 * sqrt(0.5)),
  crossing_case("conditioned at n 13", counts_after, 0.3, i0 = 13, s0 = 1.1 * sqrt(13)),
  crossing_case("conditioned at n 13, theta 0", counts_after, 0, i0 = 13, s0 = 1.1 * sqrt(13))
)

# One row: the exit probabilities of case cs at look k.
crossing_row <- function(cs, k) {
  L <- cs$looks
  none <- list(p = 0, err = 0, method = "none")
  up <- if (is.finite(L$upper[k])) {
    ending_in(L$info, L$lower, L$upper, k, L$upper[k], Inf, cs$theta, cs$i0, cs$s0)
  } else none
  lo <- if (is.finite(L$lower[k])) {
    ending_in(L$info, L$lower, L$upper, k, -Inf, L$lower[k], cs$theta, cs$i0, cs$s0)
  } else none
  data.frame(case = cs$name, looks = length(L$info), look = k, information = L$info[k],
             lower = L$lower[k], upper = L$upper[k], theta = cs$theta,
             start_information = cs$i0, start_score = cs$s0,
             upper_probability = up$p, lower_probability = lo$p,
             reference_error = max(up$err, lo$err), method = paste(up$method, lo$method))
}

# --- Calibration: the z whose upper boundaries alone are crossed with probability alpha ----

# Miwa at any number of looks (one finite limit a look), with the grid steps and errors above.
nonbinding_level <- function(a, z, t, miwa = TRUE) {
  K <- length(t)
  c <- sqrt(2 * a * t * (1 - t))
  b <- (z * t + c) / sqrt(t)
  corr <- outer(1:K, 1:K, function(i, j) sqrt(pmin(t[i], t[j]) / pmax(t[i], t[j])))
  if (miwa) {
    steps <- if (K > kMiwaManyLooks) kMiwaStepsManyLooks else kMiwaSteps
    p <- pmvnorm(upper = b, corr = corr, algorithm = Miwa(steps = steps))
    return(1 - as.numeric(p))
  }
  set.seed(kSeed)
  p <- pmvnorm(upper = b, corr = corr,
               algorithm = GenzBretz(maxpts = kCalibrationGenzPoints, abseps = kGenzAbsEps,
                                     releps = 0))
  1 - as.numeric(p)
}

# A coefficient a for each number of looks, spread over the range the program meets.
calibration_a <- function(K) round(2.109 + (4.733 - 2.109) * (K - 2) / 14, 3)

# The root by Miwa's levels; for many looks first roughly by Genz-Bretz's, so that the slow
# levels are few.
calibration_row <- function(K, alpha) {
  t <- (1:K) / K
  a <- calibration_a(K)
  z0 <- qnorm(1 - alpha)
  width <- 0.5
  if (K > kMiwaManyLooks) {
    z0 <- uniroot(function(z) nonbinding_level(a, z, t, FALSE) - alpha,
                  c(z0 - width, z0 + width), extendInt = "downX", tol = 1e-6)$root
    width <- kCalibrationRoughWidth
  }
  root <- uniroot(function(z) nonbinding_level(a, z, t) - alpha, c(z0 - width, z0 + width),
                  extendInt = "downX", tol = 1e-10)
  data.frame(looks = K, a = a, alpha = alpha, z = root$root,
             level_error = if (K > kMiwaManyLooks) kMiwaManyLooksError else 0)
}

# --- Stage-wise inference ------------------------------------------------------------------

stagewise_row <- function(name, L, k, z, calpha) {
  G <- function(theta) stagewise_tail(L, k, z, theta)
  naive <- z / sqrt(L$info[k])
  width <- 10 / sqrt(L$info[k])
  solve <- function(target) {
    uniroot(function(th) G(th) - target, c(naive - width, naive + width), extendInt = "upX",
            tol = kRootTolerance)$root
  }
  data.frame(case = name, looks = length(L$info), stop_look = k, z_observed = z,
             confidence_alpha = calpha,
             information = paste(sprintf("%.17g", L$info), collapse = " "),
             lower = paste(sprintf("%.17g", L$lower), collapse = " "),
             upper = paste(sprintf("%.17g", L$upper), collapse = " "),
             g_at_naive = G(naive), p_value = G(0), estimate = solve(0.5),
             lower_bound = solve(calpha), upper_bound = solve(1 - calpha))
}

# The family's boundaries at the looks a trial took, n of a planned N observations, on the
# scale of counts (information n, theta = mu / sigma).
family_counts <- function(a, alpha, n, N) {
  L <- family_looks(a, alpha, n / N)
  L$info <- n
  L
}

d2 <- family_looks(2.109, 0.05, c(0.5, 1))
d4 <- family_looks(2.953, 0.05, four)
d4n <- family_counts(2.953, 0.05, c(8, 14, 22, 28), 31)
d4planned <- family_counts(2.953, 0.05, c(8, 16, 23, 31), 31)
d16 <- family_looks(4.733, 0.025, (1:16) / 16)
d4upper <- family_looks(2.953, 0.05, four, FALSE)
first <- function(L, k) lapply(L, function(v) v[1:k])

stagewise_cases <- list(
  list("two looks, efficacy at look 1", d2, 1, d2$upper[1] + 0.3, 0.025),
  list("two looks, futility at look 1", first(d2, 1), 1, d2$lower[1] - 0.2, 0.025),
  list("two looks, final reject", d2, 2, 2.1, 0.025),
  list("two looks, final accept", d2, 2, 1.0, 0.025),
  list("two looks, final on the boundary", d2, 2, qnorm(0.95), 0.05),
  list("four looks, efficacy at look 2", first(d4, 2), 2, d4$upper[2] + 0.1, 0.025),
  list("four looks, futility at look 3", first(d4, 3), 3, d4$lower[3] - 0.3, 0.025),
  list("four looks, final reject", d4, 4, 2.0, 0.025),
  list("four looks, final accept", d4, 4, 1.2, 0.05),
  list("four looks upper only, final reject", d4upper, 4, 2.3, 0.025),
  list("counts 8 14 22 28 of 31, efficacy at look 3", first(d4n, 3), 3, d4n$upper[3] + 0.2, 0.025),
  list("counts 8 14 22 28 of 31, final reject", d4n, 4, 2.2, 0.025),
  list("counts 8 16 23 31 of 31, final accept", d4planned, 4, 0.9, 0.025),
  list("sixteen looks, efficacy at look 1", first(d16, 1), 1, d16$upper[1] + 0.5, 0.025),
  list("sixteen looks, efficacy at look 4", first(d16, 4), 4, d16$upper[4] + 0.05, 0.025),
  list("sixteen looks, futility at look 6", first(d16, 6), 6, d16$lower[6] - 0.1, 0.025)
)

# --- Output --------------------------------------------------------------------------------

if ("crossing" %in% tables) {
  tasks <- list()
  for (cs in crossing_cases) {
    for (k in seq_along(cs$looks$info)) tasks[[length(tasks) + 1]] <- list(cs = cs, k = k)
  }
  crossing <- in_parallel(tasks, function(task) crossing_row(task$cs, task$k))
  write_table(crossing, file.path(root, "tests/engine/crossing_reference.csv"))
}

if ("calibration" %in% tables) {
  grid <- expand.grid(alpha = c(0.005, 0.025, 0.05, 0.1), K = 2:16)
  calibration <- in_parallel(seq_len(nrow(grid)), function(i) {
    calibration_row(grid$K[i], grid$alpha[i])
  })
  write_table(calibration, file.path(root, "tests/engine/calibration_reference.csv"))
}

if ("stagewise" %in% tables) {
  stagewise <- in_parallel(stagewise_cases, function(s) do.call(stagewise_row, s))
  dir.create(file.path(root, "tests/analysis"), showWarnings = FALSE)
  write_table(stagewise, file.path(root, "tests/analysis/stagewise_reference.csv"))
}
