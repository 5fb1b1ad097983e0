// The panel under the editors that tells how the last run went: while a
// batch item or the command runner runs, that it is running; when it has
// ended, mox's and TeX's messages for the source, one row each, with a line
// of totals, and the place each row leads to. F4 and Shift+F4 step through
// the rows. Everything here is GBK, in the editor's language.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/build_messages.h"
#include "frontend/core/tex_log_place.h"

namespace mox::varelo {

struct BuildPanelRow {
  std::string Text;   // "错误  chapter.tex:6  Undefined control sequence."
  SourcePlace Place;  // no path: the row leads nowhere
};

class BuildPanel {
 public:
  // `what` is the run's name ("LateX.bat"), source the file it works on.
  void RunStarted(const std::string& what, const std::string& source);
  // The run ended; the messages its source's files hold now.
  void RunEnded(const BuildMessages& messages);
  // Whether a run that was started has not ended.
  bool Running() const { return running_; }

  const std::string& Summary() const { return summary_; }
  const std::vector<BuildPanelRow>& Rows() const { return rows_; }

  // The row chosen (a click), and the next or previous one that leads to
  // a place, going round at the ends (F4, Shift+F4); nothing when none does.
  std::optional<std::size_t> Selected() const { return selected_; }
  void Select(std::size_t row);
  std::optional<std::size_t> Step(bool forward);

 private:
  bool running_ = false;
  std::string summary_;
  std::vector<BuildPanelRow> rows_;
  std::optional<std::size_t> selected_;
};

// Whether a command of the command runner runs mox or TeX, whose messages
// the panel shows when it ends ("MOX", "LATEX", "AmsTeX (MOX5.0)", ...).
bool RunnerCommandBuilds(std::string_view command);

// The totals of a run: "3 个错误, 2 个警告, 1 个坏盒, 写出 14 页" (the kinds it
// has none of left out), or that no DVI file was written.
std::string BuildSummary(const BuildMessages& messages);
// A row's text: its kind, its file and line, its message.
std::string RowText(const LogRow& row);

}  // namespace mox::varelo
