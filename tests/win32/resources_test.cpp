// The previewer's resource script, compiled into this test program: menus,
// hint strings, accelerators, tool-bar bitmaps, icon and the About box must
// hold exactly what the program shows in each language.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/resources/resource_ids.h"

namespace {

HINSTANCE Self() { return GetModuleHandleW(nullptr); }

struct MenuLine {
  int Id;                // 0 for a separator, -1 for a popup
  const wchar_t* Caption;
};

// One popup and its items as the menu shows them.
struct Popup {
  const wchar_t* Caption;
  std::vector<MenuLine> Items;
};

std::vector<Popup> EnglishMenu() {
  return {
      {L"&File",
       {{101, L"&Open...\tCtrl+o"}, {102, L"&Close\tCtrl+c"}, {0, nullptr},
        {103, L"&Print...\tCtrl+p"}, {0, nullptr}, {104, L"Op&tions...\tCtrl+t"},
        {0, nullptr}, {105, L"TrueType &fonts...\tCtrl+n"}, {0, nullptr},
        {106, L"&Quit\tCtrl+x"}}},
      {L"&Edit",
       {{171, L"&Find...\tCtrl+Shift+F"}, {172, L"Find &next\t<F3>"}, {0, nullptr},
        {173, L"&Copy\tCtrl+Insert"}}},
      {L"&Page",
       {{151, L"&Previous page\t<PgUp>"}, {152, L"&Next page\t<PgDn>"}, {0, nullptr},
        {153, L"&Select page...\tCtrl+s"}, {154, L"&Enter page no....\tCtrl+e"}}},
      {L"&Zoom",
       {{131, L"Zoom &Out\t'-', '<', '_', ','"}, {132, L"Zoom &In\t'+', '>', '=', '.'"},
        {133, L"&Fit to window\t'0', Ctrl+f"}, {144, L"Fit &whole page"}, {0, nullptr},
        {134, L"&Change zoom...\tCtrl+z"}, {0, nullptr}, {135, L"1:&1\t'1'"},
        {136, L"1:&2\t'2'"}, {137, L"1:&3\t'3'"}, {138, L"1:&4\t'4'"}, {139, L"1:&5\t'5'"},
        {140, L"1:&6\t'6'"}, {141, L"1:&7\t'7'"}, {142, L"1:&8\t'8'"}, {143, L"1:&9\t'9'"}}},
      {L"&Viewport",
       {{161, L"&Left\t<Left arrow>"}, {162, L"&Right\t<Right arrow>"},
        {163, L"&Up\t<Up arrow>"}, {164, L"&Down\t<Down arrow>"}, {0, nullptr},
        {165, L"&Top-left\t<Home>"}, {166, L"&Bottom-right\t<End>"}, {0, nullptr},
        {167, L"&Continuous pages"}}},
      {L"&Help", {{121, L"&Help\t<F1>"}, {0, nullptr}, {122, L"&About..."}}},
  };
}

std::vector<Popup> ChineseMenu() {
  std::vector<Popup> menu = {
      {L"文件(&F)",
       {{101, L"打开(&O)...\tCtrl+o"}, {102, L"关闭(&C)\tCtrl+c"}, {0, nullptr},
        {103, L"打印(&P)...\tCtrl+p"}, {0, nullptr}, {104, L"设置(&T)...\tCtrl+t"},
        {0, nullptr}, {105, L"定义TrueType字库(&F)...\tCtrl+n"}, {0, nullptr},
        {106, L"退出(&Q)\tCtrl+x"}}},
      {L"编辑(&E)",
       {{171, L"查找(&F)...\tCtrl+Shift+F"}, {172, L"查找下一个(&N)\t<F3>"}, {0, nullptr},
        {173, L"复制(&C)\tCtrl+Insert"}}},
      {L"页号(&P)",
       {{151, L"前一页(&P)\t<PgUp>"}, {152, L"下一页(&N)\t<PgDn>"}, {0, nullptr},
        {153, L"选择页号(&S)...\tCtrl+s"}, {154, L"输入页号(&E)...\tCtrl+e"}}},
      {L"缩放(&Z)",
       {{131, L"缩小(&O)\t'-', '<', '_', ','"}, {132, L"放大(&I)\t'+', '>', '=', '.'"},
        {133, L"按窗口大小缩放(&F)\t'0', Ctrl+f"}, {144, L"整页显示(&W)"}, {0, nullptr},
        {134, L"指定缩小比例(&C)...\tCtrl+z"}, {0, nullptr}, {135, L"1:&1\t'1'"},
        {136, L"1:&2\t'2'"}, {137, L"1:&3\t'3'"}, {138, L"1:&4\t'4'"}, {139, L"1:&5\t'5'"},
        {140, L"1:&6\t'6'"}, {141, L"1:&7\t'7'"}, {142, L"1:&8\t'8'"}, {143, L"1:&9\t'9'"}}},
      {L"视窗(&V)",
       {{161, L"左移(&L)\t<左箭头>"}, {162, L"右移(&R)\t<右箭头>"},
        {163, L"上移(&U)\t<上箭头>"}, {164, L"下移(&D)\t<下箭头>"}, {0, nullptr},
        {165, L"左上角(&T)\t<Home>"}, {166, L"右下角(&B)\t<End>"}, {0, nullptr},
        {167, L"连续显示各页(&C)"}}},
      {L"帮助(&H)", {{121, L"帮助(&H)\t<F1>"}, {0, nullptr}, {122, L"作者信息(&A)..."}}},
  };
  for (Popup& popup : menu) {
    for (MenuLine& line : popup.Items) {
      if (line.Id > 0) line.Id += CHINESE_ID_OFFSET;
    }
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

TEST(ResourcesTest, EnglishMenu) { ExpectMenu(L"MOXMAINMENU", EnglishMenu()); }

TEST(ResourcesTest, ChineseMenuUsesIdsPlusTenThousand) {
  ExpectMenu(L"CMOXMAINMENU", ChineseMenu());
}

std::wstring String(int id) {
  wchar_t text[256] = L"";
  LoadStringW(Self(), static_cast<UINT>(id), text, 256);
  return text;
}

TEST(ResourcesTest, HintsInBothLanguages) {
  struct Hint {
    int Id;
    const wchar_t* English;
    const wchar_t* Chinese;
  };
  const Hint hints[] = {
      {100, L"Open, close, print a DVI file or setup options", L"文件操作及配置"},
      {101, L"Open a DVI file", L"打开DVI文件"},
      {102, L"Close current DVI file", L"关闭DVI文件"},
      {103, L"Print the DVI file", L"打印DVI文件"},
      {104, L"Change/Save options", L"修改/保存系统参数"},
      {105, L"Define use of Chinese TrueType fonts", L"定义中文TrueType字库"},
      {106, L"Exit MOXWIN", L"退出MOXWIN"},
      {120, L"Help", L"帮助"},
      {121, L"Help text", L"帮助正文"},
      {122, L"Author information", L"作者信息"},
      {130, L"Set/change zoom factor", L"改变显示时的缩小比例"},
      {131, L"Zoom out", L"缩小1.2倍"},
      {132, L"Zoom in", L"放大1.2倍"},
      {133, L"Fit to window", L"缩放至窗口大小"},
      {134, L"Enter zoom factor", L"指定缩小比例"},
      {150, L"Select page to view", L"选择显示的页号"},
      {151, L"Goto previous page", L"往前翻页"},
      {152, L"Goto next page", L"往后翻页"},
      {153, L"Page selection dialog", L"选择页号"},
      {154, L"Enter page number", L"输入页号"},
      {160, L"Move the viewport", L"移动视窗位置"},
      {161, L"Shift viewport to the left", L"视窗左移"},
      {162, L"Shift viewport to the right", L"视窗右移"},
      {163, L"Shift viewport up", L"视窗上移"},
      {164, L"Shift viewport down", L"视窗下移"},
      {165, L"Move viewport to top-left corner", L"移至页面左上角"},
      {166, L"Move viewport to bottom-right corner", L"移至页面右下角"},
      {144, L"Zoom so that the whole page fits the window", L"缩放至整页可见"},
      {167, L"Show the pages one below the other, or one page at a time",
       L"各页上下相连显示, 或一次显示一页"},
  };
  for (const Hint& hint : hints) {
    EXPECT_EQ(String(hint.Id), hint.English) << hint.Id;
    EXPECT_EQ(String(hint.Id + CHINESE_ID_OFFSET), hint.Chinese) << hint.Id;
  }
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(String(134 + n), L"Zoom=1:" + std::to_wstring(n));
    EXPECT_EQ(String(10134 + n), L"按1:" + std::to_wstring(n) + L"显示");
  }
  // A popup's hint is its first item's id minus 1.
  EXPECT_EQ(String(CM_FILEMENU), String(CM_OPEN - 1));
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
