// The colours of a TeX line from the state above it: control sequences,
// comments, math and its delimiters, \begin names, verbatim text, and
// Chinese characters whose second byte looks like a TeX sign.
#include "frontend/core/tex_colouring.h"

#include <gtest/gtest.h>

#include <string>

namespace mox::varelo {
namespace {

// One letter a byte: '.' plain, 'c' control sequence, '%' comment, '$'
// math delimiter, 'b' bracket, 'e' environment name, 'm' math text, 'v'
// verbatim.
std::string Kinds(std::string_view line, TexLineState start = {}) {
  std::string kinds(line.size(), '.');
  for (const TexSpan& span : ColourTexLine(line, start).Spans) {
    kinds.replace(span.Start, span.Length, span.Length, "c%$bemv"[static_cast<int>(span.Kind)]);
  }
  return kinds;
}

TexLineState After(std::initializer_list<std::string_view> lines) {
  TexLineState state;
  for (std::string_view line : lines) state = TexStateAfter(line, state);
  return state;
}

TEST(TexColouringTest, ControlSequencesCommentsAndChineseCharacters) {
  EXPECT_EQ(Kinds(R"(\alpha\\ \{x\%y% n)"), "cccccccc.cc.cc.%%%");
  EXPECT_EQ(Kinds(R"(\\%c)"), "cc%%");
  // 乗 亄 亇 end in the bytes of '\\', '{' and '}': no sign of TeX's.
  EXPECT_EQ(Kinds("乗x亄亇[a]"), ".......b.b");
  EXPECT_EQ(Kinds("$乗$"), "$mm$");
  // A backslash before a Chinese character escapes the whole character.
  EXPECT_EQ(Kinds(R"(\乗{)"), "cccb");
  EXPECT_EQ(Kinds(R"(\verb|$%| $x$)"), "cccccvvvv.$m$");
}

TEST(TexColouringTest, MathDelimitersAndTheStateTheyLeave) {
  EXPECT_EQ(Kinds("$a$$b$"), "$m$$m$");  // two formulas, not a display
  EXPECT_EQ(Kinds(R"(\(x\) \[y\] \]z)"), "$$m$$.$$m$$.cc.");
  EXPECT_EQ(After({"text $$x"}).Math, TexMath::DoubleDollar);
  // In a display a single "$" is math in a box; "$$" ends it.
  TexLineState display;
  display.Math = TexMath::DoubleDollar;
  EXPECT_EQ(Kinds("a$b$$ z", display), "m$m$$..");
  EXPECT_EQ(After({"$$x", "a$b$$"}), TexLineState{});
  EXPECT_EQ(After({"$x", "y"}).Math, TexMath::Dollar);
  // A blank line ends the paragraph and the math a stray "$" opened.
  EXPECT_EQ(After({"$x", " \t", "y"}), TexLineState{});
}

TEST(TexColouringTest, EnvironmentNamesAcrossLinesAndTheBodiesTheyOpen) {
  EXPECT_EQ(Kinds(R"(\begin{itemize}\item)"), "ccccccbeeeeeeebccccc");
  EXPECT_EQ(After({R"(\begin{alig)"}).Argument, TexArgument::InBeginName);
  TexLineState in_name;
  in_name.Argument = TexArgument::InBeginName;
  EXPECT_EQ(Kinds("n*} x", in_name), "eeb..");
  // The "{" may follow on the next line; an equation's body is math.
  const TexLineState equation = After({R"(\begin)", "  {equation}"});
  EXPECT_EQ(equation.Math, TexMath::Environment);
  EXPECT_EQ(Kinds(R"(x=1 \end{align} \end{equation}y)", equation),
            "mmmmccccbeeeeebmccccbeeeeeeeeb.");
  // A verbatim body is text up to its own \end, over blank lines.
  const TexLineState verbatim = After({R"(\begin{verbatim})", ""});
  EXPECT_NE(verbatim.Verbatim, 0);
  EXPECT_EQ(Kinds(R"($ % \end{itemize})", verbatim), "vvvvvvvvvvvvvvvvv");
  EXPECT_EQ(Kinds(R"(x\end{verbatim}$)", verbatim), "vccccbeeeeeeeeb$");
  EXPECT_EQ(After({R"(\begin{verbatim})", R"(x\end{verbatim}$)"}).Math, TexMath::Dollar);
}

}  // namespace
}  // namespace mox::varelo
