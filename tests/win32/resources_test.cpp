// The previewer's resource script, compiled into this test program: menus,
// hint strings, accelerators, tool-bar bitmaps, icon and the About box must
// hold exactly what the program shows in each language.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/command_model.h"

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

struct MenuLine {
  int Id;                // 0 for a separator, -1 for a popup
  std::wstring Caption;
};

// One popup and its items as the menu shows them.
struct Popup {
  std::wstring Caption;
  std::vector<MenuLine> Items;
};

// The menus of the command table in a language, with the Chinese ids.
std::vector<Popup> MenuOf(mox::Language language) {
  std::vector<Popup> menu;
  const int offset = language == mox::Language::Chinese ? CHINESE_ID_OFFSET : 0;
  for (const mox::PreviewerMenu& popup : mox::PreviewerMenus()) {
    Popup shown{mox::platform::Widen(popup.Caption.In(language)), {}};
    for (int id : mox::ItemsOf(popup)) {
      if (id == mox::kMenuSeparator) {
        shown.Items.push_back({0, L""});
        continue;
      }
      const mox::PreviewerCommand& command = *mox::FindPreviewerCommand(id);
      std::string caption = command.Caption.In(language);
      const std::string keys = command.Keys.In(language);
      if (!keys.empty()) caption += "\t" + keys;
      shown.Items.push_back({id + offset, mox::platform::Widen(caption)});
    }
    menu.push_back(std::move(shown));
  }
  return menu;
}

std::wstring ItemText(HMENU menu, int position, UINT* type, UINT* id, HMENU* sub) {
  wchar_t text[256] = L"";
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 256;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  *type = info.fType;
  *id = info.wID;
  *sub = info.hSubMenu;
  return text;
}

void ExpectMenu(const wchar_t* name, const std::vector<Popup>& expected) {
  HMENU menu = LoadMenuW(Self(), name);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
  for (std::size_t p = 0; p < expected.size(); ++p) {
    UINT type = 0, id = 0;
    HMENU popup = nullptr;
    EXPECT_EQ(ItemText(menu, static_cast<int>(p), &type, &id, &popup), expected[p].Caption);
    ASSERT_NE(popup, nullptr) << p;
    // Only Help is pushed to the right end of the bar.
    EXPECT_EQ((type & MFT_RIGHTJUSTIFY) != 0, p + 1 == expected.size()) << p;
    const std::vector<MenuLine>& items = expected[p].Items;
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size())) << p;
    for (std::size_t i = 0; i < items.size(); ++i) {
      HMENU sub = nullptr;
      const std::wstring text = ItemText(popup, static_cast<int>(i), &type, &id, &sub);
      if (items[i].Id == 0) {
        EXPECT_NE(type & MFT_SEPARATOR, 0u) << p << "/" << i;
      } else {
        EXPECT_EQ(static_cast<int>(id), items[i].Id) << p << "/" << i;
        EXPECT_EQ(text, items[i].Caption) << p << "/" << i;
        EXPECT_EQ(sub, nullptr);
      }
    }
  }
  DestroyMenu(menu);
}

// The resource menus are the command table's, the Chinese ones with their
// ids 10000 higher.
TEST(ResourcesTest, MenusAreTheCommandTables) {
  ExpectMenu(L"MOXMAINMENU", MenuOf(mox::Language::English));
  ExpectMenu(L"CMOXMAINMENU", MenuOf(mox::Language::Chinese));
}

std::wstring String(int id) {
  wchar_t text[256] = L"";
  LoadStringW(Self(), static_cast<UINT>(id), text, 256);
  return text;
}

TEST(ResourcesTest, HintsAreTheCommandTables) {
  const auto expect = [](int id, const mox::Bilingual& hint) {
    EXPECT_EQ(String(id), mox::platform::Widen(hint.English)) << id;
    EXPECT_EQ(String(id + CHINESE_ID_OFFSET), mox::platform::Widen(hint.Chinese)) << id;
  };
  for (const mox::PreviewerCommand& command : mox::PreviewerCommands()) {
    expect(command.Id, command.Hint);
  }
  for (const mox::PreviewerMenu& popup : mox::PreviewerMenus()) {
    expect(popup.HintId, popup.Hint);
    // A popup's hint is its first item's id minus 1.
    EXPECT_EQ(popup.HintId, popup.Items.front() - 1);
  }
}

