#include "previewer/shell/commands.h"

#include <gtest/gtest.h>

#include <set>

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

}  // namespace
}  // namespace mox
