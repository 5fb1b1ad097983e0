// The process-wide language of the previewer. Every text the user sees is a
// pair of a Chinese (GBK) and an English text; this setting picks one.
#pragma once

namespace mox {

enum class Language { Chinese, English };

Language CurrentLanguage();
void SetLanguage(Language language);

inline bool ChineseMessages() { return CurrentLanguage() == Language::Chinese; }

// The member of a bilingual pair for the current language.
inline const char* Tr(const char* chinese, const char* english) {
  return ChineseMessages() ? chinese : english;
}

// The frame caption while no document is open.
const char* ProgramTitle();

}  // namespace mox
