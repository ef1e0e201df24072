# Reference values for the analysis of the looks a trial took, by multivariate normal integration
# (mvn.R). Run through regenerate.sh; writes tests/analysis/trial_analysis_reference.csv, one row
# per case and look: the look's time, boundaries, decision and, while the trial continues, its
# conditional powers and discordance; and on every row of a case its stage-wise inference (once
# the trial ended) and the design's level and power at the times used.
#
# On group sizes a look of n observations has t = n / M, and n >= M is the final look (t = 1);
# the design's last look is its final analysis (t = 1) whatever its n or t, its information as
# it came;
# the inference and the conditional power work in observations (information n, drift
# mu / sigma per observation). On information time a look is t and Z, with information t.
# The looks to come after the k-th are the design's looks k + 1 .. K at their planned times, those
# after the k-th look's own time. power_error and design_error are the integration errors of the
# conditional powers and of the level and power at the times used (Genz-Bretz's own estimate
# for the sixteen-look design, 0 for Miwa and closed forms).

args <- commandArgs(trailingOnly = TRUE)
root <- if (length(args) >= 1) args[1] else "."
source(file.path(root, "scripts/reference/mvn.R"))

# A design: z the final critical value, a the boundary coefficient, alternative the drift of
# S = Z sqrt(t) on [0, 1]; on group sizes (M > 0) also sigma.
design <- function(z, a, times, alternative, M = 0, sigma = 1) {
  list(on_time = M == 0, z = z, a = a, times = times, alternative = alternative, M = M,
       sigma = sigma)
}

bounds <- function(d, t) {
  half <- ifelse(t < 1, sqrt(2 * d$a * t * (1 - t)), 0)
  up <- d$z * t + half
  lo <- d$z * t - half
  list(upper_s = up, lower_s = lo, upper_z = up / sqrt(t), lower_z = lo / sqrt(t))
}

# A look as the user gives it: n with a sum, mean or Z on group sizes; t and Z on time.
sized <- function(n, input, value) list(n = n, t = NA, input = input, value = value)
timed <- function(t, z) list(n = NA, t = t, input = "z", value = z)

look_values <- function(d, lk, k) {
  last <- k == length(d$times)
  if (d$on_time) {
    t <- if (last) 1 else lk$t
    info <- lk$t
    z <- lk$value
  } else {
    n <- lk$n
    t <- if (n >= d$M || last) 1 else n / d$M
    info <- n
    z <- switch(lk$input, sum = lk$value / (d$sigma * sqrt(n)),
                mean = lk$value * sqrt(n) / d$sigma, z = lk$value)
  }
  b <- bounds(d, t)
  s <- z * sqrt(t)
  decision <- if (t >= 1) {
    if (z >= d$z) "reject" else "accept"
  } else if (s >= b$upper_s) "efficacy" else if (s <= b$lower_s) "futility" else "continue"
  c(list(t = t, info = info, z = z, decision = decision), b)
}

to_come <- function(d, taken, t) {
  d$times[seq_along(d$times) > taken & d$times > t]
}

# The sum of P(continue before j, Z_j >= upper_j) over the looks at times, on the design's
# boundaries, from the start (i0, s0): one integral a look.
upper_integrals <- function(d, times, info, theta, i0 = 0, s0 = 0) {
  force(info); force(theta); force(i0); force(s0)  # the callers' loop variables move on
  b <- bounds(d, times)
  lapply(seq_along(times), function(j) {
    function() ending_in(info, b$lower_z, b$upper_z, j, b$upper_z[j], Inf, theta, i0, s0)
  })
}

