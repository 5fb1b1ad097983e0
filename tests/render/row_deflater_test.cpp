// The zlib stream moxrender writes its pages with, read back by zlib itself:
// rows of paper, of ink, repeated and random, long rows out of the row
// match's reach, blocks full of tokens, and the Huffman code lengths.
#include "tools/moxrender/row_deflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace mox {
namespace {

// Deflates the rows and inflates the stream again; the rows come back
// joined, and zlib checks the Adler-32 sum at the end.
std::vector<std::uint8_t> RoundTrip(const std::vector<std::vector<std::uint8_t>>& rows) {
  std::vector<std::uint8_t> stream;
  RowDeflater deflater;
  deflater.Start([&](const std::uint8_t* bytes, std::size_t count) {
    stream.insert(stream.end(), bytes, bytes + count);
  });
  std::size_t total = 0;
  for (const auto& row : rows) {
    deflater.AddRow(row.data(), row.size());
    total += row.size();
  }
  deflater.Finish();
  std::vector<std::uint8_t> back(total + 1);
  uLongf length = static_cast<uLongf>(back.size());
  EXPECT_EQ(uncompress(back.data(), &length, stream.data(), static_cast<uLong>(stream.size())),
            Z_OK);
  back.resize(length);
  return back;
}

std::vector<std::uint8_t> Joined(const std::vector<std::vector<std::uint8_t>>& rows) {
  std::vector<std::uint8_t> all;
  for (const auto& row : rows) all.insert(all.end(), row.begin(), row.end());
  return all;
}

TEST(RowDeflaterTest, WhatGoesInComesBackOut) {
  std::mt19937 random(7);
  const auto page = [&](std::size_t width, int rows, int ink_percent) {
    std::vector<std::vector<std::uint8_t>> page_rows;
    std::vector<std::uint8_t> row(width, 0);
    for (int y = 0; y < rows; ++y) {
      // Rows repeat, change a little, or are made afresh.
      const int choice = static_cast<int>(random() % 10);
      if (choice < 3) {
        for (std::uint8_t& byte : row) {
          byte = static_cast<int>(random() % 100) < ink_percent ? static_cast<std::uint8_t>(random()) : 0;
        }
      } else if (choice < 6) {
        row[random() % width] ^= static_cast<std::uint8_t>(random());
      }
      row[0] = 0;  // PNG's filter byte
      page_rows.push_back(row);
    }
    return page_rows;
  };
  for (const auto& rows : {page(600, 400, 10), page(1, 50, 50), page(2, 50, 50), page(3, 9, 90),
                           page(40000, 12, 5), page(300, 3000, 100)}) {
    EXPECT_EQ(RoundTrip(rows), Joined(rows));
  }
  EXPECT_TRUE(RoundTrip({}).empty());
  // One deflater, page after page.
  RowDeflater deflater;
  for (int run = 0; run < 2; ++run) {
    std::vector<std::uint8_t> stream;
    deflater.Start([&](const std::uint8_t* bytes, std::size_t count) {
      stream.insert(stream.end(), bytes, bytes + count);
    });
    const std::vector<std::uint8_t> row(100, static_cast<std::uint8_t>(run));
    deflater.AddRow(row.data(), row.size());
    deflater.Finish();
    std::vector<std::uint8_t> back(101);
    uLongf length = 101;
    ASSERT_EQ(uncompress(back.data(), &length, stream.data(), static_cast<uLong>(stream.size())), Z_OK);
    EXPECT_EQ(length, 100u);
  }
}

TEST(RowDeflaterTest, CodeLengthsStayWithinTheirLimitAndFormACompleteCode) {
  // Counts of a Fibonacci series make a Huffman code 30 levels deep.
  std::vector<std::uint32_t> counts(30);
  counts[0] = counts[1] = 1;
  for (std::size_t i = 2; i < counts.size(); ++i) counts[i] = counts[i - 1] + counts[i - 2];
  for (int limit : {7, 15}) {
    const std::vector<std::uint8_t> lengths = HuffmanLengths(counts.data(), counts.size(), limit);
    double kraft = 0;
    for (std::uint8_t length : lengths) {
      ASSERT_GE(length, 1);
      ASSERT_LE(length, limit);
      kraft += std::ldexp(1.0, -length);
    }
    EXPECT_DOUBLE_EQ(kraft, 1.0);
  }
}

}  // namespace
}  // namespace mox
