#include "previewer/text/link_specials.h"

#include <algorithm>
#include <vector>

#include "previewer/dvi/mox_conventions.h"
#include "previewer/dvi/special_text.h"
#include "previewer/text/postscript_tokens.h"

namespace mox {
namespace {

bool IsHtmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void SkipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() && IsHtmlBlank(text[at])) ++at;
}

// The value of attribute `name` of a tag's text (after "<a"), quoted with
// " or ' or bare up to a blank or ">"; nothing when the tag has none.
std::optional<std::string> Attribute(std::string_view tag, std::string_view name) {
  std::size_t at = 0;
  while (at < tag.size()) {
    SkipBlanks(tag, at);
    const std::size_t start = at;
    while (at < tag.size() && tag[at] != '=' && tag[at] != '>' && !IsHtmlBlank(tag[at])) ++at;
    const std::string_view key = tag.substr(start, at - start);
    SkipBlanks(tag, at);
    if (at >= tag.size() || tag[at] != '=') {
      if (at < tag.size() && tag[at] == '>') return std::nullopt;
      if (key.empty()) ++at;
      continue;
    }
    ++at;
    SkipBlanks(tag, at);
    std::string value;
    if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
      const char quote = tag[at++];
      const std::size_t end = std::min(tag.find(quote, at), tag.size());
      value = tag.substr(at, end - at);
      at = end + 1;
    } else {
      const std::size_t begin = at;
      while (at < tag.size() && tag[at] != '>' && !IsHtmlBlank(tag[at])) ++at;
      value = tag.substr(begin, at - begin);
    }
    if (key.size() == name.size() && StartsWithNoCase(key, name)) return value;
  }
  return std::nullopt;
}

std::optional<LinkSpecial> HtmlTag(std::string_view text) {
  std::size_t at = 0;
  SkipBlanks(text, at);
  const std::string_view tag = text.substr(at);
  if (StartsWithNoCase(tag, "</a")) return LinkSpecial{LinkSpecialKind::End, {}};
  if (!StartsWithNoCase(tag, "<a") || tag.size() < 3 || !IsHtmlBlank(tag[2])) return std::nullopt;
  const std::string_view attributes = tag.substr(2);
  if (std::optional<std::string> href = Attribute(attributes, "href")) {
    return LinkSpecial{LinkSpecialKind::LinkStart, std::move(*href)};
  }
  if (std::optional<std::string> name = Attribute(attributes, "name")) {
    return LinkSpecial{LinkSpecialKind::AnchorStart, std::move(*name)};
  }
  return std::nullopt;
}

using Tokens = std::vector<PsToken>;

// The index past the token at `at`, and past everything up to its
// matching bracket when it opens an array, dictionary or procedure.
std::size_t PastValue(const Tokens& tokens, std::size_t at, std::size_t to) {
  if (tokens[at].Kind != PsTokenKind::Open) return at + 1;
  int depth = 0;
  for (std::size_t i = at; i < to; ++i) {
    if (tokens[i].Kind == PsTokenKind::Open) ++depth;
    if (tokens[i].Kind == PsTokenKind::Close && --depth == 0) return i + 1;
  }
  return to;
}

// The index of key `key` among the keys and values in [from, to): a name
// is a key, the value after it is passed over with its contents, and so
// are the operators between pairs ("cvn", "H.B"); `to` when none.
std::size_t FindKey(const Tokens& tokens, std::size_t from, std::size_t to, std::string_view key) {
  std::size_t i = from;
  while (i < to) {
    if (tokens[i].Kind == PsTokenKind::Name) {
      if (tokens[i].Text == key) return i;
      if (i + 1 >= to) return to;
      i = PastValue(tokens, i + 1, to);
    } else {
      i = PastValue(tokens, i, to);
    }
  }
  return to;
}

// The string or name value that follows key `key` in [from, to).
std::optional<std::string> KeyText(const Tokens& tokens, std::size_t from, std::size_t to,
                                   std::string_view key) {
  const std::size_t at = FindKey(tokens, from, to, key);
  if (at + 1 >= to) return std::nullopt;
  const PsToken& value = tokens[at + 1];
  if (value.Kind != PsTokenKind::String && value.Kind != PsTokenKind::Name) return std::nullopt;
  return value.Text;
}

