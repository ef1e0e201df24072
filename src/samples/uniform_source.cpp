#include "samples/uniform_source.hpp"

#include <array>

namespace qalix {

namespace {

constexpr int kWordBits = 32;
constexpr std::uint64_t kLowWord = 0xffffffffu;
constexpr int kUniformBits = 52;
constexpr int kDroppedBits = 64 - kUniformBits;
constexpr double kCellWidth = 0x1p-52;  // 2^-kUniformBits
constexpr double kCellCentre = 0.5;     // in cells: keeps the uniform off 0 and 1

}  // namespace

std::mt19937_64 seededGenerator(std::uint64_t seed, std::uint64_t simulation) {
    const std::array<std::uint32_t, 4> words = {
        static_cast<std::uint32_t>(seed & kLowWord), static_cast<std::uint32_t>(seed >> kWordBits),
        static_cast<std::uint32_t>(simulation & kLowWord),
        static_cast<std::uint32_t>(simulation >> kWordBits)};
    std::seed_seq sequence(words.begin(), words.end());
    return std::mt19937_64(sequence);
}

double openUniform(std::mt19937_64& generator) {
    const std::uint64_t cell = generator() >> kDroppedBits;
    return (static_cast<double>(cell) + kCellCentre) * kCellWidth;
}

}  // namespace qalix
