#include "previewer/dvi/document_operation.h"
#include "previewer/render/process_document.h"

#include <gtest/gtest.h>

#include <new>

#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox {
namespace {

class DocumentAbortTest : public test::DocumentTest {};

TEST_F(DocumentAbortTest, AnAbortAtAnyDepthClosesTheDocumentAndShowsOneMessage) {
  ASSERT_EQ(OpenBytes(test::SimpleDvi({1})), 0);
  const auto deep = [] { AbortDocument("broken"); };
  EXPECT_EQ(GuardDocumentOperation([&] {
              deep();
              return 0;
            }),
            1);
  EXPECT_FALSE(Document().Loaded);
  EXPECT_FALSE(Document().Reader.IsOpen());
  EXPECT_EQ(OnlyError(), "broken");
  EXPECT_EQ(ui_.Boxes.back().Caption, "Error message");
}

TEST_F(DocumentAbortTest, AnEmptyMessageClosesSilently) {
  ASSERT_EQ(OpenBytes(test::SimpleDvi({1})), 0);
  EXPECT_EQ(GuardDocumentOperation([] {
              AbortDocument("");
              return 0;
            }),
            1);
  EXPECT_FALSE(Document().Loaded);
  EXPECT_TRUE(ui_.Boxes.empty());
}

TEST_F(DocumentAbortTest, AFailedAllocationIsTheMemoryError) {
  const auto fail = [] {
    throw std::bad_alloc();
    return 0;
  };
  EXPECT_EQ(GuardDocumentOperation(fail), 1);
  EXPECT_EQ(OnlyError(), "Memory allocation error");
  SetLanguage(Language::Chinese);
  ui_.Boxes.clear();
  EXPECT_EQ(GuardDocumentOperation(fail), 1);
  EXPECT_EQ(OnlyError(), "内存申请错");
}

}  // namespace
}  // namespace mox
