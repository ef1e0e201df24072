// The uniform numbers behind simulated observations: a 64-bit Mersenne twister, seeded
// afresh for every simulation, and uniforms strictly inside (0, 1), whose normal quantiles
// are all finite.
#pragma once

#include <cstdint>
#include <random>

namespace qalix {

// A generator seeded from both words: the seed and the number of the simulation it serves.
std::mt19937_64 seededGenerator(std::uint64_t seed, std::uint64_t simulation);

// Uniform in the open interval (0, 1): the top 52 bits of one draw, centred in their cell,
// so the values run from 2^-53 to 1 - 2^-53 and are never 0 or 1.
double openUniform(std::mt19937_64& generator);

}  // namespace qalix
