# The multivariate normal integrals behind every reference table (crossing.R,
# trial_analysis.R), independent of the program's grids. Sourced, not run.
#
# Model: the score S_k = Z_k sqrt(I_k) is a Brownian motion in the information I with drift
# theta, started at s0 at I0 (0 and 0 unless a case conditions on an interim). Its increments
# after I0 are independent, so Y_k = (S_k - s0) / sqrt(I_k - I0) is multivariate normal with
# mean theta sqrt(I_k - I0) and corr(Y_j, Y_k) = sqrt((I_j - I0) / (I_k - I0)), j < k, and
# Z_k in (l, u) is Y_k in ((l sqrt(I_k) - s0) / sqrt(I_k - I0), (u sqrt(I_k) - s0) / ...).
#
# Algorithms: Miwa wherever it is quick enough: up to 8 looks, and upper boundaries alone at
# any number of looks (one finite limit a look). With 512 grid steps its error is below 1e-10
# here (512 against 4096 steps differ by less on every case tried); beyond 11 looks 128 steps
# keep its time within a minute an integral, at an error up to about 1e-7 (at 14 looks 128
# steps are 7e-8 from 256, and 64 steps 6e-6), written beside those probabilities. Otherwise
# (two finite limits at more than 8 looks) Genz-Bretz with 4e7 points and a fixed seed, whose
# own error estimate (a few 1e-7 at 16 looks) is written beside each probability. The tests
# allow the written error on top of their own tolerance.
suppressPackageStartupMessages(library(mvtnorm))
library(parallel)

cores <- max(1L, min(2L, detectCores()))

kMiwaSteps <- 512
kMiwaStepsManyLooks <- 128
kMiwaManyLooksError <- 1e-7
kMiwaManyLooks <- 11
kGenzPoints <- 4e7
kGenzAbsEps <- 1e-9

kSeed <- 20240611
kRootTolerance <- 1e-12

quick_for_miwa <- function(d, two_sided) d <= 8 || two_sided == 0

# P(l_j < Y_j < u_j for each j) with its error estimate and the algorithm used.
rectangle <- function(lower, upper, mean, corr, genz_points = kGenzPoints) {
  d <- length(lower)
  if (d == 1) {
    p <- pnorm(upper - mean) - pnorm(lower - mean)
    if (lower - mean > 0) {
      p <- pnorm(lower - mean, lower.tail = FALSE) - pnorm(upper - mean, lower.tail = FALSE)
    }
    return(list(p = p, err = 0, method = "pnorm"))
  }
  two_sided <- sum(is.finite(lower) & is.finite(upper))
  if (quick_for_miwa(d, two_sided)) {
    many <- d > kMiwaManyLooks
    p <- suppressWarnings(pmvnorm(lower = lower, upper = upper, mean = mean, corr = corr,
                                  algorithm = Miwa(steps = if (many) kMiwaStepsManyLooks
                                                           else kMiwaSteps)))
    return(list(p = as.numeric(p), err = if (many) kMiwaManyLooksError else 0, method = "miwa"))
  }
  set.seed(kSeed)
  p <- pmvnorm(lower = lower, upper = upper, mean = mean, corr = corr,
               algorithm = GenzBretz(maxpts = genz_points, abseps = kGenzAbsEps, releps = 0))
  list(p = as.numeric(p), err = attr(p, "error"), method = "genzbretz")
}

# Standardised increments of looks 1..k from the start.
increments <- function(info, k, theta, i0, s0) {
  span <- info[1:k] - i0
  list(mean = theta * sqrt(span),
       corr = outer(1:k, 1:k, function(i, j) sqrt(pmin(span[i], span[j]) / pmax(span[i], span[j]))),
       scale = function(b, j) (b * sqrt(info[j]) - s0) / sqrt(span[j]))
}

# P(continue at looks 1..k-1, zlo <= Z_k <= zhi).
ending_in <- function(info, lower, upper, k, zlo, zhi, theta, i0 = 0, s0 = 0,
                      genz_points = kGenzPoints) {
  inc <- increments(info, k, theta, i0, s0)
  lo <- numeric(k)
  hi <- numeric(k)
  for (j in seq_len(k - 1)) {
    lo[j] <- inc$scale(lower[j], j)
    hi[j] <- inc$scale(upper[j], j)
  }
  lo[k] <- inc$scale(zlo, k)
  hi[k] <- inc$scale(zhi, k)
  r <- rectangle(lo, hi, inc$mean, inc$corr, genz_points)
  # Genz-Bretz gives NaN for a few upper tails, whatever its points and seed (at 14 looks of
  # the sixteen-look design under drifts 3.19 to 3.21): such a tail is then the probability of
  # continuing past look k - 1 less that of ending below zlo.
  if (is.nan(r$p) && zhi == Inf && k > 1) {
    past <- ending_in(info, lower, upper, k - 1, lower[k - 1], upper[k - 1], theta, i0, s0,
                      genz_points)
    below <- ending_in(info, lower, upper, k, -Inf, zlo, theta, i0, s0, genz_points)
    r <- list(p = past$p - below$p, err = past$err + below$err,
              method = paste(past$method, "less", below$method))
  }
  if (is.nan(r$p)) stop("no integral for look ", k, " of ", length(info))
  r
}

# The design's own boundaries on the Brownian scale, z t +- sqrt(2 a t (1 - t)), as Z values.
family_looks <- function(a, alpha, t, binding = TRUE) {
  z <- qnorm(1 - alpha)
  c <- sqrt(2 * a * t * (1 - t))
  list(info = t, upper = (z * t + c) / sqrt(t),
       lower = if (binding) (z * t - c) / sqrt(t) else rep(-Inf, length(t)))
}

# G(theta): efficacy stops before look k, and Z_k >= z at look k.
stagewise_tail <- function(L, k, z, theta) {
  g <- 0
  for (j in seq_len(k - 1)) g <- g + ending_in(L$info, L$lower, L$upper, j, L$upper[j], Inf, theta)$p
  g + ending_in(L$info, L$lower, L$upper, k, z, Inf, theta)$p
}

write_table <- function(df, path) {
  numeric <- vapply(df, is.numeric, logical(1))
  df[numeric] <- lapply(df[numeric], function(v) ifelse(is.finite(v), sprintf("%.17g", v),
                                                        ifelse(v > 0, "inf", "-inf")))
  write.csv(df, path, row.names = FALSE, quote = TRUE)
  cat("wrote", path, "(", nrow(df), "rows )\n")
}

# The integrals differ in cost by four orders, so they are handed out one at a time.
in_parallel <- function(tasks, f) {
  rows <- mclapply(tasks, f, mc.cores = cores, mc.preschedule = FALSE)
  failed <- vapply(rows, inherits, logical(1), "try-error")
  if (any(failed)) stop(rows[[which(failed)[1]]])
  do.call(rbind, rows)
}

