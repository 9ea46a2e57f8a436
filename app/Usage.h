#pragma once
// The two informative arguments of Kel, answered before any window system is opened:
// "Kel --help" prints the usage in French, "Kel --version" the version.

#include <iosfwd>

namespace quilmo {

// When the command line is exactly one of the two arguments, prints the answer to `out` and
// returns the process's exit code (0); otherwise prints nothing and returns -1, and the
// program starts as usual.
int AnswerInformativeArguments(int argc, const char* const* argv, std::ostream& out);

// The same on the standard output, for main().
int AnswerInformativeArguments(int argc, const char* const* argv);

}  // namespace quilmo
