#include "previewer/dvi/document_operation.h"
#include "previewer/render/preview_document.h"

#include <gtest/gtest.h>

#include <new>

#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox {
namespace {

class DocumentAbortTest : public test::DocumentTest {};

TEST_F(DocumentAbortTest, AnAbortAtAnyDepthClosesTheDocumentAndShowsOneMessage) {
  ASSERT_EQ(OpenBytes(test::SimpleDvi({1})), 0);
  const auto deep = [&] { AbortDocument("broken"); };
  EXPECT_EQ(GuardDocumentOperation(doc_, [&] {
              deep();
              return 0;
            }),
            1);
  EXPECT_FALSE(doc_.Dvi.Loaded);
  EXPECT_FALSE(doc_.Dvi.Reader.IsOpen());
  EXPECT_EQ(OnlyError(), "broken");
  EXPECT_EQ(ui_.Boxes.back().Caption, "Error message");
}

TEST_F(DocumentAbortTest, AnEmptyMessageClosesSilently) {
  ASSERT_EQ(OpenBytes(test::SimpleDvi({1})), 0);
  EXPECT_EQ(GuardDocumentOperation(doc_, [&] {
              AbortDocument("");
              return 0;
            }),
            1);
  EXPECT_FALSE(doc_.Dvi.Loaded);
  EXPECT_TRUE(ui_.Boxes.empty());
}

TEST_F(DocumentAbortTest, AFailedAllocationIsTheMemoryError) {
  const auto fail = [&] {
    throw std::bad_alloc();
    return 0;
  };
  EXPECT_EQ(GuardDocumentOperation(doc_, fail), 1);
  EXPECT_EQ(OnlyError(), "Memory allocation error");
  ui_.SetLanguage(Language::Chinese);
  ui_.Boxes.clear();
  EXPECT_EQ(GuardDocumentOperation(doc_, fail), 1);
  EXPECT_EQ(OnlyError(), "内存申请错");
}

}  // namespace
}  // namespace mox
