// The continuous view's arithmetic: the pages of the selection one below
// the other, each the single view's page picture (the largest page with its
// margins), a gap between two. Positions are zoomed pixels of the scrolled
// view, the first page's top at 0. Pure functions, so that the window and
// the tests compute the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "previewer/shell/view_layout.h"

namespace mox {

struct ScanDocument;

// Pixels between two pages of the continuous view.
inline constexpr std::int32_t kPageGap = 12;

struct PageStack {
  std::vector<std::int32_t> Pages;  // physical page indices, top first
  std::int64_t PageHeight = 0;      // one page picture, margins included
  std::int64_t Gap = kPageGap;

  std::int64_t Pitch() const { return PageHeight + Gap; }
  // From the first page's top to the last page's bottom.
  std::int64_t Height() const;
  std::int64_t TopOf(std::size_t slot) const { return static_cast<std::int64_t>(slot) * Pitch(); }
  // The slot (position in the stack) of a page, if it is in the selection.
  std::optional<std::size_t> SlotOf(std::int32_t page) const;
  // The slots a band of view rows [top, bottom) meets, as [first, end);
  // gaps meet none.
  struct Range {
    std::size_t First = 0;
    std::size_t End = 0;
  };
  Range SlotsMeeting(std::int64_t top, std::int64_t bottom) const;
  // The slot with the most rows in the band, the upper one of two alike;
  // the nearest one when the band shows only a gap.
  std::size_t MostInView(std::int64_t top, std::int64_t bottom) const;
};

// The selectable pages of an open document at a page picture height.
PageStack StackPages(const ScanDocument& doc, std::int64_t page_height);

// One page picture's zoomed height, margins included, as the single view
// lays it out.
std::int32_t PageHeightAt(const PageGeometry& page, double zoom);

// The scroller of the continuous view: the single view's units (about
// fifty a page) over the whole stack. The gap grows from kPageGap to make a
// page and a gap whole units, so that a page turn puts the page's top
// exactly at the window's top.
ScrollLayout LayOutStack(const PageGeometry& page, double zoom, std::uint32_t client_width,
                         std::uint32_t client_height, PageStack& stack);

}  // namespace mox
