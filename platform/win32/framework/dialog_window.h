// What every dialog of the programs shares, modal or modeless, from a
// template among the resources or one in memory: the window, its one dialog
// procedure, the transfer data (fields bound to controls, copied into them
// when the dialog opens and back out on request) and the hooks the kinds of
// dialog and the dialogs themselves fill in.
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

class TDialogWindow {
 public:
  virtual ~TDialogWindow() = default;
  TDialogWindow(const TDialogWindow&) = delete;
  TDialogWindow& operator=(const TDialogWindow&) = delete;

  HWND Handle() const { return hwnd_; }

  // Bindings, made before the dialog is made. Texts are GBK, kept to
  // limit - 1 bytes (limit is the size of the buffer the text is meant for).
  void TransferText(int control_id, std::string* text, std::size_t limit);
  void TransferCheck(int control_id, bool* checked);
  void TransferListBox(int control_id, ListBoxData* data);
  void TransferComboBox(int control_id, ComboBoxData* data, std::size_t text_limit);

  void SetItemText(int control_id, const std::string& text);  // GBK
  std::string ItemText(int control_id) const;

  // A list box's selected positions, and one of its lines replaced in place
  // (selected again when it was).
  std::vector<int> ListSelection(int control_id) const;
  void ReplaceListLine(int control_id, int position, const std::string& text, bool selected);

 protected:
  // A template among the program's resources, or the words of a
  // DLGTEMPLATE in memory.
  TDialogWindow(HWND owner, const wchar_t* template_name)
      : owner_(owner), template_(template_name) {}
  TDialogWindow(HWND owner, std::vector<WORD> memory_template)
      : owner_(owner), memory_template_(std::move(memory_template)) {}

  // Runs the dialog modally: the id it ended with, or -1 when the template
  // cannot be used.
  INT_PTR RunModal();
  // Creates it modelessly (hidden unless its template says otherwise).
  HWND CreateModeless();

  // After the data went into the controls.
  virtual void SetupWindow() {}
  // A button or control command; true when handled. Not handled, it goes on
  // to HandleMessage as WM_COMMAND.
  virtual bool Command(int, int) { return false; }
  // The close box; true when handled (else the system's: Cancel).
  virtual bool Close() { return false; }
  // The window is going away.
  virtual void Destroyed() {}
  // Messages not handled by the dialog itself; return TRUE when handled.
  virtual INT_PTR HandleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

  void TransferIn();
  void TransferOut();

 private:
  struct Binding {
    int ControlId = 0;
    std::string* Text = nullptr;
    std::size_t Limit = 0;
    bool* Checked = nullptr;
    ListBoxData* List = nullptr;
    ComboBoxData* Combo = nullptr;
  };
  static bool IsMultipleSelection(HWND list);
  static void SelectLine(HWND list, int position);
  static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam);

  HWND owner_;
  const wchar_t* template_ = nullptr;
  std::vector<WORD> memory_template_;
  HWND hwnd_ = nullptr;
  std::vector<Binding> bindings_;
};

}  // namespace mox::win
