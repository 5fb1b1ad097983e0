#include "frontend/win32/structure_bar_panel.h"

#include <string>
#include <vector>

namespace mox::varelo {

bool TStructureBar::CreateBar(std::function<void(const StructureButton&)> clicked) {
  std::vector<std::string> captions;
  for (const StructureButton& button : StructureButtons()) captions.emplace_back(button.Caption);
  return CreateButtons(captions, [clicked = std::move(clicked)](std::size_t index) {
    if (index < StructureButtons().size()) clicked(StructureButtons()[index]);
  });
}

}  // namespace mox::varelo
