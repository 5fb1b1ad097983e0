#include "tools/mkhzfont/outline_font_writer.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace mox::hzfont {
namespace {

namespace fmt = outline_format;

void CheckPoint(GridPoint p, int design_width, int design_height) {
  if (p.X < 0 || p.X >= design_width || p.Y < 0 || p.Y >= design_height) {
    throw std::invalid_argument("a point lies outside the design grid");
  }
}

class StreamBuilder {
 public:
  StreamBuilder(int design_width, int design_height)
      : width_(design_width), height_(design_height) {}

  void Command(std::uint8_t value) { out_.push_back(value); }
  void MoveTo(GridPoint to) {
    CheckPoint(to, width_, height_);
    out_.push_back(fmt::DeltaByte(at_.X, to.X, width_));
    out_.push_back(fmt::DeltaByte(at_.Y, to.Y, height_));
    at_ = to;
  }
  void Reset() { at_ = {}; }
  GridPoint At() const { return at_; }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  int width_;
  int height_;
  GridPoint at_;
  std::vector<std::uint8_t> out_;
};

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, unsigned value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> EncodeGlyph(const std::vector<Contour>& contours, int design_width,
                                      int design_height) {
  if (design_width < 1 || design_width > 256 || design_height < 1 || design_height > 256) {
    throw std::invalid_argument("deltas of one byte need a design size of 1 to 256");
  }
  StreamBuilder out(design_width, design_height);
  for (const Contour& contour : contours) {
    CheckPoint(contour.Start, design_width, design_height);
    // The segments that move, without a last line back to the start.
    std::vector<Segment> segments;
    GridPoint at = contour.Start;
    for (const Segment& segment : contour.Segments) {
      if (!segment.Cubic && segment.End == at) continue;
      segments.push_back(segment);
      at = segment.End;
    }
    if (!segments.empty() && !segments.back().Cubic && segments.back().End == contour.Start) {
      segments.pop_back();
    }
    if (segments.empty()) continue;

    out.Command(fmt::kStartContour);
    out.Reset();
    out.Command(fmt::kPoint);
    out.MoveTo(contour.Start);
    for (std::size_t i = 0; i < segments.size();) {
      if (segments[i].Cubic) {
        out.Command(fmt::kCubic);
        out.MoveTo(segments[i].C1);
        out.MoveTo(segments[i].C2);
        out.MoveTo(segments[i].End);
        ++i;
        continue;
      }
      std::size_t run = i;
      while (run < segments.size() && !segments[run].Cubic) ++run;
      if (run - i == 1) {
        out.Command(fmt::kPoint);
        out.MoveTo(segments[i].End);
      } else {
        out.Command(fmt::kPolyline);
        for (std::size_t j = i; j < run; ++j) out.MoveTo(segments[j].End);
        out.Command(0);
        out.Command(0);
      }
      i = run;
    }
    out.Command(fmt::kEndContour);
  }
  out.Command(fmt::kEndGlyph);
  return out.Take();
}

std::vector<std::uint8_t> ScrambleGlyph(int k, const std::vector<std::uint8_t>& values) {
  std::vector<std::uint8_t> out;
  out.reserve(values.size());
  fmt::KeyPositions keys = fmt::KeyPositions::ForGlyph(k);
  for (std::uint8_t value : values) {
    out.push_back(fmt::Scramble(value, keys));
    keys.Step();
  }
  return out;
}

CodeTable BuildCodeTable(const std::array<std::uint64_t, 256>& frequencies) {
  // Huffman's construction over a tree of shared nodes; a leaf holds a value.
  struct Node {
    int Value = -1;
    std::shared_ptr<Node> Left;
    std::shared_ptr<Node> Right;
  };
  // Ordered by weight, then by the order of creation (leaves by value first).
  std::multimap<std::pair<std::uint64_t, int>, std::shared_ptr<Node>> queue;
  int order = 0;
  for (int value = 0; value < 256; ++value) {
    if (frequencies[static_cast<std::size_t>(value)] == 0) continue;
    auto leaf = std::make_shared<Node>();
    leaf->Value = value;
    queue.emplace(std::make_pair(frequencies[static_cast<std::size_t>(value)], order++), leaf);
  }
  if (queue.empty()) throw std::invalid_argument("no values to code");

  CodeTable table;
  if (queue.size() == 1) {
    const auto value = static_cast<std::uint8_t>(queue.begin()->second->Value);
    table.Tree.NodeCount = 1;
    table.Tree.Nodes[1] = {value, value, 0, 0};
    table.Codes[value] = {false};
    return table;
  }
  while (queue.size() > 1) {
    auto first = queue.begin();
    auto second = std::next(first);
    auto parent = std::make_shared<Node>();
    parent->Left = first->second;
    parent->Right = second->second;
    const std::uint64_t weight = first->first.first + second->first.first;
    queue.erase(first, std::next(second));
    queue.emplace(std::make_pair(weight, order++), parent);
  }

  // Inner nodes numbered breadth first from the root, node 1.
  std::vector<std::pair<const Node*, std::vector<bool>>> inner;
  std::deque<std::pair<const Node*, std::vector<bool>>> pending;
  pending.emplace_back(queue.begin()->second.get(), std::vector<bool>{});
  while (!pending.empty()) {
    auto [node, code] = pending.front();
    pending.pop_front();
    inner.emplace_back(node, code);
    for (int side = 0; side < 2; ++side) {
      const Node* child = side == 0 ? node->Left.get() : node->Right.get();
      std::vector<bool> child_code = code;
      child_code.push_back(side == 1);
      if (child->Value >= 0) {
        table.Codes[static_cast<std::size_t>(child->Value)] = child_code;
      } else {
        pending.emplace_back(child, child_code);
      }
    }
  }
  table.Tree.NodeCount = static_cast<int>(inner.size());
  // Each inner node's index is its position in `inner` plus one; children
  // come later in breadth-first order, so a map from node to index suffices.
  std::map<const Node*, int> index;
  for (std::size_t i = 0; i < inner.size(); ++i) index[inner[i].first] = static_cast<int>(i) + 1;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const Node* node = inner[i].first;
    fmt::TreeNode& out = table.Tree.Nodes[i + 1];
    if (node->Left->Value >= 0) {
      out.LeftValue = static_cast<std::uint8_t>(node->Left->Value);
    } else {
      out.LeftChild = static_cast<std::uint8_t>(index.at(node->Left.get()));
    }
    if (node->Right->Value >= 0) {
      out.RightValue = static_cast<std::uint8_t>(node->Right->Value);
    } else {
      out.RightChild = static_cast<std::uint8_t>(index.at(node->Right.get()));
    }
  }
  return table;
}

