// A modal dialog made from a dialog template in the program's resources,
// with transfer data: fields bound to controls are copied into the controls
// when the dialog opens and back out when the user presses OK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mox::win {

// A list box's lines and the positions selected (one at most in a
// single-selection list).
struct ListBoxData {
  std::vector<std::string> Lines;  // GBK
  std::vector<int> Selected;
};

// A combo box's entries, the entry selected (-1 for none) and its text
// (what an editable combo box holds).
struct ComboBoxData {
  std::vector<std::string> Entries;  // GBK
  int Selection = -1;
  std::string Text;
};

class TDialog {
 public:
  TDialog(HWND parent, const wchar_t* template_name);
  TDialog(HWND parent, int template_id);
  virtual ~TDialog() = default;
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  // Shows the dialog and returns the id of the button that ended it (IDOK,
  // IDCANCEL), or -1 when the template cannot be used.
  INT_PTR Execute();
  HWND Handle() const { return hwnd_; }

  // Bindings, made before Execute. Texts are GBK, kept to limit - 1 bytes
  // (limit is the size of the buffer the text is meant for).
  void TransferText(int control_id, std::string* text, std::size_t limit);
  void TransferCheck(int control_id, bool* checked);
  void TransferListBox(int control_id, ListBoxData* data);
  void TransferComboBox(int control_id, ComboBoxData* data, std::size_t text_limit);

  void SetItemText(int control_id, const std::string& text);
  std::string ItemText(int control_id) const;

  // A list box's selected positions, and one of its lines replaced in place
  // (selected again when it was).
  std::vector<int> ListSelection(int control_id) const;
  void ReplaceListLine(int control_id, int position, const std::string& text, bool selected);

 protected:
  // After the data went into the controls.
  virtual void SetupWindow() {}
  // Before the data is taken out on OK; false keeps the dialog open.
  virtual bool CanClose() { return true; }
  // Messages not handled by the dialog itself; return TRUE when handled.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Takes the data out of the controls and ends the dialog with a result
  // of the dialog's own (as OK does with IDOK).
  void EndWith(INT_PTR result);

 private:
  struct Binding {
    int ControlId;
    std::string* Text = nullptr;
    std::size_t Limit = 0;
    bool* Checked = nullptr;
    ListBoxData* List = nullptr;
    ComboBoxData* Combo = nullptr;
  };
  bool IsMultipleSelection(HWND list) const;
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam);
  void TransferIn();
  void TransferOut();

  HWND parent_;
  const wchar_t* template_;
  HWND hwnd_ = nullptr;
  std::vector<Binding> bindings_;
};

}  // namespace mox::win
