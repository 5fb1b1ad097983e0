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
#include "tests/support/temp_dir.h"

namespace mox::test {

class OptionsTest : public ::testing::Test {
 protected:
  // The options variable of a program file named moxtest.exe.
  static constexpr const char* kVariable = "MOXTESTOPTS";

  void SetUp() override {
    for (const char* name : {kVariable, "CCPKPATH", "CCHZPATH", "CCTFMPATH", "CCGS"}) {
      saved_environment_.emplace_back(name, platform::GetEnvironmentText(name));
      platform::SetEnvironmentText(name, std::nullopt);
    }
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_environment_) {
      platform::SetEnvironmentText(name, value);
    }
  }

  // ReadOptions with the test's program path as argument 0.
  std::optional<std::string> Read(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), program_path_);
    return ReadOptions(arguments, options_);
  }

  void WriteInitFile(const std::string& text) { WriteFile(init_path_, text); }

  Options& Settings() { return options_; }
  void ResetOptions() { options_ = Options{}; }
  int SaveOptions() { return mox::SaveOptions(options_); }

  TempDir dir_;
  const std::string program_path_ = dir_.File("moxtest.exe");
  const std::string init_path_ = dir_.File("moxtest.INI");
  const std::string temp_path_ = dir_.File("moxtest.$$$");

  // The options read: a fresh start in English.
  Options options_;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_environment_;
};

}  // namespace mox::test