std::vector<std::uint8_t> EncodeBits(const CodeTable& table, const std::vector<std::uint8_t>& values) {
  std::vector<std::uint8_t> out;
  int used = 8;
  for (std::uint8_t value : values) {
    const std::vector<bool>& code = table.Codes[value];
    if (code.empty()) throw std::invalid_argument("a value without a code");
    for (bool bit : code) {
      if (used == 8) {
        out.push_back(0);
        used = 0;
      }
      if (bit) out.back() = static_cast<std::uint8_t>(out.back() | 0x80u >> used);
      ++used;
    }
  }
  return out;
}

std::vector<std::uint8_t> WriteFont(const FontImage& font) {
  const std::size_t count = font.Glyphs.size();
  if (count < 1 || count > static_cast<std::size_t>(fmt::kMaxGlyphs)) {
    throw std::invalid_argument("a font holds 1 to 3760 glyphs");
  }
  if (font.FirstCode < 0 || font.FirstCode + count - 1 > 0xFFFF) {
    throw std::invalid_argument("character codes are 16-bit");
  }
  if (font.DesignWidth < 1 || font.DesignWidth > 0x7FFF || font.DesignHeight < 1 ||
      font.DesignHeight > 0x7FFF) {
    throw std::invalid_argument("design sizes are positive 16-bit numbers");
  }
  std::vector<std::uint8_t> out(fmt::kHeaderBytes);
  out[0] = out[1] = fmt::kSignatureByte;
  out[2] = static_cast<std::uint8_t>(font.Type);
  out[3] = 0;
  PutU16(out, 4, static_cast<unsigned>(font.FirstCode));
  PutU16(out, 6, static_cast<unsigned>(font.FirstCode + static_cast<int>(count) - 1));
  PutU16(out, 8, static_cast<unsigned>(font.DesignWidth));
  PutU16(out, 10, static_cast<unsigned>(font.DesignHeight));

  std::vector<std::vector<std::uint8_t>> data(count);
  switch (font.Type) {
    case fmt::kScrambled:
    case fmt::kFixedRecords:
      for (std::size_t k = 0; k < count; ++k) data[k] = ScrambleGlyph(static_cast<int>(k), font.Glyphs[k]);
      break;
    case fmt::kTreeCoded: {
      std::array<std::uint64_t, 256> frequencies{};
      for (const auto& glyph : font.Glyphs) {
        for (std::uint8_t value : glyph) ++frequencies[value];
      }
      const CodeTable table = BuildCodeTable(frequencies);
      for (std::size_t k = 0; k < count; ++k) data[k] = EncodeBits(table, font.Glyphs[k]);
      // Offsets first, then node 0 (the count) and the nodes.
      out.resize(out.size() + 4 * (count + 1));
      out.push_back(static_cast<std::uint8_t>(table.Tree.NodeCount));
      out.insert(out.end(), 3, 0);
      for (int i = 1; i <= table.Tree.NodeCount; ++i) {
        const fmt::TreeNode& node = table.Tree.Nodes[static_cast<std::size_t>(i)];
        out.insert(out.end(), {node.LeftValue, node.RightValue, node.LeftChild, node.RightChild});
      }
      break;
    }
    default:
      throw std::invalid_argument("the format type is 1, 2 or 3");
  }

  if (font.Type == fmt::kFixedRecords) {
    std::size_t record = 1;
    for (const auto& glyph : data) record = std::max(record, glyph.size());
    if (record > 0xFFFF) throw std::invalid_argument("a type 2 record is at most 65535 bytes");
    out.resize(fmt::kType2RecordStart);
    PutU16(out, fmt::kHeaderBytes, static_cast<unsigned>(record));
    for (std::size_t k = 0; k < count; ++k) {
      // Padding continues the scrambled stream with end-of-glyph values.
      std::vector<std::uint8_t> padded = font.Glyphs[k];
      padded.resize(record, fmt::kEndGlyph);
      const std::vector<std::uint8_t> scrambled = ScrambleGlyph(static_cast<int>(k), padded);
      out.insert(out.end(), scrambled.begin(), scrambled.end());
    }
    return out;
  }

  if (font.Type == fmt::kScrambled) out.resize(out.size() + 4 * (count + 1));
  std::size_t offset = out.size();
  for (std::size_t k = 0; k <= count; ++k) {
    if (offset > 0xFFFFFFFFu) throw std::invalid_argument("the file outgrows 32-bit offsets");
    PutU32(out, fmt::kHeaderBytes + 4 * k, static_cast<std::uint32_t>(offset));
    if (k < count) offset += data[k].size();
  }
  for (const auto& glyph : data) out.insert(out.end(), glyph.begin(), glyph.end());
  return out;
}

}  // namespace mox::hzfont
