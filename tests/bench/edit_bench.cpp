// The editor's work on large texts, natively: reading a GBK source into
// a document, finding a text on its last line from the top, replacing a
// word on every line (one edit, as the window does it) and taking it
// back, selecting everything and typing over it, and writing a recovery
// copy. Each runs on 2,000,
// 10,000 and 20,000 lines of mixed Chinese and English (about 200 KB,
// 1 MB and 2 MB); the fitted complexity shows that the cost grows with
// the text, not faster.
#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <string>

#include "frontend/core/editor.h"
#include "frontend/core/recovery.h"
#include "frontend/core/text_file.h"
#include "platform/directories.h"
#include "platform/text_document.h"
#include "platform/text_encoding.h"

namespace {

using mox::varelo::Editor;
using mox::varelo::FindRequest;

// A source of `lines` lines of about 100 bytes, each with one "English".
std::string Source(int lines) {
  std::mt19937 random(static_cast<unsigned>(lines));
  const char* words[] = {"text", "with", "\\section{Intro}", "$x^2+y^2$", "\\emph{word}", "the"};
  const std::u16string chinese = u"中文汉语排版文字系统测试数学公式表格图形字体页面段落标题";
  std::u16string text;
  for (int n = 0; n < lines; ++n) {
    std::u16string line = u"English";
    while (line.size() < 70) {
      line += u' ';
      if (random() % 2 == 0) {
        const std::string word = words[random() % std::size(words)];
        line.append(word.begin(), word.end());
      } else {
        line += chinese.substr(random() % (chinese.size() - 4), 2 + random() % 3);
      }
    }
    if (n == lines - 1) line += u" FINDME";
    text += line + u"\r\n";
  }
  std::string bytes;
  std::size_t failed_at = 0;
  mox::platform::EncodeGbk(text, bytes, failed_at);
  return bytes;
}

class Window final : public mox::varelo::EditorHost {
 public:
  mox::platform::TextDocument& Document() override { return document; }
  void SetCaption(const std::string&) override {}
  std::optional<std::string> AskSaveFileName(const std::string&) override { return {}; }
  void ShowCaretLabel(const std::string&) override {}
  mox::platform::TextDocument document;
};

void Load(Window& window, const std::string& bytes) {
  mox::varelo::DecodedText decoded = mox::varelo::DecodeTextFile(bytes);
  window.document.SetText(std::move(decoded.Text),
                          mox::varelo::LineEndText(decoded.Format.LineEnds));
}

void OpenSource(benchmark::State& state) {
  const std::string bytes = Source(static_cast<int>(state.range(0)));
  Window window;
  for (auto _ : state) Load(window, bytes);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.SetComplexityN(static_cast<std::int64_t>(bytes.size()));
}

void FindOnTheLastLine(benchmark::State& state) {
  Window window;
  Load(window, Source(static_cast<int>(state.range(0))));
  Editor editor(window);
  for (auto _ : state) {
    window.document.Select(0, 0);
    if (!editor.FindInEditor(u"FINDME", {})) state.SkipWithError("not found");
  }
  state.SetComplexityN(static_cast<std::int64_t>(window.document.Length()));
}

void ReplaceAllAndUndo(benchmark::State& state) {
  Window window;
  Load(window, Source(static_cast<int>(state.range(0))));
  Editor editor(window);
  FindRequest request;
  request.FindWhat = u"English";
  request.ReplaceWith = u"ENGLISH";
  request.ReplaceAll = true;
  request.WholeText = true;
  for (auto _ : state) {
    if (editor.Replace(request) != static_cast<std::size_t>(state.range(0))) {
      state.SkipWithError("not every line replaced");
    }
    window.document.Undo();
  }
  state.SetComplexityN(static_cast<std::int64_t>(window.document.Length()));
}

void SelectAllTypeAndUndo(benchmark::State& state) {
  Window window;
  Load(window, Source(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    window.document.Select(0, window.document.Length());
    window.document.ReplaceSelection(u"x", mox::platform::EditKind::Typing);
    window.document.Undo();
  }
  state.SetComplexityN(static_cast<std::int64_t>(window.document.Length()));
}

void TypeInTheMiddle(benchmark::State& state) {
  Window window;
  Load(window, Source(static_cast<int>(state.range(0))));
  const std::size_t middle = window.document.Length() / 2;
  window.document.Select(middle, middle);
  for (auto _ : state) {
    window.document.ReplaceSelection(u"a", mox::platform::EditKind::Typing);
  }
  state.SetComplexityN(static_cast<std::int64_t>(window.document.Length()));
}

// A recovery copy of the whole text written (on the window's thread,
// between keystrokes).
void KeepRecoveryCopy(benchmark::State& state) {
  Window window;
  Load(window, Source(static_cast<int>(state.range(0))));
  const std::string folder = mox::platform::MakeTemporaryDirectory("edit-bench-");
  mox::varelo::RecoveryStore store({folder});
  if (!store.Start()) state.SkipWithError("no recovery folder");
  Editor editor(window);
  for (auto _ : state) {
    if (!store.Keep(1, editor.Copy())) state.SkipWithError("not written");
  }
  store.End();
  mox::platform::RemoveDirectoryTree(folder);
  state.SetComplexityN(static_cast<std::int64_t>(window.document.Length()));
}

#define SIZES Arg(2000)->Arg(10000)->Arg(20000)->Complexity(benchmark::oN)
BENCHMARK(OpenSource)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(FindOnTheLastLine)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllAndUndo)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAllTypeAndUndo)->SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(TypeInTheMiddle)->SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(KeepRecoveryCopy)->SIZES->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
