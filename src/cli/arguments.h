// The command line of qavo-ct: a command, its files and its options.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct Arguments {
  std::string Command;
  std::vector<std::string> Files;
  std::map<std::string, std::string> Values;  // "--to" -> "v5"
  std::set<std::string> Flags;                // "--export"
  bool Help = false;

  bool Has(const std::string& option) const { return Flags.count(option) > 0 || Values.count(option) > 0; }
  // The option's value, or nullptr when it was not given.
  const std::string* Value(const std::string& option) const;
};

// Fills parsed from args (without the program name). Options take their
// value as the next argument or after "="; "--" ends the options. The empty
// text, or one line saying what is wrong. --help anywhere wins over errors.
std::string ParseArguments(const std::vector<std::string>& args, Arguments& parsed);
