// A grid of GBK text cells shown as UTF-16: column headings in a header
// whose columns can be resized and dragged into another order, rows that
// can be resized by dragging their lower edge, a vertical scroll bar by
// rows, a selected row, and notifications of clicks and double-clicks on a
// row. An editable grid keeps a cell editor shown on its current cell; Tab
// and Shift+Tab move it through the cells in the order shown.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/grid_layout.h"
#include "platform/win32/framework/window.h"

namespace mox::win {

struct GridOptions {
  bool Editable = false;  // cells edited in place, the editor always shown
  int RowHeight = 21;
};

class TGridControl : public TWindow {
 public:
  // Another program (a test) reads the grid with these messages.
  static constexpr UINT kGetTopRow = WM_APP + 0x60;       // the first row shown
  static constexpr UINT kGetSelectedRow = WM_APP + 0x61;  // -1 for none
  // The middle of cell (wparam row, lparam logical column) in client
  // coordinates as MAKELONG(x, y), or -1 when it is not shown.
  static constexpr UINT kGetCellPoint = WM_APP + 0x62;
  static constexpr const wchar_t* kClassName = L"MoxGrid";

  TGridControl(std::vector<std::string> headings, std::size_t rows, GridOptions options);
  ~TGridControl() override;

  // A child window of parent with the parent's font.
  bool CreateGrid(HWND parent, int id, const RECT& box);
  // In the place of a control of a dialog (its box, its id, its place in
  // the tab order), which it destroys.
  bool CreateInPlaceOf(HWND placeholder);

  std::size_t RowCount() const { return cells_.size(); }
  void SetCell(std::size_t row, std::size_t column, const std::string& text);
  // As shown, edits in the cell editor included.
  const std::string& Cell(std::size_t row, std::size_t column) const;
  void SetColumnWidth(std::size_t column, int width);
  // The cell editor's font (the cells are drawn in the parent's).
  void SetEditorFont(HFONT font);

  std::optional<std::size_t> SelectedRow() const { return selected_; }
  void SelectRow(std::size_t row);
  std::size_t TopRow() const { return layout_.TopRow(); }
  // Scrolls so that the row is the first shown, as far as the rows below
  // fill the grid.
  void ScrollRowToTop(std::size_t row);
  // Width of the area rows are shown in.
  int BodyWidth() const;

  void OnRowClick(std::function<void(std::size_t row)> handler) { on_click_ = std::move(handler); }
  void OnRowDoubleClick(std::function<void(std::size_t row)> handler) {
    on_double_click_ = std::move(handler);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc, const RECT& damaged, bool erase) override;

 private:
  static LRESULT CALLBACK EditorProcedure(HWND editor, UINT message, WPARAM wparam,
                                          LPARAM lparam, UINT_PTR id, DWORD_PTR self);
  bool CreateParts();
  int BodyHeight() const;
  void Layout();
  void UpdateScrollBars();
  // HandleMessage's groups of messages; those that say whether they took
  // the message leave the others to the default processing.
  void ScrollMessage(UINT message, WPARAM wparam);
  std::optional<LRESULT> MouseMessage(UINT message, LPARAM lparam);
  std::optional<LRESULT> ChildMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT QueryMessage(UINT message, WPARAM wparam, LPARAM lparam) const;
  void ScrollVertically(WORD request);
  void ScrollHorizontally(WORD request);
  void SetHorizontalOffset(int offset);
  void ReadHeader();
  std::optional<platform::GridCell> CellAt(int x, int y) const;
  std::optional<RECT> CellBox(std::size_t row, std::size_t column) const;
  void MoveTo(platform::GridCell cell);
  void MoveBy(long rows);
  void PlaceEditor();
  // The height of a line of the editor's font.
  int EditorTextHeight() const;
  bool HandleKey(WPARAM key);
  void Changed();

  std::vector<std::string> headings_;
  std::vector<std::vector<std::string>> cells_;
  GridOptions options_;
  platform::GridLayout layout_;
  HWND header_ = nullptr;
  HWND editor_ = nullptr;
  HFONT font_ = nullptr;
  int offset_x_ = 0;  // pixels of the columns scrolled out on the left
  int header_height_ = 0;
  std::optional<std::size_t> selected_;
  platform::GridCell current_;  // the editor's cell
  std::optional<platform::GridCell> editor_cell_;  // the cell the editor holds
  std::string before_edit_;     // what Escape puts back
  bool loading_editor_ = false;
  std::optional<std::size_t> resizing_row_;
  int resize_top_ = 0;
  std::optional<std::size_t> pressed_row_;
  std::function<void(std::size_t)> on_click_;
  std::function<void(std::size_t)> on_double_click_;
};

}  // namespace mox::win
