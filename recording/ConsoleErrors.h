// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <source_location>
#include <stdexcept>

namespace dravemo {

// Misuse of the console runner: executing twice, sending while idle, no command line.
class EConsoleRunner : public std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The runner's pipes could not be made.
class ECreatePipeError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The child process could not be started.
class ECreateProcessError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};
// The one-second tick could not be started or stopped.
class EProcessTimer : public std::runtime_error {
    using std::runtime_error::runtime_error;
};
// A condition the runner relies on did not hold (a failed write to the child, say).
class EAssertionFailed : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The error's class name as the error report shows it ("ECreateProcessError").
QString ErrorClassName(const std::exception& error);

// Throws EAssertionFailed "Assertion failure (<file>, line <n>)" for the caller's position.
[[noreturn]] void AssertionFailure(std::source_location where = std::source_location::current());

}  // namespace dravemo
