// The layout of TFrameForm: the heights and widths of its bars and the
// places of the controls on its palette panel and caret box, in pixels.
#pragma once

namespace mox::varelo::layout {

// ToolBar2: buttons with a glyph above a caption.
inline constexpr int kToolButtonHeight = 39;
inline constexpr int kGlyphSize = 16;
// The structure bar (Panel3) and the palette bar (Panel1): one row of text
// buttons each.
inline constexpr int kButtonBarHeight = 26;
// Their buttons: as wide as the caption and the padding, side by side with
// a gap between them.
inline constexpr int kBarButtonTop = 2;
inline constexpr int kBarButtonHeight = 22;
inline constexpr int kBarButtonPadding = 14;
inline constexpr int kBarButtonGap = 2;
// The palette panel (Panel2), docked right, and its controls.
inline constexpr int kPalettePanelWidth = 74;
inline constexpr int kSymbolBox[4] = {4, 6, 55, 21};       // Edit1: x, y, width, height
inline constexpr int kHideButton[4] = {60, 4, 11, 17};     // Button1 "x"
inline constexpr int kPaletteImage[4] = {4, 30, 65, 311};  // Image1
// The caret box (Panel4) at the right end of the tool bar: "光标" over the
// position.
inline constexpr int kCaretBoxWidth = 64;
inline constexpr int kCaretLabelHeight = 16;

}  // namespace mox::varelo::layout
