// Tests of an open document: a document of their own with default settings
// in English, a reporter that records what it says, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "previewer/base/document_abort.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/font_file_search.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/preview_document.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_dir.h"

namespace mox::test {

// Finds no VF or TFM file and runs nothing: tests of documents in fonts of
// their own do not depend on the TeX installed.
class NoFontFiles final : public FileLookupProgram {
 public:
  std::optional<std::string> Run(const std::vector<std::string>&) override {
    return std::string();
  }
};

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    doc_.Search = std::make_shared<FontFileSearch>("", std::make_unique<NoFontFiles>());
  }

  // Writes bytes into a file of the test folder and opens it as a document.
  int OpenBytes(const std::string& bytes, const std::string& name = "test.dvi") {
    path_ = dir_.File(name);
    WriteFile(path_, bytes);
    return OpenDviFile(doc_, path_);
  }

  // The texts of every box shown so far.
  std::vector<std::string> Errors() const { return BoxTexts(ui_.Boxes); }

  // The one error box an open that failed shows.
  std::string OnlyError() const { return OnlyBoxText(ui_.Boxes); }

  // Opens bytes, expecting failure with one box; gives its text.
  std::string OpenError(const std::string& bytes) {
    ui_.Boxes.clear();
    EXPECT_EQ(OpenBytes(bytes), 1);
    EXPECT_FALSE(doc_.Dvi.Loaded);
    EXPECT_TRUE(doc_.Dvi.Pages.empty());
    return OnlyError();
  }

  TempDir dir_;
  // What the document says: its boxes and caption lines.
  RecordingReporter ui_;
  PreviewDocument doc_{ui_, Options{}};
  std::string path_;
};

// Lets a TrueType face serve a ziti of the face table at a scale.
inline void ServeWithFace(FaceTable& table, int ziti, double scale, bool italic = false) {
  FaceEntry& entry = table.Entries[static_cast<std::size_t>(ziti)];
  std::snprintf(entry.Font.FaceName, sizeof entry.Font.FaceName, "%s", "SimSun");
  entry.Font.Italic = italic ? 1 : 0;
  entry.Scale = scale;
}

// The message of the document abort that body throws, or nothing.
template <typename Body>
std::optional<std::string> AbortMessageOf(Body&& body) {
  try {
    body();
  } catch (const DocumentAbort& abort) {
    return abort.Message;
  }
  return std::nullopt;
}

}  // namespace mox::test
