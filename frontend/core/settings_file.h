// Varelo's settings file, "Varelo.ini" beside the program: one
// "Name=value" a line. Reading never fails: a missing or damaged file, or
// a value out of its range, gives the defaults. Rewriting keeps every line
// the program does not know (a newer version's, a comment) as it was, and
// a known one in its place.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

inline constexpr char kSettingsFileName[] = "Varelo.ini";

class SettingsFile {
 public:
  static SettingsFile Parse(std::string_view text);
  std::optional<std::string> Get(std::string_view name) const;
  void Set(std::string_view name, const std::string& value);
  // Takes away every line that sets the name.
  void Remove(std::string_view name);
  // The file's text, CR LF line ends.
  std::string Text() const;

 private:
  struct Line {
    std::string Text;  // as read, without its line end
    std::string Name;  // empty for a line that sets nothing
  };
  std::vector<Line> lines_;
};

// The frame's place on the screen (the restored size) and whether it was
// maximized.
struct FramePlace {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Maximized = true;
};

struct VareloSettings {
  bool SourcePositions = false;  // 编译时记录源文件位置
  std::optional<FramePlace> Frame;
  bool StructureBar = false;
  bool PaletteBar = true;
};

VareloSettings ReadSettings(const SettingsFile& file);
void WriteSettings(const VareloSettings& settings, SettingsFile& file);

// The file beside the program, read whole (an empty one when it cannot be
// read), and written whole before it replaces the old one.
SettingsFile LoadSettingsFile(const std::string& path);
bool SaveSettingsFile(const std::string& path, const SettingsFile& file);

}  // namespace mox::varelo
