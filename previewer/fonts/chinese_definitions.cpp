// ccfonts.def: for each of the 54 Chinese font slots, the name of its outline
// font file and a size correction, written as pairs of a word and a number
// separated by any white space (line breaks mean nothing).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

constexpr std::size_t kFileNameLimit = 12;

std::string DefinitionsPath(const Options& options) {
  return WithTrailingSeparator(options.ChineseFontPath) + "ccfonts.def";
}

bool IsSpace(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// Reads the pairs the way fscanf with "%s %lf" does: a word of anything but
// white space, then a decimal number. A word without a number is used up.
class PairReader {
 public:
  explicit PairReader(std::FILE* file) : file_(file) {}

  // True only when both a word and a number were read.
  bool Next(std::string& word, double& value) {
    int c = SkipSpace();
    if (c == EOF) return false;
    word.clear();
    while (c != EOF && !IsSpace(c)) {
      // Only the start of a long word is ever kept.
      if (word.size() < 4 * kFileNameLimit) word += static_cast<char>(c);
      c = std::fgetc(file_);
    }
    if (c != EOF) std::ungetc(c, file_);
    c = SkipSpace();

    std::string number;
    if (c == '+' || c == '-') {
      number += static_cast<char>(c);
      c = std::fgetc(file_);
    }
    std::size_t digits = 0;
    c = TakeDigits(c, number, digits);
    if (c == '.') {
      number += '.';
      c = TakeDigits(std::fgetc(file_), number, digits);
    }
    if (digits > 0 && (c == 'e' || c == 'E')) {
      std::string exponent(1, static_cast<char>(c));
      c = std::fgetc(file_);
      if (c == '+' || c == '-') {
        exponent += static_cast<char>(c);
        c = std::fgetc(file_);
      }
      std::size_t exponent_digits = 0;
      c = TakeDigits(c, exponent, exponent_digits);
      if (exponent_digits > 0) number += exponent;
    }
    if (c != EOF) std::ungetc(c, file_);
    if (digits == 0) return false;
    value = std::strtod(number.c_str(), nullptr);
    return true;
  }

 private:
  int SkipSpace() {
    int c = std::fgetc(file_);
    while (IsSpace(c)) c = std::fgetc(file_);
    return c;
  }

  // Appends the digits starting with c; gives the first byte after them.
  int TakeDigits(int c, std::string& out, std::size_t& count) {
    while (IsDigit(c)) {
      out += static_cast<char>(c);
      ++count;
      c = std::fgetc(file_);
    }
    return c;
  }

  std::FILE* file_;
};

}  // namespace

void ReadChineseDefinitions(FontDocument& doc) {
  const std::string path = DefinitionsPath(doc.Settings);
  platform::FilePtr file = platform::OpenFile(path, "rt");
  if (!file) {
    AbortDocument(Format(doc.Say(kDefinitionsNotFound), path.c_str()));
  }
  PairReader reader(file.get());
  std::string word;
  double value = 0.0;
  for (FontDefinition& definition : doc.Fonts.Definitions) {
    definition.Scale = 10000;
    if (!reader.Next(word, value)) {
      definition.FileName.clear();
      continue;
    }
    definition.FileName = word;
    TruncateGbk(definition.FileName, kFileNameLimit);
    // Corrections outside a factor of two are taken for mistakes.
    if (value > 0.5 && value < 2.0) {
      definition.Scale = static_cast<std::int32_t>(value * 10000 + 0.5);
    }
  }
}

}  // namespace mox