// Where an action dictionary leads: a destination of this document, an
// address, or a file with its destination.
std::optional<LinkSpecial> Action(const Tokens& tokens, std::size_t from, std::size_t to) {
  std::optional<std::string> kind = KeyText(tokens, from, to, "S");
  if (!kind) kind = KeyText(tokens, from, to, "Subtype");
  if (!kind) return std::nullopt;
  if (*kind == "URI") {
    if (std::optional<std::string> uri = KeyText(tokens, from, to, "URI")) {
      return LinkSpecial{LinkSpecialKind::Annotation, std::move(*uri), false};
    }
  } else if (*kind == "GoTo") {
    if (std::optional<std::string> name = KeyText(tokens, from, to, "D")) {
      return LinkSpecial{LinkSpecialKind::Annotation, std::move(*name), true};
    }
  } else if (*kind == "GoToR" || *kind == "Launch") {
    if (std::optional<std::string> file = KeyText(tokens, from, to, "F")) {
      if (std::optional<std::string> name = KeyText(tokens, from, to, "D")) {
        file->append("#").append(*name);
      }
      return LinkSpecial{LinkSpecialKind::Annotation, std::move(*file), false};
    }
  }
  return std::nullopt;
}

// A pdfmark "[ ... /MARK pdfmark": the tokens between the bracket and the
// mark's name are its keys and values.
std::optional<LinkSpecial> Pdfmark(const Tokens& tokens, std::size_t mark) {
  if (mark < 1 || tokens[mark - 1].Kind != PsTokenKind::Name) return std::nullopt;
  const std::string& name = tokens[mark - 1].Text;
  std::size_t open = mark - 1;
  int depth = 0;
  while (open > 0) {
    --open;
    if (tokens[open].Kind == PsTokenKind::Close) ++depth;
    if (tokens[open].Kind == PsTokenKind::Open) {
      if (depth == 0 && tokens[open].Text == "[") break;
      --depth;
    }
  }
  if (tokens[open].Kind != PsTokenKind::Open || tokens[open].Text != "[") return std::nullopt;
  const std::size_t from = open + 1;
  const std::size_t to = mark - 1;
  if (name == "DEST") {
    if (std::optional<std::string> dest = KeyText(tokens, from, to, "Dest")) {
      return LinkSpecial{LinkSpecialKind::Destination, std::move(*dest)};
    }
    return std::nullopt;
  }
  if (name != "ANN") return std::nullopt;
  const std::optional<std::string> subtype = KeyText(tokens, from, to, "Subtype");
  if (!subtype || *subtype != "Link") return std::nullopt;
  if (std::optional<std::string> dest = KeyText(tokens, from, to, "Dest")) {
    return LinkSpecial{LinkSpecialKind::Annotation, std::move(*dest), true};
  }
  for (std::string_view key : {"Action", "A"}) {
    const std::size_t at = FindKey(tokens, from, to, key);
    if (at + 1 < to && tokens[at + 1].Kind == PsTokenKind::Open && tokens[at + 1].Text == "<<") {
      // The dictionary's keys, without its closing ">>".
      const std::size_t end = PastValue(tokens, at + 1, to);
      return Action(tokens, at + 2, end > at + 2 ? end - 1 : end);
    }
  }
  return std::nullopt;
}

// The number before a corner mark ("12 H.A"), in points.
double RaiseBefore(const Tokens& tokens, std::size_t mark) {
  if (mark == 0 || tokens[mark - 1].Kind != PsTokenKind::Word) return 0.0;
  const std::optional<double> value = ParseSpecialNumber(tokens[mark - 1].Text);
  return value ? *value - 2.0 : 0.0;  // hyperref's marks take off 2pt
}

std::optional<LinkSpecial> DvipsMarks(std::string_view text) {
  const Tokens tokens = PostScriptTokens(text);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const PsToken& token = tokens[i];
    if (token.Kind != PsTokenKind::Word) continue;
    if (token.Text == "pdfmark") return Pdfmark(tokens, i);
    if (token.Text == "H.S") return LinkSpecial{LinkSpecialKind::CornerStart, {}};
    if (token.Text == "H.R" || token.Text == "H.A" || token.Text == "H.L") {
      LinkSpecial corner{LinkSpecialKind::CornerEnd, {}};
      corner.RaisePoints = token.Text == "H.R" ? 0.0 : RaiseBefore(tokens, i);
      corner.SetsView = token.Text != "H.L";
      return corner;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<LinkSpecial> ParseLinkSpecial(std::string_view special) {
  special = TrimSpecialBlanks(special);
  if (StartsWithNoCase(special, "html:")) return HtmlTag(special.substr(5));
  // hyperref's marks are PostScript run in dvips' dictionary of its own.
  if (StartsWithNoCase(special, "ps:")) {
    std::string_view body = special.substr(3);
    if (!body.empty() && body.front() == ':') body.remove_prefix(1);
    body = TrimSpecialBlanks(body);
    if (body.substr(0, 12) != "SDict begin " || body.size() < 16) return std::nullopt;
    return DvipsMarks(body);
  }
  return std::nullopt;
}

}  // namespace mox
