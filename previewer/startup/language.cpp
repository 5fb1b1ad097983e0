#include "previewer/startup/language.h"

namespace mox {
namespace {
Language g_language = Language::English;
}  // namespace

Language CurrentLanguage() { return g_language; }
void SetLanguage(Language language) { g_language = language; }

const char* ProgramTitle() {
  return Tr("MOX DVI 显示程序1.3版第2修订版", "MOX DVI Previewer for Windows, v1.3pl2");
}

}  // namespace mox