TEST(ResourcesTest, OneAcceleratorTableWithTheEnglishIds) {
  HACCEL table = LoadAcceleratorsW(Self(), L"MOXMAINMENU");
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> entries(64);
  const int count = CopyAcceleratorTableW(table, entries.data(), 64);
  ASSERT_EQ(count, 44);
  struct Entry {
    bool Key;
    int Code;
    int Command;
    BYTE Modifiers = 0;
  };
  const Entry expected[44] = {
      {false, 15, 101}, {false, 3, 102},  {false, 20, 104}, {false, 14, 105},
      {false, 16, 103}, {false, 24, 106}, {false, 19, 153}, {false, 5, 154},
      {false, 6, 133},  {false, 26, 134}, {true, VK_PRIOR, 151}, {true, VK_NEXT, 152},
      {true, VK_DELETE, 132}, {true, VK_INSERT, 131}, {false, '0', 133},
      {false, '1', 135}, {false, '2', 136}, {false, '3', 137}, {false, '4', 138},
      {false, '5', 139}, {false, '6', 140}, {false, '7', 141}, {false, '8', 142},
      {false, '9', 143}, {false, '+', 132}, {false, '=', 132}, {false, '>', 132},
      {false, '.', 132}, {false, '-', 131}, {false, '_', 131}, {false, '<', 131},
      {false, ',', 131}, {true, VK_END, 166}, {true, VK_HOME, 165}, {true, VK_UP, 163},
      {true, VK_DOWN, 164}, {true, VK_SPACE, 164}, {true, VK_SPACE, 163, FSHIFT},
      {true, VK_LEFT, 161}, {true, VK_RIGHT, 162}, {true, VK_F1, 121},
      {true, 'F', 171, FCONTROL | FSHIFT}, {true, VK_F3, 172}, {true, VK_INSERT, 173, FCONTROL},
  };
  for (int i = 0; i < 44; ++i) {
    const ACCEL& got = entries[static_cast<std::size_t>(i)];
    EXPECT_EQ((got.fVirt & FVIRTKEY) != 0, expected[i].Key) << i;
    EXPECT_EQ(got.fVirt & (FSHIFT | FCONTROL | FALT), expected[i].Modifiers) << i;
    EXPECT_EQ(got.key, expected[i].Code) << i;
    EXPECT_EQ(got.cmd, expected[i].Command) << i;
  }
  DestroyAcceleratorTable(table);
}

TEST(ResourcesTest, ToolBarBitmapsAreTwentyPixelSixteenColourImages) {
  for (int id : {101, 103, 151, 152, 153, 154, 131, 132, 133, 134, 161, 162, 163, 164, 165,
                 166}) {
    HANDLE image = LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr) << id;
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(image, sizeof dib, &dib), static_cast<int>(sizeof dib)) << id;
    EXPECT_EQ(dib.dsBm.bmWidth, 20) << id;
    EXPECT_EQ(dib.dsBm.bmHeight, 20) << id;
    EXPECT_EQ(dib.dsBmih.biBitCount, 4) << id;
    DeleteObject(image);
  }
}

TEST(ResourcesTest, IconFiveHundred) {
  EXPECT_NE(FindResourceW(Self(), MAKEINTRESOURCEW(IDI_MOX), MAKEINTRESOURCEW(14)), nullptr);
  EXPECT_NE(LoadIconW(Self(), MAKEINTRESOURCEW(IDI_MOX)), nullptr);
}

INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(ResourcesTest, AboutBoxInEnglish) {
  HWND about = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_ABOUT), nullptr,
                                  &NoDialogProcedure, 0);
  ASSERT_NE(about, nullptr);
  wchar_t text[256] = L"";
  GetWindowTextW(about, text, 256);
  EXPECT_STREQ(text, L"Author Information");
  GetDlgItemTextW(about, IDOK, text, 256);
  EXPECT_STREQ(text, L"&OK");
  GetDlgItemTextW(about, IDC_ABOUT_TITLE, text, 256);
  EXPECT_STREQ(text, L"MOX DVI Previewer for Windows, v1.3pl2");
  DestroyWindow(about);
}

}  // namespace
