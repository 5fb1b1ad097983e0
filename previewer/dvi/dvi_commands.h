// DVI command bytes and the fixed sizes of the file's structures that the
// reader and the scanner need.
#pragma once

#include <cstdint>

namespace mox::dvi {

inline constexpr std::uint8_t kSet1 = 128;
inline constexpr std::uint8_t kSetRule = 132;
inline constexpr std::uint8_t kPut1 = 133;
inline constexpr std::uint8_t kPutRule = 137;
inline constexpr std::uint8_t kNop = 138;
inline constexpr std::uint8_t kBop = 139;
inline constexpr std::uint8_t kEop = 140;
inline constexpr std::uint8_t kPush = 141;
inline constexpr std::uint8_t kPop = 142;
inline constexpr std::uint8_t kRight1 = 143;
inline constexpr std::uint8_t kW0 = 147;
inline constexpr std::uint8_t kX0 = 152;
inline constexpr std::uint8_t kDown1 = 157;
inline constexpr std::uint8_t kY0 = 161;
inline constexpr std::uint8_t kZ0 = 166;
inline constexpr std::uint8_t kFntNum0 = 171;
inline constexpr std::uint8_t kFnt1 = 235;
inline constexpr std::uint8_t kXxx1 = 239;
inline constexpr std::uint8_t kFntDef1 = 243;
inline constexpr std::uint8_t kFntDef4 = 246;
inline constexpr std::uint8_t kPre = 247;
inline constexpr std::uint8_t kPost = 248;
inline constexpr std::uint8_t kPostPost = 249;

inline constexpr std::uint8_t kDviId = 2;        // the id byte of pre and post_post
inline constexpr std::uint8_t kTrailerByte = 223;

// bop with \count0 to \count9 and the pointer to the previous bop.
inline constexpr std::uint32_t kBopSize = 45;
// post with p, num, den, mag, l, u, s and t; the font definitions follow.
inline constexpr std::uint32_t kPostambleSize = 29;
// Offset of the comment length k in the preamble.
inline constexpr std::uint32_t kCommentLengthOffset = 14;

// DBA archive: header, then 24-byte directory entries, then the DVI data.
inline constexpr std::uint32_t kArchiveHeaderSize = 12;
inline constexpr std::uint32_t kArchiveEntrySize = 24;

}  // namespace mox::dvi
