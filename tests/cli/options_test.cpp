// The command line's arguments: what each accepted vector asks for, and the reason a bad
// one is refused.
#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallowmere::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CliOptions, CommandsAndHelpTopics) {
  const struct {
    Args args;
    Command command;
    std::string topic;
  } cases[] = {
      {{"--help"}, Command::Help, ""},
      {{"-h"}, Command::Help, ""},
      {{"--help", "generate"}, Command::Help, ""},
      {{"generate", "--help"}, Command::Help, "generate"},
      {{"generate", "--out", "a.xls", "-h"}, Command::Help, "generate"},
      {{"generate", "--frobnicate", "--help"}, Command::Help, "generate"},  // help before any check
      {{"picture", "-h"}, Command::Help, "picture"},
      {{"--version"}, Command::Version, ""},
      {{"generate", "--out", "a.xls"}, Command::Generate, ""},
      {{"picture", "in.xls", "out.bmp"}, Command::Picture, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.command, c.command);
    EXPECT_EQ(line.helpTopic, c.topic);
  }
}

TEST(CliOptions, GenerateTakesEachFlagsValues) {
  const GenerateOptions all =
      ParseCommandLine({"generate",       "--company", "",        "--by-month", "2013",  "x",         "--out",
                        "a.pdf",          "--picture", "p.bmp",   "--items",    "i.txt", "--amounts", "a.csv",
                        "--opening-cash", "-5",        "--week1", "2027-01-04", "--out", "b.xlsx"})
          .generate;
  EXPECT_EQ(all.out, "b.xlsx");  // the last of a repeated flag counts
  EXPECT_EQ(all.picture, "p.bmp");
  EXPECT_EQ(all.company, "");  // given, though empty: it replaces the stored name
  EXPECT_EQ(all.mode, PeriodMode::Month);
  EXPECT_EQ(all.first, "2013");
  EXPECT_EQ(all.last, "x");  // years are checked as the window checks them, not here
  EXPECT_EQ(all.items, "i.txt");
  EXPECT_EQ(all.amounts, "a.csv");
  EXPECT_EQ(all.openingCash, "-5");
  EXPECT_EQ(all.week1, "2027-01-04");

  const GenerateOptions bare = ParseCommandLine({"generate", "--out", "a.xls"}).generate;
  EXPECT_FALSE(bare.company || bare.mode || bare.openingCash || bare.week1);
  EXPECT_TRUE(bare.picture.empty() && bare.items.empty() && bare.amounts.empty());

  const GenerateOptions weeks = ParseCommandLine({"generate", "--by-week", "7", "--out", "a.xls"}).generate;
  EXPECT_EQ(weeks.mode, PeriodMode::Week);
  EXPECT_EQ(weeks.weeks, "7");
  EXPECT_EQ(ParseCommandLine({"generate", "--out", "a", "--by-year", "1", "2"}).generate.mode, PeriodMode::Year);

  const PictureOptions picture = ParseCommandLine({"picture", "in.xls", "--out"}).picture;
  EXPECT_EQ(picture.in, "in.xls");
  EXPECT_EQ(picture.out, "--out");  // the picture command's two arguments are names only
}

TEST(CliOptions, BadArgumentsSayWhy) {
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command: frobnicate"},
      {{"--out", "a.xls"}, "unknown command: --out"},
      {{"--version", "generate"}, "--version takes no arguments"},
      {{"generate"}, "generate needs --out FILE"},
      {{"generate", "--picture", "p.bmp"}, "generate needs --out FILE"},
      {{"generate", "--out"}, "--out needs a value"},
      {{"generate", "--out", ""}, "--out needs a file name"},
      {{"generate", "--out", "a.xls", "--picture", ""}, "--picture needs a file name"},
      {{"generate", "--out", "a.xls", "--items", ""}, "--items needs a file name"},
      {{"generate", "--out", "a.xls", "--amounts"}, "--amounts needs a value"},
      {{"generate", "--out", "a.xls", "--amounts", ""}, "--amounts needs a file name"},
      {{"generate", "--out", "a.xls", "--opening-cash"}, "--opening-cash needs a value"},
      {{"generate", "--out", "a.xls", "--week1"}, "--week1 needs a value"},
      {{"generate", "--out", "a.xls", "--company"}, "--company needs a value"},
      {{"generate", "--out", "a.xls", "--by-week"}, "--by-week needs a value"},
      {{"generate", "--out", "a.xls", "--by-year", "2013"}, "--by-year needs a value"},
      {{"generate", "--out", "a.xls", "--by-week", "3", "--by-year", "1", "2"},
       "give only one of --by-year, --by-month and --by-week"},
      {{"generate", "--by-month", "1", "2", "--by-month", "1", "2", "--out", "a.xls"},
       "give only one of --by-year, --by-month and --by-week"},
      {{"generate", "--out", "a.xls", "--colour", "red"}, "unknown argument: --colour"},
      {{"generate", "--out", "a.xls", "extra"}, "unknown argument: extra"},
      {{"picture"}, "picture needs IN.xls and OUT.bmp"},
      {{"picture", "only-one.xls"}, "picture needs IN.xls and OUT.bmp"},
      {{"picture", "a.xls", "b.bmp", "c.bmp"}, "picture needs IN.xls and OUT.bmp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    try {
      ParseCommandLine(c.args);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(CliOptions, UsageTextsOfEachTopic) {
  const std::string generate = UsageText("generate"), picture = UsageText("picture"), all = UsageText("");
  EXPECT_EQ(generate.rfind("Usage: tallowmere-cli generate --out FILE", 0), 0u);
  EXPECT_EQ(picture.rfind("Usage: tallowmere-cli picture IN.xls OUT.bmp", 0), 0u);
  EXPECT_EQ(picture.find("--out"), std::string::npos);
  EXPECT_EQ(all.find(generate), 0u);
  EXPECT_NE(all.find(picture), std::string::npos);
  EXPECT_NE(all.find("Usage: tallowmere-cli --version"), std::string::npos);
}

}  // namespace
}  // namespace tallowmere::cli