# Stage-wise inference at the end, on the scale of the mean: roots of G as crossing.R takes
# them. Every case stops within 8 looks, where Miwa's error is negligible.
inference <- function(d, values, confidence) {
  k <- length(values)
  if (k > 8) stop("an inference beyond Miwa's reach")
  L <- list(info = sapply(values, `[[`, "info"), lower = sapply(values, `[[`, "lower_z"),
            upper = sapply(values, `[[`, "upper_z"))
  z <- values[[k]]$z
  G <- function(theta) stagewise_tail(L, k, z, theta)
  se <- 1 / sqrt(L$info[k])
  solve <- function(target) {
    uniroot(function(th) G(th) - target, z * se + c(-10, 10) * se, extendInt = "upX",
            tol = kRootTolerance)$root
  }
  calpha <- (1 - confidence) / 2
  q <- qnorm(1 - calpha)
  scale <- if (d$on_time) 1 else d$sigma
  c(p_value = G(0), estimate = solve(0.5) * scale, lower_bound = solve(calpha) * scale,
    upper_bound = solve(1 - calpha) * scale, naive_p_value = pnorm(z, lower.tail = FALSE),
    naive_mean = z * se * scale, naive_lower = (z - q) * se * scale,
    naive_upper = (z + q) * se * scale)
}

d2 <- design(1.6448536, 2.109, c(0.5, 1), 2.5, M = 40)
d2t <- design(1.6448536, 2.109, c(0.5, 1), 2.5)
d4 <- design(1.6448536, 2.9457910064901123, c(0.24, 0.48, 0.72, 1), 2.5, M = 25)
d4sigma <- modifyList(d4, list(sigma = 2.5))
d4t <- design(1.6448536, 2.953, c(0.25, 0.5, 0.75, 1), 2.5)
d16 <- design(1.9599640, 4.06, (1:16) / 16, 3.2, M = 80)
d16t <- design(1.9599640, 4.06, (1:16) / 16, 3.2)

# Each case with the decisions its looks must give, so that it tests what its name says.
trial <- function(name, d, looks, decisions, confidence = 0.95) {
  list(name = name, d = d, looks = looks, decisions = decisions, confidence = confidence)
}

cases <- list(
  trial("two looks on sizes, efficacy at look 1", d2, list(sized(20, "sum", 13)), "efficacy"),
  trial("two looks on sizes, reject at 43 of 40", d2,
        list(sized(20, "mean", 0.3), sized(43, "mean", 0.3)), c("continue", "reject")),
  trial("two looks on sizes, a first look at 17, accept at 40", d2,
        list(sized(17, "z", 0.4), sized(40, "z", 1.2)), c("continue", "accept")),
  trial("two looks on time, a late first look, reject", d2t, list(timed(0.6, 1.2), timed(1, 1.9)),
        c("continue", "reject")),
  trial("four looks on sizes at the planned sizes, reject", d4,
        list(sized(6, "sum", 2), sized(12, "sum", 5), sized(18, "sum", 8.5), sized(25, "sum", 9)),
        c("continue", "continue", "continue", "reject")),
  trial("four looks on sizes, efficacy at look 3 of 19", d4,
        list(sized(7, "mean", 0.2), sized(13, "mean", 0.35), sized(19, "mean", 0.65)),
        c("continue", "continue", "efficacy"), confidence = 0.9),
  trial("four looks on sizes, futility at look 2", d4, list(sized(6, "z", 0.2), sized(12, "z", -0.8)),
        c("continue", "futility")),
  trial("four looks on sizes, an interim at 23, accept at 26", d4,
        list(sized(6, "z", 0.5), sized(12, "z", 1), sized(23, "z", 1.5), sized(26, "z", 1.4)),
        c("continue", "continue", "continue", "accept")),
  trial("four looks on sizes, reject at 27", d4,
        list(sized(6, "z", 0.6), sized(12, "z", 1.1), sized(18, "z", 1.3), sized(27, "z", 2)),
        c("continue", "continue", "continue", "reject")),
  trial("four looks on sizes, running after an early first look", d4, list(sized(5, "mean", 0.4)),
        "continue"),
  trial("four looks on sizes, the last at 22 of 25 is the final analysis", d4,
        list(sized(6, "z", 0.5), sized(12, "z", 1), sized(18, "z", 1.2), sized(22, "z", 1.8)),
        c("continue", "continue", "continue", "reject")),
  trial("four looks on time, the last at 0.9 is the final analysis", d4t,
        list(timed(0.25, 0.4), timed(0.5, 0.9), timed(0.75, 1.2), timed(0.9, 1.5)),
        c("continue", "continue", "continue", "accept")),
  trial("four looks on sizes, sigma 2.5, efficacy at look 2", d4sigma,
        list(sized(6, "sum", 6), sized(13, "sum", 27)), c("continue", "efficacy")),
  trial("four looks on time, efficacy at look 1", d4t, list(timed(0.25, 3.2)), "efficacy"),
  trial("four looks on time, futility at look 3", d4t,
        list(timed(0.3, 0.3), timed(0.55, 0.6), timed(0.8, 0.2)),
        c("continue", "continue", "futility")),
  trial("four looks on time, running after an early second look", d4t,
        list(timed(0.25, 0.5), timed(0.45, 1.4)), c("continue", "continue")),
  trial("sixteen looks on time, efficacy at look 1", d16t, list(timed(0.0625, 3.6)), "efficacy"),
  trial("sixteen looks on time, efficacy at look 2", d16t,
        list(timed(0.5, 1.8), timed(0.6875, 3.3)), c("continue", "efficacy")),
  trial("sixteen looks on time, futility at look 2", d16t,
        list(timed(0.5625, 0.9), timed(0.75, 0)), c("continue", "futility")),
  trial("sixteen looks on sizes, efficacy at look 1", d16, list(sized(5, "z", 3.5)), "efficacy"),
  trial("sixteen looks on sizes, running at 44 and 61", d16,
        list(sized(44, "mean", 0.15), sized(61, "mean", 0.25)), c("continue", "continue"))
)

