// The sample tables hold set (or record) number s at index s - 1.
#pragma once

#include <algorithm>
#include <cstddef>

namespace qalix {

inline std::size_t slot(int number) {
    return static_cast<std::size_t>(number - 1);
}

// Removes the element at `at` from the first `count` of a table: those after it move one
// place down.
template <typename Table>
void closeGap(Table& table, std::size_t at, std::size_t count) {
    std::move(table.begin() + static_cast<std::ptrdiff_t>(at + 1),
              table.begin() + static_cast<std::ptrdiff_t>(count),
              table.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace qalix
