// The commands of qavo-ct. Each writes its result to out and at most one
// line per problem to err, and returns the exit code.
#pragma once

#include <ostream>
#include <string>
#include <vector>

enum ExitCode : int {
  kExitOk = 0,
  kExitFindings = 1,  // check found the pair not clean
  kExitUsage = 2,     // bad arguments
  kExitInput = 3,     // input unreadable, not recognised, or without the table needed
  kExitOutput = 4,    // output could not be written
};

// args without the program name.
int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string HelpText();
// The EBCDIC code pages build offers here, separated by blanks.
std::string CodePageList();