# --- The integrals, handed out one at a time -----------------------------------------------

prepared <- lapply(cases, function(cs) {
  cs$values <- lapply(seq_along(cs$looks), function(k) look_values(cs$d, cs$looks[[k]], k))
  got <- vapply(cs$values, `[[`, "", "decision")
  if (!identical(got, cs$decisions)) stop(cs$name, ": decisions ", paste(got, collapse = " "))
  last <- cs$values[[length(got)]]
  later <- if (last$t < 1) to_come(cs$d, length(got), last$t) else numeric(0)
  # The design at the times used, on the information of the inference: the looks taken as
  # they came, those to come at their planned times.
  cs$times_used <- c(sapply(cs$values, `[[`, "t"), later)
  cs$info_used <- c(sapply(cs$values, `[[`, "info"), if (cs$d$on_time) later else later * cs$d$M)
  cs
})

# Each task one integral (its cost rising with its dimension j) or one case's inference.
tasks <- list()
add <- function(key, fs, cost = seq_along(fs)) {
  for (j in seq_along(fs)) tasks[[length(tasks) + 1]] <<- list(key = key, cost = cost[j], f = fs[[j]])
}
# The design at the times used, once for each distinct one.
design_key <- function(cs, theta) {
  paste(cs$d$z, cs$d$a, theta, paste(sprintf("%.17g", cs$times_used), collapse = " "),
        paste(sprintf("%.17g", cs$info_used), collapse = " "))
}
# The drift per unit of the inference's information: mu / sigma on group sizes.
per_information <- function(d, drift) if (d$on_time) drift else drift / sqrt(d$M)
for (cs in prepared) {
  for (theta in c(0, cs$d$alternative)) {
    key <- design_key(cs, theta)
    if (!any(vapply(tasks, function(t) identical(t$key, key), TRUE))) {
      add(key, upper_integrals(cs$d, cs$times_used, cs$info_used,
                               per_information(cs$d, theta)))
    }
  }
}
for (cs in prepared) {
  d <- cs$d
  for (k in seq_along(cs$values)) {
    v <- cs$values[[k]]
    if (v$decision != "continue") next
    times <- to_come(d, k, v$t)
    info <- if (d$on_time) times else times * d$M
    drift <- c(alternative = if (d$on_time) d$alternative else d$alternative / sqrt(d$M),
               estimate = v$z / sqrt(v$info))
    for (which in names(drift)) {
      add(paste(cs$name, k, which),
          upper_integrals(d, times, info, drift[[which]], v$info, v$z * sqrt(v$info)))
    }
  }
  if (cs$values[[length(cs$values)]]$decision != "continue") {
    add(paste(cs$name, "inference"), list(local({
      cs0 <- cs
      function() inference(cs0$d, cs0$values, cs0$confidence)
    })), cost = 9)
  }
}

