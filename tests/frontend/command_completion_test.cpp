// Completion while typing: where a command or an environment name is being
// typed (not in a comment, not after an escaped or Chinese backslash), the
// commands and environments of the installed tex.txt offered for it, and
// the text an environment inserts with its \end.
#include "frontend/core/command_completion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

const CommandCompletion& Installed() {
  static const CommandCompletion completion(
      ParseAssistantEntries(test::ReadFile(std::string(VARELO_DATA_DIR) + "/tex.txt")));
  return completion;
}

std::vector<std::string> Offered(std::string_view line) {
  std::vector<std::string> commands;
  for (const CompletionItem& item : Installed().Offer(FindCompletionContext(line, line.size()))) {
    commands.push_back(item.Command);
  }
  return commands;
}

TEST(CommandCompletionTest, TheWordBeforeTheCaret) {
  CompletionContext context = FindCompletionContext(R"(x \section y)", 5);
  EXPECT_EQ(context.Kind, CompletionKind::Command);
  EXPECT_EQ(context.Start, 2u);
  EXPECT_EQ(context.End, 10u);
  EXPECT_EQ(context.Prefix, R"(\se)");
  EXPECT_EQ(FindCompletionContext(R"(\s)", 2).Kind, CompletionKind::None);
  EXPECT_EQ(FindCompletionContext(R"(\\se)", 4).Kind, CompletionKind::None);
  EXPECT_EQ(FindCompletionContext(R"(% \sec)", 6).Kind, CompletionKind::None);
  EXPECT_EQ(FindCompletionContext("乗sec", 5).Kind, CompletionKind::None);  // 乗 ends in '\\'
  context = FindCompletionContext(R"(\begin{it} x)", 9);
  EXPECT_EQ(context.Kind, CompletionKind::BeginEnvironment);
  EXPECT_EQ(context.Start, 7u);
  EXPECT_EQ(context.End, 10u);  // the "}" is replaced too
  EXPECT_EQ(context.Prefix, "it");
}

TEST(CommandCompletionTest, CommandsOfTexTxtOncePrefixMatchesInOrder) {
  EXPECT_TRUE(Offered(R"(\s)").empty());
  const std::vector<std::string> se = Offered(R"(\se)");
  EXPECT_EQ(se, (std::vector<std::string>{R"(\section)", R"(\selectfont)", R"(\setcounter)",
                                          R"(\setlength)", R"(\settabs)", R"(\sevenrm)"}));
  const std::vector<CompletionItem> sec = Installed().Offer(FindCompletionContext(R"(\sec)", 4));
  ASSERT_EQ(sec.size(), 1u);
  EXPECT_EQ(sec[0].Description, "节");
  EXPECT_EQ(sec[0].Text, R"(\section{})");
  // Those of the same case first.
  const std::vector<std::string> la = Offered(R"(\La)");
  ASSERT_GE(la.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(la.begin(), la.begin() + 3),
            (std::vector<std::string>{R"(\LaTeX)", R"(\LaTeXe)", R"(\Large)"}));
  EXPECT_NE(std::find(la.begin(), la.end(), R"(\label)"), la.end());
  // Words inside a row count; the file's placeholder does not.
  EXPECT_EQ(Offered(R"(\fi)").front(), R"(\fi)");
  EXPECT_TRUE(Offered(R"(\name)").empty());
}

TEST(CommandCompletionTest, EnvironmentsAndWhatTheyInsert) {
  const std::vector<std::string> all = Offered(R"(\begin{)");
  for (const char* name : {"itemize", "tabular", "document", "titlepage", "equation"}) {
    EXPECT_EQ(std::count(all.begin(), all.end(), name), 1) << name;
  }
  EXPECT_EQ(Offered(R"(\begin{ite)"), std::vector<std::string>{"itemize"});
  const std::string line = R"(  \begin{tab})";
  const CompletionContext context = FindCompletionContext(line, 12);
  const std::vector<CompletionItem> offered = Installed().Offer(context);
  ASSERT_FALSE(offered.empty());
  ASSERT_EQ(offered[0].Command, "tabbing");
  const auto tabular = std::find_if(offered.begin(), offered.end(), [](const CompletionItem& item) {
    return item.Command == "tabular";
  });
  ASSERT_NE(tabular, offered.end());
  const CompletionInsertion insertion = CommandCompletion::Insert(context, *tabular, line, "\r\n");
  EXPECT_EQ(insertion.Text, "tabular}{|c|c|}\r\n  \r\n  \\end{tabular}");
  EXPECT_EQ(insertion.Caret, 19u);
  EXPECT_EQ(
      CommandCompletion::Insert(FindCompletionContext(R"(\end{ta)", 7), *tabular, "", "\n").Text,
      "tabular}");
  const CompletionItem frac{R"(\frac)", "", R"(\frac{}{})"};
  EXPECT_EQ(CommandCompletion::Insert(FindCompletionContext(R"(\fr)", 3), frac, "", "\n").Caret,
            6u);
}

}  // namespace
}  // namespace mox::varelo
