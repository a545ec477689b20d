#pragma once
// dalvex-cli: opens a sketch file or starts from the default project, applies the options through the same
// Project operations the desktop program uses, and prints or writes the result.
#include <iosfwd>
#include <string>
#include <vector>

namespace dalvex::cli {

// 5: the journal's check found problems (or the journal is damaged).
enum ExitCode : int { kExitOk = 0, kExitUsage = 2, kExitFile = 3, kExitRefused = 4, kExitJournal = 5 };

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace dalvex::cli
