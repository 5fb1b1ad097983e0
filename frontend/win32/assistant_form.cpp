#include "frontend/win32/assistant_form.h"

#include "platform/text_format.h"

#include <commctrl.h>

#include "frontend/core/list_dialog_texts.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/resource_ids.h"
#include "platform/win32/framework/window_text.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kTopicsShown = 12;  // entries of the dropped-down topic box

}  // namespace

TplaintexForm::TplaintexForm(TFrameForm& frame, const std::string& folder)
    : TListDialog(frame, IDD_ASSISTANT, IDC_ASSISTANT_TEXT) {
  assistant_.Load(folder + "\\" + std::string(kAssistantFile));
}

void TplaintexForm::SetupWindow() {
  SetWindowTextW(Handle(), platform::Widen(kAssistantCaption).c_str());
  SetItemText(IDC_ASSISTANT_LABEL, std::string(kAssistantEditLabel));
  SetItemText(IDOK, std::string(kSelectButton));
  SetItemText(IDC_ASSISTANT_HELP, std::string(kHelpButton));
  SetItemText(IDCANCEL, std::string(kCancelButton));

  const HWND topics = GetDlgItem(Handle(), IDC_ASSISTANT_TOPICS);
  for (std::string_view topic : AssistantTopics()) {
    SendMessageW(topics, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(platform::Widen(topic).c_str()));
  }
  SendMessageW(topics, CB_SETMINVISIBLE, kTopicsShown, 0);
  SetTopic(assistant_.Topic);

  if (!CreateList(IDC_ASSISTANT_GRID, kAssistantDescriptionHeading, kAssistantTextHeading,
                  kAssistantRows, false, {IDC_ASSISTANT_TOPICS, IDC_ASSISTANT_TEXT})) {
    return;
  }
  const std::vector<AssistantEntry>& entries = assistant_.Entries();
  for (std::size_t row = 0; row < entries.size(); ++row) {
    grid_->SetCell(row, 0, entries[row].Description);
    grid_->SetCell(row, 1, entries[row].Text);
  }
  grid_->SelectRow(assistant_.SelectedRow);
  grid_->OnRowClick([this](std::size_t row) { RowClicked(row); });
  grid_->OnRowDoubleClick([this](std::size_t) { Insert(); });

  hints_.Add(Handle(), grid_->Handle(), std::string(kAssistantListHint));
  hints_.Add(Handle(), GetDlgItem(Handle(), IDOK), std::string(kAssistantOkHint));
  hints_.Add(Handle(), GetDlgItem(Handle(), IDC_ASSISTANT_HELP), std::string(kAssistantHelpHint));
}

bool TplaintexForm::Command(int id, int notification) {
  switch (id) {
    case IDC_ASSISTANT_TOPICS:
      if (notification == CBN_SELCHANGE) {
        // The box's text is not yet the picked entry's.
        const HWND topics = GetDlgItem(Handle(), IDC_ASSISTANT_TOPICS);
        const LRESULT picked = SendMessageW(topics, CB_GETCURSEL, 0, 0);
        const LRESULT length = SendMessageW(topics, CB_GETLBTEXTLEN, picked, 0);
        if (picked == CB_ERR || length == CB_ERR) return true;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(topics, CB_GETLBTEXT, picked, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        TopicChanged(platform::Narrow(text));
      } else if (notification == CBN_EDITCHANGE && !setting_topic_) {
        TopicChanged(win::WindowText(GetDlgItem(Handle(), IDC_ASSISTANT_TOPICS)));
      }
      return true;
    case IDOK: Insert(); return true;
    case IDC_ASSISTANT_HELP: Help(); return true;
    case IDCANCEL: Hide(); return true;
    default: return false;
  }
}

void TplaintexForm::ShowState() {
  if (grid_) {
    grid_->SelectRow(assistant_.SelectedRow);
    grid_->ScrollRowToTop(assistant_.TopRow);
  }
  SetItemText(IDC_ASSISTANT_TEXT, assistant_.Insertion);
}

void TplaintexForm::SetTopic(const std::string& topic) {
  // Text put into the box by the program starts no search.
  setting_topic_ = true;
  SetDlgItemTextW(Handle(), IDC_ASSISTANT_TOPICS, platform::Widen(topic).c_str());
  setting_topic_ = false;
}

void TplaintexForm::TopicChanged(const std::string& topic) {
  if (!assistant_.SearchTopic(topic)) return;
  ShowState();
  Show();
}

void TplaintexForm::ShowAt(std::string_view keyword) {
  if (!assistant_.ShowAt(keyword)) return;
  ShowState();
  SetTopic(assistant_.Topic);
  Show();
}

void TplaintexForm::RowClicked(std::size_t row) {
  assistant_.ClickRow(row);
  SetItemText(IDC_ASSISTANT_TEXT, assistant_.Insertion);
  SetTopic(assistant_.Topic);
}

void TplaintexForm::Help() {
  Hide();
  // The reference at the row the list shows at its top.
  frame_.ShowReference(Format("row-%lu", static_cast<unsigned long>(assistant_.TopRow)));
}

}  // namespace mox::varelo
