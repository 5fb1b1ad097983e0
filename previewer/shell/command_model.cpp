#include "previewer/shell/command_model.h"

#include "previewer/shell/command_texts.h"
#include "previewer/shell/commands.h"

namespace mox {
namespace {

// Windows' virtual-key codes of the keys below.
constexpr int kSpace = 0x20, kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D;
constexpr int kDelete = 0x2E, kF1 = 0x70, kF3 = 0x72;

constexpr int Ctrl(char letter) { return letter - 'a' + 1; }

// Insert, Delete and the space bar are keys of their own that the menus do
// not name.
constexpr PreviewerKey kPreviewerKeys[] = {
    {Ctrl('o'), false, CM_OPEN},       {Ctrl('c'), false, CM_CLOSE},
    {Ctrl('t'), false, CM_OPTIONS},    {Ctrl('n'), false, CM_TRUETYPE},
    {Ctrl('p'), false, CM_PRINT},      {Ctrl('x'), false, CM_QUIT},
    {Ctrl('s'), false, CM_SELECTPAGE}, {Ctrl('e'), false, CM_ENTERPAGE},
    {Ctrl('f'), false, CM_ZOOMFIT},    {Ctrl('z'), false, CM_ZOOMCHANGE},
    {kPageUp, true, CM_PREVPAGE},      {kPageDown, true, CM_NEXTPAGE},
    {kDelete, true, CM_ZOOMIN},        {kInsert, true, CM_ZOOMOUT},
    {'0', false, CM_ZOOMFIT},          {'1', false, CM_ZOOM1},
    {'2', false, CM_ZOOM2},            {'3', false, CM_ZOOM3},
    {'4', false, CM_ZOOM4},            {'5', false, CM_ZOOM5},
    {'6', false, CM_ZOOM6},            {'7', false, CM_ZOOM7},
    {'8', false, CM_ZOOM8},            {'9', false, CM_ZOOM9},
    {'+', false, CM_ZOOMIN},           {'=', false, CM_ZOOMIN},
    {'>', false, CM_ZOOMIN},           {'.', false, CM_ZOOMIN},
    {'-', false, CM_ZOOMOUT},          {'_', false, CM_ZOOMOUT},
    {'<', false, CM_ZOOMOUT},          {',', false, CM_ZOOMOUT},
    {kEnd, true, CM_VIEWBOTTOMRIGHT},  {kHome, true, CM_VIEWTOPLEFT},
    {kUp, true, CM_VIEWUP},            {kDown, true, CM_VIEWDOWN},
    {kSpace, true, CM_VIEWDOWN},       {kSpace, true, CM_VIEWUP, true},
    {kLeft, true, CM_VIEWLEFT},        {kRight, true, CM_VIEWRIGHT},
    {kF1, true, CM_HELP},              {'F', true, CM_FIND, true, true},
    {kF3, true, CM_FINDNEXT},          {kInsert, true, CM_COPY, false, true},
};

}  // namespace

std::span<const PreviewerCommand> PreviewerCommands() { return kPreviewerCommands; }

std::span<const PreviewerKey> PreviewerKeys() { return kPreviewerKeys; }

std::span<const PreviewerMenu> PreviewerMenus() { return kPreviewerMenus; }

std::vector<int> ItemsOf(const PreviewerMenu& menu) {
  std::vector<int> items;
  for (int id : menu.Items) {
    if (id == 0) break;
    items.push_back(id);
  }
  return items;
}

const PreviewerCommand* FindPreviewerCommand(int id) {
  const int english = EnglishCommandId(id);
  for (const PreviewerCommand& command : kPreviewerCommands) {
    if (command.Id == english) return &command;
  }
  return nullptr;
}

const char* PreviewerHintOf(int id) {
  const Language language = id > CHINESE_ID_OFFSET ? Language::Chinese : Language::English;
  if (const PreviewerCommand* command = FindPreviewerCommand(id)) return command->Hint.In(language);
  for (const PreviewerMenu& menu : kPreviewerMenus) {
    if (menu.HintId == EnglishCommandId(id)) return menu.Hint.In(language);
  }
  return "";
}

}  // namespace mox
