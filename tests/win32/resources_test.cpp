// The previewer's resource script, compiled into this test program: menus,
// tool-bar bitmaps, icon and the About box must hold exactly what the
// program shows in each language (its hints and keys come from the command
// table itself).
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
