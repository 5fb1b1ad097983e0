// The build panel's window under the editors: the line of totals (or that
// a run is going on) above the list of rows. A double-click on a row, or
// Enter, asks the frame to open its place.
#pragma once

#include <windows.h>

#include <functional>

#include "frontend/core/build_panel.h"
#include "frontend/win32/frame_panels.h"

namespace mox::varelo {

class TBuildPanelWindow : public TPanel {
 public:
  bool CreateBuildPanel(HWND parent, std::function<void(std::size_t row)> open_row);
  BuildPanel& Model() { return model_; }
  const BuildPanel& Model() const { return model_; }
  // Shows the model's summary and rows as they are now.
  void Refresh();
  // Marks the model's selected row in the list and scrolls it into view.
  void ShowSelected();
  // The panel's height at its DPI.
  int PanelHeight() const;
  void ApplyDpi() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void PlaceControls();

  BuildPanel model_;
  std::function<void(std::size_t)> open_row_;
  HWND summary_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace mox::varelo
