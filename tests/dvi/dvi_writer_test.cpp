// The test writers produce the exact bytes of the DVI and DBA formats; other
// tests build every fixture with them.
#include "tests/support/dvi_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/dba_writer.h"

namespace mox::test {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

// The bytes a call appends to an empty writer.
template <typename Write>
std::string Written(Write write) {
  DviWriter dvi;
  write(dvi);
  return dvi.Data();
}

TEST(DviWriter, CommandEncodings) {
  EXPECT_EQ(Written([](DviWriter& d) { d.SetChar(65); }), "A");
  EXPECT_EQ(Written([](DviWriter& d) { d.SetChar(200); }), Bytes({128, 200}));
  EXPECT_EQ(Written([](DviWriter& d) { d.SetChar(0x1234); }), Bytes({129, 0x12, 0x34}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Set(7, 4); }), Bytes({131, 0, 0, 0, 7}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Put(5, 1).Put(5, 3); }), Bytes({133, 5, 135, 0, 0, 5}));
  EXPECT_EQ(Written([](DviWriter& d) { d.SetRule(1, -1); }),
            Bytes({132, 0, 0, 0, 1, 255, 255, 255, 255}));
  EXPECT_EQ(Written([](DviWriter& d) { d.PutRule(2, 3); }), Bytes({137, 0, 0, 0, 2, 0, 0, 0, 3}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Push().Pop().Nop().EndPage(); }), Bytes({141, 142, 138, 140}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Right(-1, 1).Right(2, 4); }),
            Bytes({143, 255, 146, 0, 0, 0, 2}));
  EXPECT_EQ(Written([](DviWriter& d) { d.W0().W(1, 2).X0().X(1, 4); }),
            Bytes({147, 149, 0, 1, 152, 156, 0, 0, 0, 1}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Down(-2, 3).Y0().Y(1, 1).Z0().Z(1, 2); }),
            Bytes({159, 255, 255, 254, 161, 162, 1, 166, 168, 0, 1}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Font(3).Font(63).Font(64).Fnt(300, 2); }),
            Bytes({174, 234, 235, 64, 236, 1, 44}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Special("ab").Special("c", 4); }),
            Bytes({239, 2, 'a', 'b', 242, 0, 0, 0, 1, 'c'}));
  EXPECT_EQ(Written([](DviWriter& d) { d.Special(std::string(256, 'x')); }).substr(0, 3),
            Bytes({240, 1, 0}));
  EXPECT_EQ(Written([](DviWriter& d) {
              d.FontDef({.Number = 300, .Checksum = 1, .ScaledSize = 2, .DesignSize = 3,
                         .Area = "d/", .Name = "f"});
            }),
            Bytes({244, 1, 44, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 2, 1, 'd', '/', 'f'}));
}

TEST(DviWriter, FileStructure) {
  DviWriter dvi;
  dvi.Preamble("hi", 1, 2, 3);
  EXPECT_EQ(dvi.Data(), Bytes({247, 2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 2, 'h', 'i'}));
  dvi.BeginPage(-1, {1}).EndPage();
  dvi.BeginPage(2).EndPage();
  ASSERT_EQ(dvi.PageOffsets().size(), 2u);
  const std::string& data = dvi.Data();
  EXPECT_EQ(data.substr(17, 9), Bytes({139, 255, 255, 255, 255, 0, 0, 0, 1}));
  EXPECT_EQ(data.substr(17 + 41, 4), Bytes({255, 255, 255, 255}));  // first page: -1
  EXPECT_EQ(data.substr(63 + 41, 4), Bytes({0, 0, 0, 17}));         // back to the first
  dvi.Postamble({.Mag = 1500, .MaxStack = 9});
  EXPECT_EQ(dvi.PostambleOffset(), 109u);
  EXPECT_EQ(data.substr(109, 5), Bytes({248, 0, 0, 0, 63}));
  EXPECT_EQ(data.substr(109 + 13, 4), Bytes({0, 0, 5, 220}));
  EXPECT_EQ(data.substr(109 + 25, 4), Bytes({0, 9, 0, 2}));  // s, t
  dvi.PostPost().Trailer();
  EXPECT_EQ(dvi.PostPostOffset(), 138u);
  EXPECT_EQ(data.substr(138, 6), Bytes({249, 0, 0, 0, 109, 2}));
  EXPECT_EQ(dvi.Size() % 4, 0u);
  EXPECT_EQ(data.substr(144), std::string(4, '\xDF'));
}

TEST(DbaWriter, HeaderDirectoryDviAndMembers) {
  const std::string archive = MakeDbaArchive("DVI!", {{"a.bmf", "12"}, {"longer_name.bmf", "345"}});
  ASSERT_EQ(archive.size(), 12u + 48 + 4 + 5);
  EXPECT_EQ(archive.substr(0, 12), Bytes({'D', 'B', 'A', 0, 4, 0, 0, 0, 2, 0, 0, 0}));
  // Entry 1: offset 64, size 2, the name padded to 16 bytes.
  EXPECT_EQ(archive.substr(12, 8), Bytes({64, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(archive.substr(20, 16), std::string("a.bmf") + std::string(11, '\0'));
  EXPECT_EQ(archive.substr(36, 8), Bytes({66, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(archive.substr(44, 16), std::string("longer_name.bmf") + '\0');
  EXPECT_EQ(archive.substr(60), "DVI!12345");
}

}  // namespace
}  // namespace mox::test
