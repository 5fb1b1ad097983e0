#include "tools/moxrender/row_deflater.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace mox {
namespace {

static_assert(std::endian::native == std::endian::little,
              "runs are found eight bytes at a time, lowest address first");

constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kWindow = 32768;
constexpr std::size_t kTokensPerBlock = 32768;
constexpr std::size_t kOutputPiece = 65536;
constexpr std::uint32_t kAdlerBase = 65521;
constexpr int kEndOfBlock = 256;

// The length and distance codes of deflate: base values and extra bits.
constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                           15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                           67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,
                                             17,   25,   33,   49,   65,   97,    129,   193,
                                             257,  385,  513,  769,  1025, 1537,  2049,  3073,
                                             4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which the code length code's lengths are sent.
constexpr std::uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                               11, 4,  12, 3, 13, 2, 14, 1, 15};

// The length code (0..28) of every match length.
const std::array<std::uint8_t, kMaxMatch + 1>& LengthCodes() {
  static const auto codes = [] {
    std::array<std::uint8_t, kMaxMatch + 1> table{};
    for (std::uint8_t code = 0; code < 29; ++code) {
      const std::size_t last = code + 1 < 29 ? kLengthBase[code + 1] : kMaxMatch + 1;
      for (std::size_t length = kLengthBase[code]; length < last && length <= kMaxMatch; ++length) {
        table[length] = code;
      }
    }
    table[kMaxMatch] = 28;  // 258 has a code of its own
    return table;
  }();
  return codes;
}

int DistanceCode(std::size_t distance) {
  int code = 29;
  while (kDistanceBase[code] > distance) --code;
  return code;
}

std::uint32_t Reversed(std::uint32_t code, int bits) {
  std::uint32_t reversed = 0;
  for (int i = 0; i < bits; ++i) reversed = (reversed << 1) | ((code >> i) & 1u);
  return reversed;
}

// Canonical Huffman codes of the lengths, bit-reversed as deflate sends them.
std::vector<std::uint16_t> CodesOf(const std::vector<std::uint8_t>& lengths) {
  std::array<int, 16> per_length{};
  for (std::uint8_t length : lengths) ++per_length[length];
  per_length[0] = 0;
  std::array<std::uint32_t, 16> next{};
  std::uint32_t code = 0;
  for (int bits = 1; bits < 16; ++bits) {
    code = (code + static_cast<std::uint32_t>(per_length[bits - 1])) << 1;
    next[bits] = code;
  }
  std::vector<std::uint16_t> codes(lengths.size(), 0);
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0) {
      codes[symbol] =
          static_cast<std::uint16_t>(Reversed(next[lengths[symbol]]++, lengths[symbol]));
    }
  }
  return codes;
}

// Bytes at p (at most `most`) equal to value.
std::size_t RunOf(const std::uint8_t* p, std::size_t most, std::uint8_t value) {
  const std::uint64_t pattern = 0x0101010101010101ull * value;
  std::size_t k = 0;
  for (; k + 8 <= most; k += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + k, 8);
    if (const std::uint64_t differ = word ^ pattern; differ != 0) {
      return k + static_cast<std::size_t>(std::countr_zero(differ)) / 8;
    }
  }
  while (k < most && p[k] == value) ++k;
  return k;
}

// Bytes at a and b (at most `most`) that are the same.
std::size_t CommonOf(const std::uint8_t* a, const std::uint8_t* b, std::size_t most) {
  std::size_t k = 0;
  for (; k + 8 <= most; k += 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a + k, 8);
    std::memcpy(&y, b + k, 8);
    if (x != y) return k + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
  }
  while (k < most && a[k] == b[k]) ++k;
  return k;
}

}  // namespace

