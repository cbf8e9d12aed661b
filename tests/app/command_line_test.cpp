#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<std::string> args) {
  return ParseCommandLine(args);
}

TEST(CommandLine, HelpAndVersionAnswerInsteadOfOpening) {
  EXPECT_EQ(Parse({"--help"}).action, Action::kHelp);
  EXPECT_EQ(Parse({"-h"}).action, Action::kHelp);
  EXPECT_EQ(Parse({"/some/folder", "--version"}).action, Action::kVersion);
  // After "--" they are names like any other.
  CommandLine named = Parse({"--", "--help"});
  EXPECT_EQ(named.action, Action::kRun);
  EXPECT_EQ(named.command_line, "--help");
}

TEST(CommandLine, UnknownOptionsAreRefusedButDashedNamesCanBeOpened) {
  CommandLine unknown = Parse({"--frobnicate", "/pictures"});
  EXPECT_EQ(unknown.action, Action::kError);
  EXPECT_NE(unknown.error.find("'--frobnicate'"), std::string::npos);
  EXPECT_EQ(Parse({"-x"}).action, Action::kError);

  CommandLine dashed = Parse({"--headless", "--", "-x", "--script"});
  EXPECT_EQ(dashed.action, Action::kRun);
  EXPECT_TRUE(dashed.headless);
  EXPECT_EQ(dashed.script, "");
  EXPECT_EQ(dashed.command_line, "-x --script");
  EXPECT_EQ(Parse({"./-x"}).command_line, "./-x");
  EXPECT_EQ(Parse({"-"}).command_line, "-");
}

TEST(CommandLine, ScriptAndWordsAnywhere) {
  CommandLine c = Parse({"/my pictures/a.jpg", "--script", "s.txt", "--headless"});
  EXPECT_EQ(c.action, Action::kRun);
  EXPECT_EQ(c.script, "s.txt");
  EXPECT_TRUE(c.headless);
  EXPECT_EQ(c.command_line, "/my pictures/a.jpg");
  EXPECT_EQ(Parse({"--script=t.txt"}).script, "t.txt");
  EXPECT_EQ(Parse({"a", "b"}).command_line, "a b");
  EXPECT_EQ(Parse({"--script"}).action, Action::kError);
  EXPECT_EQ(Parse({"--script="}).action, Action::kError);
}

}  // namespace
}  // namespace tv
