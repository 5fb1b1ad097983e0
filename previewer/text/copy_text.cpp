#include "previewer/text/copy_text.h"

#include <vector>

#include "previewer/text/text_flow.h"

namespace mox {

std::string CopyText(const PageText& page, const TextBox& rectangle) {
  std::vector<int> chosen;
  for (std::size_t i = 0; i < page.Characters.size(); ++i) {
    if (page.Characters[i].Box.Meets(rectangle)) chosen.push_back(static_cast<int>(i));
  }
  std::u32string text = FlowOf(page.Characters, chosen).Text;
  if (!text.empty()) text.pop_back();  // the last line's break
  return Utf8Of(text);
}

std::string PlainText(const PageText& page) { return Utf8Of(FlowOf(page).Text); }

}  // namespace mox