std::vector<std::uint8_t> HuffmanLengths(const std::uint32_t* counts, std::size_t symbols,
                                         int max_bits) {
  std::vector<std::uint8_t> lengths(symbols, 0);
  std::vector<std::size_t> used;
  for (std::size_t s = 0; s < symbols; ++s) {
    if (counts[s] != 0) used.push_back(s);
  }
  if (used.empty()) return lengths;
  if (used.size() == 1) {
    lengths[used.front()] = 1;
    return lengths;
  }
  // Least frequent first (ties by symbol, so the result is always the same).
  std::sort(used.begin(), used.end(), [&](std::size_t a, std::size_t b) {
    return counts[a] != counts[b] ? counts[a] < counts[b] : a < b;
  });
  // The Huffman tree by the two-queue method: leaves in order of weight,
  // then the inner nodes in the order they are made (their weights never
  // fall). A node's parent is always made after it.
  const std::size_t leaves = used.size();
  std::vector<std::uint64_t> weight(2 * leaves - 1);
  std::vector<std::size_t> parent(2 * leaves - 1, 0);
  for (std::size_t i = 0; i < leaves; ++i) weight[i] = counts[used[i]];
  std::size_t next_leaf = 0;
  std::size_t next_inner = leaves;
  for (std::size_t made = leaves; made < 2 * leaves - 1; ++made) {
    std::size_t pair[2];
    for (std::size_t& child : pair) {
      if (next_leaf < leaves && (next_inner >= made || weight[next_leaf] <= weight[next_inner])) {
        child = next_leaf++;
      } else {
        child = next_inner++;
      }
    }
    weight[made] = weight[pair[0]] + weight[pair[1]];
    parent[pair[0]] = parent[pair[1]] = made;
  }
  std::vector<int> depth(2 * leaves - 1, 0);
  std::array<std::uint32_t, 64> per_length{};
  for (std::size_t node = 2 * leaves - 1; node-- > 0;) {
    if (node == 2 * leaves - 2) continue;  // the root
    depth[node] = depth[parent[node]] + 1;
    if (node < leaves) ++per_length[static_cast<std::size_t>(std::min(depth[node], 63))];
  }
  // Codes longer than max_bits are folded in: every one moved up to
  // max_bits, then codes split one level down until the code is complete.
  const auto max = static_cast<std::size_t>(max_bits);
  for (std::size_t length = max + 1; length < 64; ++length) {
    per_length[max] += per_length[length];
    per_length[length] = 0;
  }
  std::uint64_t total = 0;
  for (std::size_t length = 1; length <= max; ++length) {
    total += static_cast<std::uint64_t>(per_length[length]) << (max - length);
  }
  while (total > (std::uint64_t{1} << max)) {
    --per_length[max];
    for (std::size_t length = max - 1; length > 0; --length) {
      if (per_length[length] != 0) {
        --per_length[length];
        per_length[length + 1] += 2;
        break;
      }
    }
    --total;
  }
  // The longest codes go to the least frequent symbols.
  std::size_t at = 0;
  for (std::size_t length = max; length > 0; --length) {
    for (std::uint32_t k = 0; k < per_length[length]; ++k) {
      lengths[used[at++]] = static_cast<std::uint8_t>(length);
    }
  }
  return lengths;
}

void RowDeflater::Start(Sink sink) {
  sink_ = std::move(sink);
  // Room for a piece not sent yet, a whole block of tokens (6 bytes each at
  // most) and its header.
  if (out_.empty()) out_.resize(kOutputPiece + 8 * kTokensPerBlock + 4096);
  if (tokens_.capacity() < kTokensPerBlock) tokens_.reserve(kTokensPerBlock);
  tokens_.clear();
  literal_counts_.fill(0);
  distance_counts_.fill(0);
  previous_row_.clear();
  previous_sums_ = {};
  have_byte_ = false;
  last_byte_ = 0;
  adler_low_ = 1;
  adler_high_ = 0;
  bit_buffer_ = 0;
  bit_count_ = 0;
  finished_ = false;
  // CMF: deflate with a 32 KB window; FLG: fastest level, no dictionary.
  out_[0] = 0x78;
  out_[1] = 0x01;
  out_used_ = 2;
}

