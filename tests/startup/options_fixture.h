// A clean start for option tests: a temporary program folder, default
// settings in English, and none of the environment variables the reader
// looks at (they are restored afterwards).
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/environment.h"
#include "previewer/startup/options.h"
#include "previewer/render/process_document.h"
#include "tests/support/temp_dir.h"

namespace mox::test {

class OptionsTest : public ::testing::Test {
 protected:
  // The options variable of a program file named moxtest.exe.
  static constexpr const char* kVariable = "MOXTESTOPTS";

  void SetUp() override {
    for (const char* name : {kVariable, "CCPKPATH", "CCHZPATH"}) {
      saved_environment_.emplace_back(name, platform::GetEnvironmentText(name));
      platform::SetEnvironmentText(name, std::nullopt);
    }
    ResetOptions();
    SetLanguage(Language::English);
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_environment_) {
      platform::SetEnvironmentText(name, value);
    }
    ResetOptions();
    SetLanguage(Language::English);
  }

  // ReadOptions with the test's program path as argument 0.
  std::optional<std::string> Read(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), program_path_);
    return ReadOptions(arguments);
  }

  void WriteInitFile(const std::string& text) { WriteFile(init_path_, text); }

  static Options& Settings() { return CurrentOptions(); }

  TempDir dir_;
  const std::string program_path_ = dir_.File("moxtest.exe");
  const std::string init_path_ = dir_.File("moxtest.INI");
  const std::string temp_path_ = dir_.File("moxtest.$$$");

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_environment_;
};

}  // namespace mox::test
