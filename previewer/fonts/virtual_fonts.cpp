#include "previewer/fonts/virtual_fonts.h"

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/text_format.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/font_file_bytes.h"
#include "previewer/fonts/font_file_search.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/tfm_metrics.h"
#include "previewer/fonts/virtual_font_file.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

const Bilingual& ProblemText(VfProblem problem) {
  switch (problem) {
    case VfProblem::NotVirtualFont: return kVfNotVirtualFont;
    case VfProblem::Truncated: return kVfTruncated;
    case VfProblem::BadFontDefinition: return kVfBadFontDefinition;
    case VfProblem::UnknownFont: return kVfUnknownFont;
    case VfProblem::BadCommand:
    case VfProblem::UnbalancedPop: return kVfBadCommand;
    case VfProblem::None: break;
  }
  return kVfUnreadable;
}

class Resolver {
 public:
  explicit Resolver(FontDocument& doc) : doc_(doc), fonts_(doc.Fonts) {}

  void Run() {
    FontFileSearch& search = Search();
    fonts_.VirtualFonts.clear();
    fonts_.VirtualDepthNoted = false;
    const std::size_t own = fonts_.PkFonts.size();
    fonts_.LocalFontsFrom = own;
    // Level by level: each level's file names are asked for at once.
    std::vector<std::pair<std::size_t, int>> level;  // font index, depth
    for (std::size_t i = 0; i < own; ++i) level.emplace_back(i, 0);
    while (!level.empty()) {
      std::vector<std::string> names;
      for (const auto& [index, depth] : level) {
        names.push_back(fonts_.PkFonts[index].Name + ".vf");
        names.push_back(fonts_.PkFonts[index].Name + ".tfm");
      }
      search.Prefetch(names);
      std::vector<std::pair<std::size_t, int>> next;
      for (const auto& [index, depth] : level) Resolve(index, depth, next);
      level = std::move(next);
    }
    // That no VF or TFM file could be looked for matters only when a font
    // then lacks its glyphs: the load run says it with the missing fonts.
    if (const Bilingual* problem = FileSearchProblemText(search.TakeProblem())) {
      fonts_.LookupProblem = doc_.Say(*problem);
    }
    if (!warnings_.empty()) {
      doc_.Report.Notice(doc_.Say(kFontFileWarnings) + warnings_.substr(1),
                         doc_.Say(kWarningCaption), true);
    }
  }

 private:
  FontFileSearch& Search() {
    if (!doc_.Search) doc_.Search = std::make_shared<FontFileSearch>(doc_.Settings.FontMetricPath);
    return *doc_.Search;
  }

  void Resolve(std::size_t index, int depth, std::vector<std::pair<std::size_t, int>>& next) {
    FontFileSearch& search = Search();
    const std::string name = fonts_.PkFonts[index].Name;
    if (const std::optional<std::string> vf = search.Find(name + ".vf")) {
      if (std::shared_ptr<const VirtualFontFile> file = Read(*vf)) {
        Enter(index, depth, *vf, std::move(file), next);
        return;
      }
    }
    if (const std::optional<std::string> tfm = search.Find(name + ".tfm")) {
      fonts_.PkFonts[index].MetricFile = *tfm;
    }
  }

  std::shared_ptr<const VirtualFontFile> Read(const std::string& path) {
    if (const auto known = files_.find(path); known != files_.end()) return known->second;
    std::shared_ptr<const VirtualFontFile> file;
    VfProblem problem = VfProblem::None;
    if (const std::optional<std::vector<std::uint8_t>> bytes = ReadFontFileBytes(path)) {
      if (std::optional<VirtualFontFile> parsed = ParseVirtualFont(*bytes, &problem)) {
        file = std::make_shared<const VirtualFontFile>(std::move(*parsed));
      }
    }
    if (!file) {
      warnings_ += Format(doc_.Say(kBadVirtualFont), path.c_str(),
                          doc_.Say(ProblemText(problem)));
    }
    files_[path] = file;
    return file;
  }

  // Makes font `index` virtual and enters the fonts it is made of.
  void Enter(std::size_t index, int depth, const std::string& path,
             std::shared_ptr<const VirtualFontFile> file,
             std::vector<std::pair<std::size_t, int>>& next) {
    PkFont& font = fonts_.PkFonts[index];
    if (font.Checksum != 0 && file->Checksum != 0 &&
        static_cast<std::uint32_t>(font.Checksum) != file->Checksum) {
      warnings_ += Format(doc_.Say(kChecksumMismatch), font.Name.c_str(), path.c_str());
    }
    // The DVI file gives the design size in DVI units, the VF file in
    // points with 20 fraction bits: a sixteenth of it.
    if (font.DesignSize != 0 && file->DesignSize != 0 && font.DesignSize != file->DesignSize / 16) {
      warnings_ += Format(doc_.Say(kDesignSizeMismatch), font.Name.c_str(), path.c_str());
    }
    VirtualFont virtual_font;
    virtual_font.File = file;
    virtual_font.ScaledSize = font.ScaledSize;
    // Entering fonts grows the table: `font` is not used past here.
    for (const VfLocalFont& local : file->Fonts) {
      virtual_font.Fonts.push_back(LocalFont(local, virtual_font.ScaledSize, depth, next));
    }
    fonts_.PkFonts[index].Virtual = static_cast<int>(fonts_.VirtualFonts.size());
    fonts_.VirtualFonts.push_back(std::move(virtual_font));
  }

  // The table index of a font a virtual font is made of: one already there
  // with the same name and size, or a new entry; -1 past the limits.
  int LocalFont(const VfLocalFont& local, std::int32_t virtual_size, int depth,
                std::vector<std::pair<std::size_t, int>>& next) {
    const std::int32_t scaled = ScaleFixWord(local.Scale, virtual_size);
    const auto key = std::make_pair(local.Name, scaled);
    if (const auto known = entered_.find(key); known != entered_.end()) return known->second;
    std::vector<PkFont>& table = fonts_.PkFonts;
    for (std::size_t i = 0; i < *fonts_.LocalFontsFrom; ++i) {
      if (table[i].Name == local.Name && table[i].ScaledSize == scaled) {
        entered_[key] = static_cast<int>(i);
        return static_cast<int>(i);
      }
    }
    if (table.size() - *fonts_.LocalFontsFrom >= kMaxLocalFonts) {
      if (!too_many_) {
        too_many_ = true;
        warnings_ += Format(doc_.Say(kTooManyFonts), local.Name.c_str(),
                            static_cast<int>(kMaxLocalFonts));
      }
      return -1;
    }
    PkFont font;
    font.Checksum = static_cast<std::int32_t>(local.Checksum);
    font.ScaledSize = scaled;
    font.DesignSize = local.DesignSize / 16;
    font.Name = local.Name;
    const int index = static_cast<int>(table.size());
    table.push_back(std::move(font));
    entered_[key] = index;
    // Past the depth limit a font is taken as it is: its characters come
    // from its PK file, if it has one.
    if (depth + 1 < kMaxVirtualDepth) next.emplace_back(static_cast<std::size_t>(index), depth + 1);
    return index;
  }

  FontDocument& doc_;
  FontRegistry& fonts_;
  std::map<std::string, std::shared_ptr<const VirtualFontFile>> files_;
  std::map<std::pair<std::string, std::int32_t>, int> entered_;
  std::string warnings_;
  bool too_many_ = false;
};

}  // namespace

void ResolveVirtualFonts(FontDocument& doc) { Resolver(doc).Run(); }

}  // namespace mox