started <- Sys.time()
# The costliest first, so that both cores stay busy to the end.
by_cost <- order(-vapply(tasks, `[[`, 0, "cost"))
results <- mclapply(tasks[by_cost], function(t) t$f(), mc.cores = cores, mc.preschedule = FALSE)
failed <- vapply(results, inherits, logical(1), "try-error")
if (any(failed)) stop(results[[which(failed)[1]]])
results[by_cost] <- results

total <- function(key) {
  parts <- results[vapply(tasks, function(t) identical(t$key, key), TRUE)]
  list(p = sum(vapply(parts, `[[`, 0, "p")), err = sum(vapply(parts, `[[`, 0, "err")))
}

# --- Output --------------------------------------------------------------------------------

rows <- list()
for (cs in prepared) {
  d <- cs$d
  level <- total(design_key(cs, 0))
  power <- total(design_key(cs, d$alternative))
  ended <- cs$values[[length(cs$values)]]$decision != "continue"
  final <- if (ended) results[[which(vapply(tasks, function(t) {
    identical(t$key, paste(cs$name, "inference"))
  }, TRUE))]] else NULL
  for (k in seq_along(cs$values)) {
    v <- cs$values[[k]]
    lk <- cs$looks[[k]]
    going <- v$decision == "continue"
    pa <- if (going) total(paste(cs$name, k, "alternative")) else list(p = NA, err = 0)
    pe <- if (going) total(paste(cs$name, k, "estimate")) else list(p = NA, err = 0)
    row <- data.frame(
      case = cs$name, on_information_time = as.integer(d$on_time), max_size = d$M,
      sigma = d$sigma, z = d$z, a = d$a,
      planned_times = paste(sprintf("%.17g", d$times), collapse = " "),
      alternative = d$alternative, confidence = cs$confidence, look = k, n = lk$n,
      time = lk$t, input = lk$input, value = lk$value,
      t = v$t, z_look = v$z, upper_z = v$upper_z, lower_z = v$lower_z, upper_s = v$upper_s,
      lower_s = v$lower_s, decision = v$decision, power_alternative = pa$p,
      power_estimate = pe$p,
      discordance = if (going) pnorm(-abs(v$z * sqrt(v$t) - d$z * v$t) / sqrt(1 - v$t)) else NA,
      power_error = max(pa$err, pe$err),
      times_used = paste(sprintf("%.17g", cs$times_used), collapse = " "),
      level_at_times_used = level$p, power_at_times_used = power$p,
      design_error = max(level$err, power$err))
    names_final <- c("p_value", "estimate", "lower_bound", "upper_bound", "naive_p_value",
                     "naive_mean", "naive_lower", "naive_upper")
    for (name in names_final) row[[name]] <- if (ended) final[[name]] else NA
    rows[[length(rows) + 1]] <- row
  }
}
write_table(do.call(rbind, rows), file.path(root, "tests/analysis/trial_analysis_reference.csv"))
cat(length(tasks), "integrals and inferences in", format(Sys.time() - started), "\n")