void RowDeflater::AddRow(const std::uint8_t* row, std::size_t length) {
  if (length == 0 || finished_) return;
  // The row above is one row length back, if it is as long and in reach.
  const bool above = previous_row_.size() == length && length <= kWindow;
  // A row like the one above (paper, mostly) has the checksum sums known.
  const bool repeated = above && std::memcmp(row, previous_row_.data(), length) == 0;
  if (!repeated) previous_sums_ = SumsOf(row, length);
  UpdateAdler(previous_sums_, length);

  const std::uint8_t* up = previous_row_.data();
  const std::size_t up_code = above ? static_cast<std::size_t>(DistanceCode(length)) : 0;
  const auto& length_code = LengthCodes();
  std::uint32_t* literals = literal_counts_.data();
  std::uint32_t* distances = distance_counts_.data();
  int before = have_byte_ ? last_byte_ : -1;  // the byte before in the stream
  std::size_t i = 0;
  while (i < length) {
    if (tokens_.size() >= kTokensPerBlock) WriteBlock(false);
    const std::uint8_t byte = row[i];
    const std::size_t most = std::min(length - i, kMaxMatch);
    std::size_t best = byte == before ? RunOf(row + i, most, byte) : 0;
    bool from_above = false;
    if (above && best < most && byte == up[i]) {
      const std::size_t same = CommonOf(row + i, up + i, most);
      if (same > best) {
        best = same;
        from_above = true;
      }
    }
    if (best >= kMinMatch) {
      tokens_.push_back({static_cast<std::uint16_t>(best),
                         static_cast<std::uint16_t>(from_above ? length : 1)});
      ++literals[257 + length_code[best]];
      ++distances[from_above ? up_code : 0];
      i += best;
      before = row[i - 1];
    } else {
      tokens_.push_back({byte, 0});
      ++literals[byte];
      before = byte;
      ++i;
    }
  }
  have_byte_ = true;
  last_byte_ = row[length - 1];
  if (!repeated) previous_row_.assign(row, row + length);
}

RowDeflater::RowSums RowDeflater::SumsOf(const std::uint8_t* row, std::size_t length) {
  // Byte j (from 0) of a row of n bytes adds c to the low sum and (n - j) c
  // to the high sum. Eight bytes at a time; zero bytes, most of a page, add
  // nothing at all.
  RowSums sums;
  std::size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, row + i, 8);
    if (word == 0) continue;
    // Their total and the sum of k c_k, in four 16-bit lanes of the even
    // and of the odd bytes: a multiply adds the lanes (weighted 3, 2, 1, 0
    // for the second) into the top lane without carries.
    constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    const std::uint64_t even = word & kLanes;
    const std::uint64_t odd = (word >> 8) & kLanes;
    const std::uint64_t total = ((even + odd) * 0x0001000100010001ull) >> 48;
    const std::uint64_t even_weighted = (even * 0x0000000100020003ull) >> 48;
    const std::uint64_t odd_weighted = (odd * 0x0000000100020003ull) >> 48;
    const std::uint64_t odd_total = (odd * 0x0001000100010001ull) >> 48;
    const std::uint64_t offsets = 2 * even_weighted + 2 * odd_weighted + odd_total;
    sums.Low += total;
    sums.High += (length - i) * total - offsets;
  }
  for (; i < length; ++i) {
    sums.Low += row[i];
    sums.High += (length - i) * row[i];
  }
  return sums;
}

void RowDeflater::UpdateAdler(const RowSums& sums, std::size_t length) {
  adler_high_ = (adler_high_ + (length % kAdlerBase) * adler_low_ + sums.High) % kAdlerBase;
  adler_low_ = (adler_low_ + sums.Low) % kAdlerBase;
}

void RowDeflater::FlushBytes(bool all) {
  if (all) {
    // Whole bytes of the bits held, the last one padded with zeros.
    for (; bit_count_ > 0; bit_count_ -= 8) {
      out_[out_used_++] = static_cast<std::uint8_t>(bit_buffer_);
      bit_buffer_ >>= 8;
    }
    bit_count_ = 0;
    bit_buffer_ = 0;
  }
  if (out_used_ > 0 && (all || out_used_ >= kOutputPiece)) {
    sink_(out_.data(), out_used_);
    out_used_ = 0;
  }
}

