#include "platform/win32/framework/chinese_font.h"

#include <string>

namespace mox::win {
namespace {

int CALLBACK TakeFirstFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
  // Faces beginning with "@" are the vertical forms.
  if (font->lfFaceName[0] == L'@') return 1;
  *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
  return 0;
}

}  // namespace

Font ChineseControlFont(HFONT like) {
  LOGFONTW wanted{};
  wanted.lfCharSet = GB2312_CHARSET;
  std::wstring face;
  {
    WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.Get(), &wanted, &TakeFirstFace, reinterpret_cast<LPARAM>(&face),
                        0);
  }
  if (face.empty() || face.size() >= LF_FACESIZE) return Font();
  LOGFONTW font{};
  if (like == nullptr || GetObjectW(like, sizeof font, &font) == 0) {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  font.lfCharSet = GB2312_CHARSET;
  font.lfWidth = 0;
  // Sharp like the dialog's own text: smoothed at this size the strokes
  // of a Chinese face come out grey.
  font.lfQuality = NONANTIALIASED_QUALITY;
  face.copy(font.lfFaceName, face.size());
  font.lfFaceName[face.size()] = L'\0';
  return Font(CreateFontIndirectW(&font));
}

void SetControlsFont(HWND dialog, std::initializer_list<int> ids, HFONT font) {
  if (font == nullptr) return;
  for (int id : ids) {
    SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

}  // namespace mox::win
