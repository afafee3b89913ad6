#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace {

std::string Parse(const std::vector<std::string>& args, Arguments& parsed) { return ParseArguments(args, parsed); }

TEST(ParseArguments, OptionsTakeValuesEitherWay) {
  Arguments parsed;
  EXPECT_EQ(Parse({"convert", "--to=v5", "a.tab", "--name", "DIN", "b.qct", "--export"}, parsed), "");
  EXPECT_EQ(parsed.Command, "convert");
  EXPECT_EQ(parsed.Files, (std::vector<std::string>{"a.tab", "b.qct"}));
  EXPECT_EQ(*parsed.Value("--to"), "v5");
  EXPECT_EQ(*parsed.Value("--name"), "DIN");
  EXPECT_TRUE(parsed.Has("--export"));
  EXPECT_FALSE(parsed.Has("--import"));
  EXPECT_EQ(parsed.Value("--codepage"), nullptr);
}

TEST(ParseArguments, DoubleDashEndsTheOptions) {
  Arguments parsed;
  EXPECT_EQ(Parse({"translate", "--table", "t.tab", "--", "--in", "-"}, parsed), "");
  EXPECT_EQ(parsed.Files, (std::vector<std::string>{"--in", "-"}));
}

TEST(ParseArguments, HelpWinsOverEverything) {
  Arguments parsed;
  EXPECT_EQ(Parse({"frob", "--bogus", "-h"}, parsed), "");
  EXPECT_TRUE(parsed.Help);
  EXPECT_EQ(Parse({"help"}, parsed), "");
  EXPECT_TRUE(parsed.Help);
}

TEST(ParseArguments, Refusals) {
  Arguments parsed;
  EXPECT_EQ(Parse({}, parsed), "Befehl fehlt (convert, show, check, build, translate, identify, compare)");
  EXPECT_EQ(Parse({"frob"}, parsed), "unbekannter Befehl frob");
  EXPECT_EQ(Parse({"show", "--bogus", "a"}, parsed), "unbekannte Option --bogus");
  EXPECT_EQ(Parse({"show", "a", "--name"}, parsed), "Option --name braucht einen Wert");
  EXPECT_EQ(Parse({"show", "a", "--export=1"}, parsed), "Option --export nimmt keinen Wert");
  EXPECT_EQ(Parse({"convert", "a", "b", "--to", "c", "--to=v3"}, parsed), "Option --to ist doppelt angegeben");
  EXPECT_EQ(Parse({"show", "a", "--codepage", "273"}, parsed), "Option --codepage gibt es bei show nicht");
  EXPECT_EQ(Parse({"build", "--swap-nl", "--codepage", "273", "--name", "x", "o"}, parsed),
            "Option --name gibt es bei build nicht");
  EXPECT_EQ(Parse({"show", "a", "--export", "--import"}, parsed), "--export und --import schließen einander aus");
  EXPECT_EQ(Parse({"convert", "a"}, parsed), "zu wenige Dateien (Aufruf: qavo-ct convert EIN AUS [--to FORMAT])");
  EXPECT_EQ(Parse({"check", "a", "b"}, parsed), "zu viele Dateien (Aufruf: qavo-ct check DATEI)");
}

}  // namespace
