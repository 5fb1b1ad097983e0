#include "platform/win32/log_font.h"

#include <cstring>
#include <string>

#include "platform/text_format.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

LOGFONTW WideLogFont(const LogFontA& font) {
  LOGFONTW wide{};
  wide.lfHeight = font.Height;
  wide.lfWidth = font.Width;
  wide.lfEscapement = font.Escapement;
  wide.lfOrientation = font.Orientation;
  wide.lfWeight = font.Weight;
  wide.lfItalic = font.Italic;
  wide.lfUnderline = font.Underline;
  wide.lfStrikeOut = font.StrikeOut;
  wide.lfCharSet = font.CharSet;
  wide.lfOutPrecision = font.OutPrecision;
  wide.lfClipPrecision = font.ClipPrecision;
  wide.lfQuality = font.Quality;
  wide.lfPitchAndFamily = font.PitchAndFamily;
  const std::wstring name =
      Widen(std::string(font.FaceName, strnlen(font.FaceName, sizeof font.FaceName)));
  // Room in a LOGFONTW face name, terminator excluded.
  name.copy(wide.lfFaceName, LF_FACESIZE - 1);
  return wide;
}

LogFontA NarrowLogFont(const LOGFONTW& wide) {
  LogFontA font;
  font.Height = wide.lfHeight;
  font.Width = wide.lfWidth;
  font.Escapement = wide.lfEscapement;
  font.Orientation = wide.lfOrientation;
  font.Weight = wide.lfWeight;
  font.Italic = wide.lfItalic;
  font.Underline = wide.lfUnderline;
  font.StrikeOut = wide.lfStrikeOut;
  font.CharSet = wide.lfCharSet;
  font.OutPrecision = wide.lfOutPrecision;
  font.ClipPrecision = wide.lfClipPrecision;
  font.Quality = wide.lfQuality;
  font.PitchAndFamily = wide.lfPitchAndFamily;
  std::string name = Narrow(std::wstring(wide.lfFaceName, wcsnlen(wide.lfFaceName, LF_FACESIZE)));
  // The GBK name keeps to the 31 bytes the table has room for, whole characters only.
  TruncateGbk(name, sizeof font.FaceName - 1);
  std::memcpy(font.FaceName, name.data(), name.size());
  return font;
}

}  // namespace mox::platform