namespace {

// A code length list's symbol: a length (0-15) or one of the repeats 16
// (the last length 3-6 times), 17 (3-10 zeros) and 18 (11-138 zeros), with
// its extra bits.
struct LengthSymbol {
  std::uint8_t Symbol;
  std::uint8_t Extra;
};

std::vector<LengthSymbol> RunLengthCoded(const std::vector<std::uint8_t>& all) {
  std::vector<LengthSymbol> coded;
  for (std::size_t i = 0; i < all.size();) {
    const std::uint8_t value = all[i];
    std::size_t run = 1;
    while (i + run < all.size() && all[i + run] == value) ++run;
    i += run;
    if (value == 0) {
      while (run >= 11) {
        const std::size_t n = std::min<std::size_t>(run, 138);
        coded.push_back({18, static_cast<std::uint8_t>(n - 11)});
        run -= n;
      }
      if (run >= 3) {
        coded.push_back({17, static_cast<std::uint8_t>(run - 3)});
        run = 0;
      }
    } else {
      coded.push_back({value, 0});
      --run;
      while (run >= 3) {
        const std::size_t n = std::min<std::size_t>(run, 6);
        coded.push_back({16, static_cast<std::uint8_t>(n - 3)});
        run -= n;
      }
    }
    for (; run > 0; --run) coded.push_back({value, 0});
  }
  return coded;
}

// Symbols that are counted at least twice, so that each code is complete.
template <std::size_t N>
std::size_t UsedSymbols(const std::array<std::uint32_t, N>& counts) {
  return static_cast<std::size_t>(
      std::count_if(counts.begin(), counts.end(), [](std::uint32_t n) { return n != 0; }));
}

}  // namespace

RowDeflater::BlockCodes RowDeflater::CodesOfBlock() {
  literal_counts_[kEndOfBlock] = 1;
  // Every code has at least two symbols, so that each is complete.
  if (UsedSymbols(literal_counts_) < 2) {
    literal_counts_[0] = std::max<std::uint32_t>(literal_counts_[0], 1);
  }
  if (UsedSymbols(distance_counts_) < 2) {
    distance_counts_[0] = std::max<std::uint32_t>(distance_counts_[0], 1);
    distance_counts_[1] = std::max<std::uint32_t>(distance_counts_[1], 1);
  }
  BlockCodes codes;
  codes.LiteralLengths = HuffmanLengths(literal_counts_.data(), literal_counts_.size(), 15);
  codes.DistanceLengths = HuffmanLengths(distance_counts_.data(), distance_counts_.size(), 15);
  codes.Literals = 286;
  while (codes.Literals > 257 && codes.LiteralLengths[codes.Literals - 1] == 0) --codes.Literals;
  codes.Distances = 30;
  while (codes.Distances > 1 && codes.DistanceLengths[codes.Distances - 1] == 0) --codes.Distances;
  return codes;
}

// The block's header: both code length lists as one, run-length coded, in
// the code of the code lengths, which goes first.
void RowDeflater::WriteBlockHeader(const BlockCodes& codes, bool last) {
  std::vector<std::uint8_t> all(codes.LiteralLengths.begin(),
                                codes.LiteralLengths.begin() + static_cast<std::ptrdiff_t>(codes.Literals));
  all.insert(all.end(), codes.DistanceLengths.begin(),
             codes.DistanceLengths.begin() + static_cast<std::ptrdiff_t>(codes.Distances));
  const std::vector<LengthSymbol> coded = RunLengthCoded(all);
  std::array<std::uint32_t, 19> length_counts{};
  for (const LengthSymbol& s : coded) ++length_counts[s.Symbol];
  if (UsedSymbols(length_counts) < 2) length_counts[length_counts[0] != 0 ? 1 : 0] = 1;
  const std::vector<std::uint8_t> length_lengths =
      HuffmanLengths(length_counts.data(), length_counts.size(), 7);
  const std::vector<std::uint16_t> length_codes = CodesOf(length_lengths);
  std::size_t sent_lengths = 19;
  while (sent_lengths > 4 && length_lengths[kCodeLengthOrder[sent_lengths - 1]] == 0) --sent_lengths;

  PutBits(last ? 1 : 0, 1);
  PutBits(2, 2);  // dynamic Huffman codes
  PutBits(static_cast<std::uint32_t>(codes.Literals - 257), 5);
  PutBits(static_cast<std::uint32_t>(codes.Distances - 1), 5);
  PutBits(static_cast<std::uint32_t>(sent_lengths - 4), 4);
  for (std::size_t i = 0; i < sent_lengths; ++i) PutBits(length_lengths[kCodeLengthOrder[i]], 3);
  for (const LengthSymbol& s : coded) {
    PutBits(length_codes[s.Symbol], length_lengths[s.Symbol]);
    if (s.Symbol == 16) PutBits(s.Extra, 2);
    if (s.Symbol == 17) PutBits(s.Extra, 3);
    if (s.Symbol == 18) PutBits(s.Extra, 7);
  }
}

