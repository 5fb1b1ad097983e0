// Files cut off anywhere or with any single byte changed either open or fail
// with one message; nothing is read from outside the file.
#include <gtest/gtest.h>

#include <string>

#include "previewer/dvi/dvi_document.h"
#include "previewer/render/preview_document.h"
#include "tests/support/dba_writer.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox {
namespace {

using test::DviFontDef;

class DamagedFileTest : public test::DocumentTest {
 protected:
  std::string Sample() {
    return test::SimpleDvi({1, 2, 3}, "Mer2Dvi sample",
                           {{.Number = 7, .Checksum = 10 << 20, .Name = "ccfnts"},
                            {.Number = 8, .Name = "ccdummy"},
                            {.Number = 9, .Area = "tfm/", .Name = "cmbx12"}});
  }

  // Opens bytes: either a loaded document with its pages, or a failure with
  // exactly one message and nothing left open.
  void ExpectOpensOrFailsCleanly(const std::string& bytes, const std::string& what) {
    ui_.Boxes.clear();
    const int result = OpenBytes(bytes);
    ASSERT_TRUE(result == 0 || result == 1) << what;
    if (result == 0) {
      EXPECT_TRUE(doc_.Dvi.Loaded) << what;
      EXPECT_FALSE(doc_.Dvi.Pages.empty()) << what;
      EXPECT_TRUE(ui_.Boxes.empty()) << what;
    } else {
      EXPECT_FALSE(doc_.Dvi.Loaded) << what;
      EXPECT_TRUE(doc_.Dvi.Pages.empty()) << what;
      EXPECT_TRUE(doc_.Fonts.PkFonts.empty() && doc_.Fonts.ChineseFonts.empty()) << what;
      EXPECT_EQ(ui_.Boxes.size(), 1u) << what;
    }
  }
};

TEST_F(DamagedFileTest, EveryPrefixOfADviFile) {
  const std::string full = Sample();
  ASSERT_EQ(OpenBytes(full), 0);
  for (std::size_t length = 0; length < full.size(); ++length) {
    ExpectOpensOrFailsCleanly(full.substr(0, length), "prefix " + std::to_string(length));
  }
  // Cutting into the trailer still leaves four bytes 223 only when the
  // writer put more there; everything shorter fails.
  EXPECT_EQ(OpenBytes(full.substr(0, full.size() - 5)), 1);
}

TEST_F(DamagedFileTest, EveryPrefixOfAnArchive) {
  const std::string archive = test::MakeDbaArchive(Sample(), {{"a.bmf", "12345678"}});
  ASSERT_EQ(OpenBytes(archive), 0);
  for (std::size_t length = 0; length < archive.size(); ++length) {
    ExpectOpensOrFailsCleanly(archive.substr(0, length), "prefix " + std::to_string(length));
  }
}

TEST_F(DamagedFileTest, EveryByteChangedToTellingValues) {
  const std::string full = Sample();
  for (std::size_t offset = 0; offset < full.size(); ++offset) {
    for (const unsigned char value : {0x00, 0x02, 0x8B, 0xDF, 0xF3, 0xF8, 0xF9, 0xFF}) {
      std::string bytes = full;
      bytes[offset] = static_cast<char>(value);
      ExpectOpensOrFailsCleanly(bytes, std::to_string(offset) + "=" + std::to_string(value));
    }
  }
}

}  // namespace
}  // namespace mox
