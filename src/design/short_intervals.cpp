#include "design/short_intervals.hpp"

#include <array>
#include <memory>

#include "engine/absorption.hpp"
#include "engine/discordance.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// The least length is found to this resolution, and shown with the decimals of the times.
constexpr int kBisections = 14;
constexpr int kLengthDecimals = 4;

using Times = std::array<double, kMaxLooks>;

// The interval that ends at look k (from 0 for the first look).
double lengthBefore(const Times& t, int k) {
    return t[static_cast<std::size_t>(k - 1)] - (k == 1 ? 0.0 : t[static_cast<std::size_t>(k - 2)]);
}

int shortestLook(const Times& t, int K) {
    int shortest = 1;
    for (int k = 2; k <= K; ++k) {
        if (lengthBefore(t, k) < lengthBefore(t, shortest)) shortest = k;
    }
    return shortest;
}

// The times with the interval before look k lengthened to `length` by moving the end that can
// move: look k's own time, or for the last look the time of the look before it.
Times withLength(Times t, int k, int K, double length) {
    if (k == K) {
        t[static_cast<std::size_t>(K - 2)] = 1.0 - length;
    } else {
        t[static_cast<std::size_t>(k - 1)] =
            (k == 1 ? 0.0 : t[static_cast<std::size_t>(k - 2)]) + length;
    }
    return t;
}

// Longest the interval can be made: up to where it is as long as its neighbour.
double room(const Times& t, int k, int K) {
    const int neighbour = k == K ? K - 1 : k + 1;
    return (lengthBefore(t, k) + lengthBefore(t, neighbour)) / 2.0;
}

bool computes(double a, double drift, int n, int K, const Times& t) {
    auto table = std::make_unique<ContinuationTable>();
    LATN(a, table->data(), n, K, t.data());
    return stopsSurely(stoppingMasses(a, drift, table->data(), n, K, t.data()), K);
}

std::string intervalName(int k, int K) {
    if (k == 1) return "The first look's information time lies";
    if (k == K) return "The last two looks lie";
    return "Looks " + std::to_string(k - 1) + " and " + std::to_string(k) + " lie";
}

}  // namespace

std::optional<std::string> shortIntervalMessage(double a, double drift, int n, int K,
                                                const double* times) {
    Times t{};
    for (int k = 0; k < K; ++k)
        t[static_cast<std::size_t>(k)] = times[k];
    const int k = shortestLook(t, K);
    std::string message = intervalName(k, K) + " too close " + (k == 1 ? "to 0" : "together") +
                          " for the program's integration grid (an interval of " +
                          trimmed(formatF(lengthBefore(t, k), 8, kLengthDecimals)) + ")";
    double bad = lengthBefore(t, k);
    double good = room(t, k, K);
    if (!(good > bad) || !computes(a, drift, n, K, withLength(t, k, K, good))) return std::nullopt;
    for (int i = 0; i < kBisections; ++i) {
        const double middle = (bad + good) / 2.0;
        (computes(a, drift, n, K, withLength(t, k, K, middle)) ? good : bad) = middle;
    }
    return message + ": with a = " + trimmed(formatF(a, 8, kLengthDecimals)) +
           " the shortest interval it computes there is about " +
           trimmed(formatF(good, 8, kLengthDecimals)) + ".";
}

}  // namespace qalix