// The block's tokens and its end, in its codes.
void RowDeflater::WriteTokens(const BlockCodes& codes) {
  const std::vector<std::uint8_t>& literal_lengths = codes.LiteralLengths;
  const std::vector<std::uint8_t>& distance_lengths = codes.DistanceLengths;
  const std::vector<std::uint16_t> literal_bits = CodesOf(literal_lengths);
  const std::vector<std::uint16_t> distance_bits = CodesOf(distance_lengths);
  // Each match length as one piece of bits: its code, then its extra bits.
  const auto& length_code = LengthCodes();
  std::array<std::uint32_t, kMaxMatch + 1> length_piece{};
  std::array<std::uint8_t, kMaxMatch + 1> length_piece_bits{};
  for (std::size_t length = kMinMatch; length <= kMaxMatch; ++length) {
    const std::uint8_t code = length_code[length];
    const int code_bits = literal_lengths[257 + code];
    length_piece[length] = literal_bits[257 + code] |
                           static_cast<std::uint32_t>(length - kLengthBase[code]) << code_bits;
    length_piece_bits[length] = static_cast<std::uint8_t>(code_bits + kLengthExtra[code]);
  }
  // The same for the distances of the block (one or two, as a rule).
  std::size_t cached_distance = 0;
  std::uint32_t distance_piece = 0;
  int distance_piece_bits = 0;

  // The tokens through a local bit buffer straight into the output: at most
  // 15 + 5 + 15 + 13 bits, 6 bytes, a token.
  std::uint64_t buffer = bit_buffer_;
  int bits = bit_count_;
  std::size_t at = out_used_;
  std::uint8_t* out = out_.data();
  const auto put = [&](std::uint32_t value, int count) {
    buffer |= static_cast<std::uint64_t>(value) << bits;
    bits += count;
    if (bits >= 32) {
      const auto word = static_cast<std::uint32_t>(buffer);
      out[at] = static_cast<std::uint8_t>(word);
      out[at + 1] = static_cast<std::uint8_t>(word >> 8);
      out[at + 2] = static_cast<std::uint8_t>(word >> 16);
      out[at + 3] = static_cast<std::uint8_t>(word >> 24);
      at += 4;
      buffer >>= 32;
      bits -= 32;
    }
  };
  for (const Token& token : tokens_) {
    if (token.Distance == 0) {
      put(literal_bits[token.LengthOrLiteral], literal_lengths[token.LengthOrLiteral]);
      continue;
    }
    put(length_piece[token.LengthOrLiteral], length_piece_bits[token.LengthOrLiteral]);
    if (token.Distance != cached_distance) {
      cached_distance = token.Distance;
      const auto d = static_cast<std::size_t>(DistanceCode(cached_distance));
      distance_piece = distance_bits[d] |
                       static_cast<std::uint32_t>(cached_distance - kDistanceBase[d])
                           << distance_lengths[d];
      distance_piece_bits = distance_lengths[d] + kDistanceExtra[d];
    }
    put(distance_piece, distance_piece_bits);
  }
  out_used_ = at;
  bit_buffer_ = buffer;
  bit_count_ = bits;
  PutBits(literal_bits[kEndOfBlock], literal_lengths[kEndOfBlock]);
}

void RowDeflater::WriteBlock(bool last) {
  const BlockCodes codes = CodesOfBlock();
  WriteBlockHeader(codes, last);
  WriteTokens(codes);
  tokens_.clear();
  literal_counts_.fill(0);
  distance_counts_.fill(0);
  FlushBytes(false);
}

void RowDeflater::Finish() {
  if (finished_) return;
  finished_ = true;
  WriteBlock(true);
  FlushBytes(true);
  const std::uint32_t adler = static_cast<std::uint32_t>(adler_high_ << 16 | adler_low_);
  const std::uint8_t trailer[4] = {static_cast<std::uint8_t>(adler >> 24),
                                   static_cast<std::uint8_t>(adler >> 16),
                                   static_cast<std::uint8_t>(adler >> 8),
                                   static_cast<std::uint8_t>(adler)};
  sink_(trailer, sizeof trailer);
}

}  // namespace mox
