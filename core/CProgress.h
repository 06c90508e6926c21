// How far a long read or write of a figure is, for a host that shows it (a progress dialog in
// the window); the command line passes none and shows nothing.
#pragma once

#include <cstdint>

class CProgress {
public:
    virtual ~CProgress() = default;
    // `done` units of `total`; within one operation `done` never decreases, and the operation
    // ends with done == total when it succeeds.
    virtual void report(uint64_t done, uint64_t total) = 0;
};
