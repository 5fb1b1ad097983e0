// The two languages of the previewer and a text the user sees in both. The
// texts of each part of the program are gathered in its catalogue (the
// *_texts.h files); which one shows is the host's choice, given by the
// Reporter it provides.
#pragma once

namespace mox {

enum class Language { Chinese, English };

struct Bilingual {
  const char* Chinese;  // GBK
  const char* English;
  constexpr const char* In(Language language) const {
    return language == Language::Chinese ? Chinese : English;
  }
};

}  // namespace mox
