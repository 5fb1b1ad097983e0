// TplaintexForm, the TeX command assistant (the Plaintex unit): a modeless
// dialog over the list read from tex.txt, with the topic box that finds a
// topic's first entry, the text to insert, and insert, help and cancel.
#pragma once

#include <string>
#include <string_view>

#include "frontend/core/command_assistant.h"
#include "frontend/win32/list_dialog.h"

namespace mox::varelo {

class TplaintexForm : public TListDialog {
 public:
  // Reads folder's tex.txt (folder: where the program file is).
  TplaintexForm(TFrameForm& frame, const std::string& folder);

  // ShowAssistantAt: the list at the first entry whose description holds
  // the keyword, the dialog shown; nothing when none does.
  void ShowAt(std::string_view keyword);

 protected:
  void SetupWindow() override;
  bool Command(int id, int notification) override;

 private:
  void ShowState();  // the selected and top rows and the text to insert
  void SetTopic(const std::string& topic);
  void TopicChanged(const std::string& topic);
  void RowClicked(std::size_t row);
  void Help();

  CommandAssistant assistant_;
  bool setting_topic_ = false;
};

}  // namespace mox::varelo
