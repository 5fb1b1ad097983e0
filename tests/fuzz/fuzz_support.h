// What the fuzz targets share: a user interface that answers every question
// with Yes and shows nothing, and a scratch file the input is written to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/user_interface.h"

namespace mox::fuzz {

class QuietYesUserInterface final : public platform::UserInterface {
 public:
  int ShowBox(std::string_view, std::string_view, unsigned style) override {
    return (style & 0x000F) == platform::kBoxYesNo ? platform::kAnswerYes : platform::kAnswerOk;
  }
  void SetCaption(std::string_view) override {}
};

// The folder of this process's own scratch files.
const std::string& ScratchFolder();

// Writes the input to a file of this process's own and returns its path;
// `name` may include a folder below the scratch folder, which is made.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

}  // namespace mox::fuzz
