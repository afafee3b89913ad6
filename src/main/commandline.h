// qcte's command line: table files to load, or an option that is answered
// on the terminal without opening a window.
#pragma once

#include <string>
#include <vector>

// Answers --help and --version on standard output, and an unknown option on
// standard error; true when the command line was answered and the program
// ends with exitCode. Nothing after "--" is an option.
bool AnswerCommandLine(int argc, char** argv, int& exit_code);

// The files of the command line: the arguments after the program's name,
// without the first "--".
std::vector<std::string> FileArguments(int argc, char** argv);
