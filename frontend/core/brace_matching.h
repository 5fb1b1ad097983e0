// The partner of the brace or bracket at the caret, across lines: the
// window marks both (or the one without a partner) and Ctrl+] moves the
// caret to the partner. Braces {} pair with braces whatever brackets lie
// between them, as TeX groups do; brackets [] and parentheses () pair
// inside the group they stand in, never across its braces (an interval
// such as [0,1) is no error in TeX, so they are not made to nest with
// each other). Escaped braces (\{, \}) and everything in a comment are
// not counted; the text is GBK bytes, so a trail byte is never a brace.
#pragma once

#include <cstddef>
#include <string_view>

namespace mox::varelo {

// How far from the brace its partner is looked for.
inline constexpr std::size_t kBraceSearchBytes = 1u << 20;

// The bytes searched. The window may hand the whole text or a part of it
// that begins and ends at line starts; it says whether that part reaches
// the text's start and end, since the partner may lie beyond a cut edge.
struct BraceText {
  std::string_view Bytes;
  bool ReachesStart = true;
  bool ReachesEnd = true;
  std::size_t MaxBytes = kBraceSearchBytes;
};

enum class BraceOutcome {
  NoBrace,      // no brace or bracket next to the caret
  Matched,      // Brace and Partner
  Unmatched,    // Brace has no partner: mark it so
  BeyondBound,  // no partner within MaxBytes or the part handed over
};

struct BraceMatch {
  BraceOutcome Outcome = BraceOutcome::NoBrace;
  std::size_t Brace = 0;
  std::size_t Partner = 0;
  // Where Ctrl+] puts the caret: just after the partner. The brace before
  // the caret winning, a second Ctrl+] comes back to just after the brace,
  // also where the partner has a brace before it ("{}").
  std::size_t CaretTarget = 0;
};

// The brace just before the caret wins over the one just after it: that
// is the one just typed.
BraceMatch MatchBrace(const BraceText& text, std::size_t caret);

}  // namespace mox::varelo
