// The previewer's commands as data: the ids of both languages, the tool-bar
// layout and the rule that decides which commands can run.
#pragma once

#include <array>

#include "platform/command_states.h"
#include "previewer/resources/resource_ids.h"

namespace mox {

// The English id of a command given by either of its ids.
constexpr int EnglishCommandId(int id) {
  return id > CHINESE_ID_OFFSET ? id - CHINESE_ID_OFFSET : id;
}

// The id that menus and tool-bar buttons of the language use.
constexpr int CommandIdFor(int english_id, bool chinese) {
  return chinese ? english_id + CHINESE_ID_OFFSET : english_id;
}

// Commands that act on the open document and are greyed without one.
bool IsDocumentCommand(int id);

// Whether the menu item or button of a command (either id) is enabled.
bool IsCommandEnabled(int id, bool document_open);

class PageView;

// The previewer's commands as its frame asks about them: those of the
// document greyed without one, the continuous layout checked when it is on,
// the hints of the table.
class PreviewerCommandStates final : public platform::CommandStates {
 public:
  explicit PreviewerCommandStates(const PageView& view) : view_(view) {}
  bool IsEnabled(int id) const override;
  std::optional<bool> IsChecked(int id) const override;
  std::string HintOf(int id) const override;

 private:
  const PageView& view_;
};

struct ToolBarEntry {
  int EnglishId;       // also the number of the button's bitmap
  int SeparatorAfter;  // width in pixels; 0 for none
};

// The buttons of the tool bar, left to right.
inline constexpr std::array<ToolBarEntry, 16> kToolBarLayout{{
    {CM_OPEN, 3},        {CM_PRINT, 10},
    {CM_PREVPAGE, 3},    {CM_NEXTPAGE, 3},
    {CM_SELECTPAGE, 3},  {CM_ENTERPAGE, 10},
    {CM_ZOOMOUT, 3},     {CM_ZOOMIN, 3},
    {CM_ZOOMFIT, 3},     {CM_ZOOMCHANGE, 10},
    {CM_VIEWLEFT, 3},    {CM_VIEWRIGHT, 3},
    {CM_VIEWUP, 3},      {CM_VIEWDOWN, 3},
    {CM_VIEWTOPLEFT, 3}, {CM_VIEWBOTTOMRIGHT, 0},
}};

}  // namespace mox
