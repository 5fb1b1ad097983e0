#include "previewer/shell/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "previewer/shell/command_model.h"

namespace mox {
namespace {

TEST(CommandsTest, DocumentCommandsAreEnabledOnlyWithADocument) {
  const std::set<int> document_commands = {102, 103, 131, 132, 133, 134, 135, 136, 137,
                                           138, 139, 140, 141, 142, 143, 144, 151, 152, 153,
                                           154, 161, 162, 163, 164, 165, 166};
  for (int id = 100; id <= 170; ++id) {
    const bool document_command = document_commands.count(id) != 0;
    EXPECT_EQ(IsDocumentCommand(id), document_command) << id;
    EXPECT_EQ(IsCommandEnabled(id, false), !document_command) << id;
    EXPECT_TRUE(IsCommandEnabled(id, true)) << id;
    // The Chinese id follows the same rule.
    EXPECT_EQ(IsCommandEnabled(id + 10000, false), !document_command) << id;
  }
}

TEST(CommandsTest, OpenOptionsFontsQuitAndAboutAreAlwaysEnabled) {
  for (int id : {101, 104, 105, 106, 122, 10101, 10104, 10105, 10106, 10122}) {
    EXPECT_TRUE(IsCommandEnabled(id, false)) << id;
  }
}

TEST(CommandsTest, BothIdsNameTheSameCommand) {
  EXPECT_EQ(EnglishCommandId(10101), 101);
  EXPECT_EQ(EnglishCommandId(101), 101);
  EXPECT_EQ(EnglishCommandId(10166), 166);
  EXPECT_EQ(CommandIdFor(133, true), 10133);
  EXPECT_EQ(CommandIdFor(133, false), 133);
}

TEST(CommandsTest, ToolBarHasSixteenButtonsWithTheirSeparators) {
  const int expected[16][2] = {{101, 3},  {103, 10}, {151, 3}, {152, 3}, {153, 3}, {154, 10},
                               {131, 3},  {132, 3},  {133, 3}, {134, 10}, {161, 3}, {162, 3},
                               {163, 3},  {164, 3},  {165, 3}, {166, 0}};
  ASSERT_EQ(kToolBarLayout.size(), 16u);
  for (std::size_t i = 0; i < kToolBarLayout.size(); ++i) {
    EXPECT_EQ(kToolBarLayout[i].EnglishId, expected[i][0]) << i;
    EXPECT_EQ(kToolBarLayout[i].SeparatorAfter, expected[i][1]) << i;
  }
}

// The key a menu caption names after its tab ("Ctrl+o", "'+'", "<PgUp>"),
// as the key table writes it.
PreviewerKey KeyNamed(const std::string& name, int id) {
  static const std::map<std::string, int> virtual_keys = {
      {"PgUp", 0x21},       {"PgDn", 0x22},       {"End", 0x23},     {"Home", 0x24},
      {"Left arrow", 0x25}, {"Up arrow", 0x26},   {"Right arrow", 0x27},
      {"Down arrow", 0x28}, {"Insert", 0x2D},     {"F1", 0x70},      {"F3", 0x72}};
  if (name.size() == 3 && name.front() == '\'') return {name[1], false, id};
  if (name.front() == '<') return {virtual_keys.at(name.substr(1, name.size() - 2)), true, id};
  if (name.rfind("Ctrl+Shift+", 0) == 0) return {name.back(), true, id, true, true};
  const std::string key = name.substr(5);  // after "Ctrl+"
  if (key.size() == 1) return {key[0] - 'a' + 1, false, id};
  return {virtual_keys.at(key), true, id, false, true};
}

TEST(CommandsTest, EveryKeyAMenuNamesRunsItsCommandAndNoKeyRunsTwo) {
  std::map<std::tuple<int, bool, bool, bool>, int> command_of;
  for (const PreviewerKey& key : PreviewerKeys()) {
    ASSERT_NE(FindPreviewerCommand(key.Id), nullptr) << key.Code;
    const auto chord = std::make_tuple(key.Code, key.Virtual, key.Shift, key.Control);
    EXPECT_TRUE(command_of.emplace(chord, key.Id).second) << "bound twice: " << key.Code;
  }
  int named = 0;
  for (const PreviewerCommand& command : PreviewerCommands()) {
    const std::string keys = command.Keys.English;
    for (std::size_t start = 0; start < keys.size();) {
      const std::size_t end = std::min(keys.find(", ", start), keys.size());
      const PreviewerKey key = KeyNamed(keys.substr(start, end - start), command.Id);
      const auto found = command_of.find(std::make_tuple(key.Code, key.Virtual, key.Shift, key.Control));
      ASSERT_NE(found, command_of.end()) << keys;
      EXPECT_EQ(found->second, command.Id) << keys;
      ++named;
      start = end + 2;
    }
  }
  EXPECT_EQ(named, 40);  // Insert, Delete and the space bars are not named
}

TEST(CommandsTest, HintsComeInTheLanguageOfTheId) {
  EXPECT_STREQ(PreviewerHintOf(CM_OPEN), "Open a DVI file");
  EXPECT_STREQ(PreviewerHintOf(CM_OPEN + CHINESE_ID_OFFSET), "\xB4\xF2\xBF\xAA" "DVI\xCE\xC4\xBC\xFE");
  EXPECT_STREQ(PreviewerHintOf(CM_FILEMENU), "Open, close, print a DVI file or setup options");
  EXPECT_STREQ(PreviewerHintOf(0), "");
}

}  // namespace
}  // namespace mox
