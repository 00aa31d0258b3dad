#pragma once
// The exit statuses of orbelle-cli and its one-line error report.

#include <string>

namespace orbelle::cli {

/// The output could not be written.
constexpr int kWriteFailed = 1;
/// The command line or its input was refused before any work.
constexpr int kRefused = 2;

/// Writes "orbelle-cli: message" as one line on standard error; returns status.
int fail(int status, const std::string& message);

/// Flushes standard output. Returns 0 when everything written to it got
/// through; otherwise reports "cannot write WHAT: reason" and returns
/// kWriteFailed.
int finishStandardOutput(const std::string& what);

/// Writes text to standard output and finishes it; a failure is reported as
/// finishStandardOutput reports it, with the reason of the write that failed.
int writeStandardOutput(const std::string& text, const std::string& what);

} // namespace orbelle::cli
