#include "cli/arguments.h"

#include <algorithm>

namespace {

struct CommandForm {
  const char* Name;
  size_t FileCount;
  std::vector<std::string> Options;
  const char* Usage;
};

const std::vector<CommandForm>& Commands() {
  static const std::vector<CommandForm> kCommands = {
      {"convert", 2, {"--to", "--export", "--import", "--name", "--workstation"}, "convert EIN AUS [--to FORMAT]"},
      {"show", 1, {"--export", "--import", "--name"}, "show DATEI"},
      {"check", 1, {"--export", "--import", "--name"}, "check DATEI"},
      {"build",
       1,
       {"--codepage", "--ucm", "--workstation", "--swap-nl", "--to", "--export", "--import"},
       "build --codepage NR|--ucm DATEI AUS"},
      {"translate", 2, {"--table", "--export", "--import"}, "translate --table DATEI EIN AUS"},
      {"identify", 1, {"--workstation", "--name"}, "identify PAAR"},
      {"compare", 1, {"--codepage", "--workstation", "--swap-nl", "--name"}, "compare PAAR --codepage NR"},
  };
  return kCommands;
}

const std::set<std::string> kValueOptions = {"--to", "--name", "--codepage", "--workstation", "--table", "--ucm"};
const std::set<std::string> kFlagOptions = {"--export", "--import", "--swap-nl"};

const CommandForm* FindCommand(const std::string& name) {
  for (const CommandForm& form : Commands())
    if (name == form.Name) return &form;
  return nullptr;
}

std::string ReadOptions(const std::vector<std::string>& args, Arguments& parsed) {
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-' || arg == "-") {
      if (parsed.Command.empty())
        parsed.Command = arg;
      else
        parsed.Files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const std::string option = arg.substr(0, equals);
    if (parsed.Has(option)) return "Option " + option + " ist doppelt angegeben";
    if (kFlagOptions.count(option)) {
      if (equals != std::string::npos) return "Option " + option + " nimmt keinen Wert";
      parsed.Flags.insert(option);
    } else if (kValueOptions.count(option)) {
      if (equals != std::string::npos)
        parsed.Values[option] = arg.substr(equals + 1);
      else if (i + 1 < args.size())
        parsed.Values[option] = args[++i];
      else
        return "Option " + option + " braucht einen Wert";
    } else {
      return "unbekannte Option " + option;
    }
  }
  return std::string();
}

}  // namespace

const std::string* Arguments::Value(const std::string& option) const {
  const auto found = Values.find(option);
  return found == Values.end() ? nullptr : &found->second;
}

std::string ParseArguments(const std::vector<std::string>& args, Arguments& parsed) {
  parsed = Arguments();
  parsed.Help =
      std::any_of(args.begin(), args.end(), [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
  if (parsed.Help) return std::string();
  const std::string error = ReadOptions(args, parsed);
  if (!error.empty()) return error;
  if (parsed.Command == "help") {
    parsed.Help = true;
    return std::string();
  }
  if (parsed.Command.empty()) return "Befehl fehlt (convert, show, check, build, translate, identify, compare)";
  const CommandForm* form = FindCommand(parsed.Command);
  if (!form) return "unbekannter Befehl " + parsed.Command;
  const std::string usage = std::string(" (Aufruf: qavo-ct ") + form->Usage + ")";
  std::vector<std::string> given(parsed.Flags.begin(), parsed.Flags.end());
  for (const auto& value : parsed.Values) given.push_back(value.first);
  for (const std::string& option : given)
    if (std::find(form->Options.begin(), form->Options.end(), option) == form->Options.end())
      return "Option " + option + " gibt es bei " + form->Name + " nicht";
  if (parsed.Has("--export") && parsed.Has("--import")) return "--export und --import schließen einander aus";
  if (parsed.Files.size() < form->FileCount) return "zu wenige Dateien" + usage;
  if (parsed.Files.size() > form->FileCount) return "zu viele Dateien" + usage;
  return std::string();
}
