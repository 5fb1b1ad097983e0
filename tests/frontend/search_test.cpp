// The editor's byte-wise search on GBK text: directions and start
// positions, case, whole words, and matches that must begin and end on
// whole characters (the trail byte of 丂 is the letter A).
#include "frontend/core/search.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

constexpr SearchOptions kDown{};
constexpr SearchOptions kUp{false, false, false};
constexpr SearchOptions kDownWord{true, false, true};
constexpr SearchOptions kUpWord{false, false, true};

// 丂 is 0x81 0x41: its trail byte is the code of "A".
const std::string kTrailA = "\x81\x41";

TEST(SearchTest, DirectionsStartBesideTheSelection) {
  // Down starts after the selection, up length(text) bytes before its start.
  EXPECT_EQ(FindInBuffer("abab", 0, 2, "ab", kDown), 2);
  EXPECT_EQ(FindInBuffer("abab", 2, 2, "ab", kDown), kNotFound);
  EXPECT_EQ(FindInBuffer("abab", 2, 2, "ab", kUp), 0);
  EXPECT_EQ(FindInBuffer("abab", 4, 0, "ab", kUp), 2);
  EXPECT_EQ(FindInBuffer("abab", 1, 0, "ab", kUp), kNotFound);
  EXPECT_EQ(FindInBuffer("", 0, 0, "a", kDown), kNotFound);
  EXPECT_EQ(FindInBuffer("abc", 0, 0, "", kDown), kNotFound);
  EXPECT_EQ(FindInBuffer("abc", 0, 0, "abcd", kDown), kNotFound);
  // A selection beyond the text finds nothing, in either direction.
  EXPECT_EQ(FindInBuffer("abc", 5, 0, "a", kDown), kNotFound);
  EXPECT_EQ(FindInBuffer("abc", 9, 0, "a", kUp), kNotFound);
}

TEST(SearchTest, CaseIsFoldedOnlyInSingleByteCharacters) {
  EXPECT_EQ(FindInBuffer("xABc", 0, 0, "abC", kDown), 1);
  EXPECT_EQ(FindInBuffer("xABc", 0, 0, "abC", {true, true, false}), kNotFound);
  EXPECT_EQ(FindInBuffer("xabC", 0, 0, "abC", {true, true, false}), 1);
  // 丂 (81 41) and 乤 (81 61) differ only in the case of their trail byte.
  const std::string text = "\xD6\xD0" + kTrailA;
  EXPECT_EQ(FindInBuffer(text, 0, 0, "\x81\x61", kDown), kNotFound);
  EXPECT_EQ(FindInBuffer(text, 0, 0, kTrailA, kDown), 2);
  EXPECT_TRUE(SameTextIgnoringCase("Ab中", "aB中"));
  EXPECT_FALSE(SameTextIgnoringCase(kTrailA, "\x81\x61"));
  EXPECT_FALSE(SameTextIgnoringCase("ab", "abc"));
}

TEST(SearchTest, MatchesBeginAndEndOnWholeCharacters) {
  // "A" and "a" are found after 丂, not in its trail byte; both directions.
  const std::string text = kTrailA + "A";
  EXPECT_EQ(FindInBuffer(text, 0, 0, "a", kDown), 2);
  EXPECT_EQ(FindInBuffer(text, 3, 0, "a", kUp), 2);
  EXPECT_EQ(FindInBuffer(kTrailA + kTrailA, 4, 0, "A", kUp), kNotFound);
  // The lead byte alone is no character of the text.
  EXPECT_EQ(FindInBuffer(kTrailA, 0, 0, "\x81", kDown), kNotFound);
  // "A丂" starts inside 丂丂's first character and is not found there.
  EXPECT_EQ(FindInBuffer(kTrailA + kTrailA, 0, 0, "A" + kTrailA, kDown), kNotFound);
  // A lead byte before a byte that cannot follow it is a character alone.
  EXPECT_EQ(FindInBuffer("\xD6 a", 0, 0, "A", kDown), 2);
}

TEST(SearchTest, WholeWords) {
  // The search starts inside the first word, skips it and finds the last.
  EXPECT_EQ(FindInBuffer("ab abc ab", 0, 0, "ab", kDownWord), 7);
  EXPECT_EQ(FindInBuffer("ab abc ab", 9, 0, "ab", kUpWord), 7);
  EXPECT_EQ(FindInBuffer("ab abc ab", 7, 2, "ab", kUpWord), 0);
  // Chinese characters break words, whatever their trail bytes are.
  EXPECT_EQ(FindInBuffer(kTrailA + "B" + kTrailA, 0, 0, "b", kDownWord), 2);
  EXPECT_EQ(FindInBuffer("中文abc中", 0, 0, "abc", kDownWord), 4);
  // Going up to the front, the byte after the match still has to break.
  EXPECT_EQ(FindInBuffer("abc", 3, 0, "ab", kUpWord), kNotFound);
  // A text that starts with a break byte ends an upward search.
  EXPECT_EQ(FindInBuffer(" ab", 3, 0, "zz", kUpWord), kNotFound);
  EXPECT_EQ(FindInBuffer(" ab cd", 6, 0, "ab", kUpWord), 1);
}

}  // namespace
}  // namespace mox::varelo
