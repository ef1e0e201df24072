// For tests only: makes one step of the program's saves and reads fail, so that a test can
// check what the program does when a disk fills at the flush, a close fails, or a rename is
// refused. Nothing outside src/io and the tests includes this header (tests/io checks it).
#pragma once

#include "io/native_files.hpp"

namespace qalix::io::testing {

using native::Step;

// The call-th call of the step, counted from the plant, fails with the error (an errno
// value), once. Step::Read with kEndlessFile instead never reaches the end of the file, as a
// file that keeps growing while it is read.
struct PlantedFault {
    Step step;
    int error;
    int call = 1;
};
inline constexpr int kEndlessFile = -1;

// Faults stay planted until they have struck or are cleared; several may wait at once.
void plantFault(PlantedFault fault);
void clearFaults();
// The faults planted that have not struck.
int faultsWaiting();

}  // namespace qalix::io::testing
