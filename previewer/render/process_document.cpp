#include "previewer/render/process_document.h"

#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

// Boxes and caption in the language last set.
class ProcessReporter : public BoxReporter {
 public:
  Language Lang() const override { return language; }
  Language language = Language::English;
};

ProcessReporter& ProcessReport() {
  static ProcessReporter reporter;
  return reporter;
}

}  // namespace

PreviewDocument& TheDocument() {
  static PreviewDocument document(ProcessReport(), Options{});
  return document;
}

void ResetOptions() { TheDocument().Settings = Options{}; }

std::optional<std::string> ReadOptions(const std::vector<std::string>& arguments) {
  Options& options = CurrentOptions();
  options.Lang = CurrentLanguage();
  std::optional<std::string> problem = ReadOptions(arguments, options);
  SetLanguage(options.Lang);
  return problem;
}

Language CurrentLanguage() { return ProcessReport().language; }
void SetLanguage(Language language) { ProcessReport().language = language; }
const char* ProgramTitle() { return ProcessReport().Say(kProgramTitle); }

int ShowError(std::string_view text) {
  ProcessReport().Error(text);
  return 0;
}
void ShowStatus(std::string_view text) { ProcessReport().Status(text); }
bool ShowWarning(std::string_view text, bool ask) {
  if (!ask) {
    ProcessReport().Warning(text);
    return true;
  }
  return ProcessReport().Question(text);
}

void ParsePageRanges(std::string_view text) {
  const Options& options = CurrentOptions();
  TheDocument().Selection = PageSelection(text, options.ParityFilter, options.SequenceMode);
}
void DiscardPageRanges() { TheDocument().Selection = PageSelection(); }

bool IsPageSelected(std::int32_t count0, std::int32_t sequence) {
  return TheDocument().IsPageSelected(count0, sequence);
}

}  // namespace mox
