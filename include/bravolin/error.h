// The exception types of the library: what the caller gave cannot be
// analysed, and the message says why and what to do about it; or the
// caller stopped an analysis.
#ifndef BRAVOLIN_ERROR_H
#define BRAVOLIN_ERROR_H

#include <stdexcept>
#include <string>

namespace bravolin {

// Thrown for a matrix over the size limit, a cell that is neither 0 nor 1,
// names of the wrong length and other values outside what the analyses
// take. Running out of memory is std::bad_alloc, as anywhere in C++.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Thrown by an analysis given a stop flag when the flag is set while it
// runs: it gave up at once, and has no result.
class Stopped : public std::runtime_error {
public:
    Stopped() : std::runtime_error("the analysis was stopped") {}
};

}  // namespace bravolin

#endif
