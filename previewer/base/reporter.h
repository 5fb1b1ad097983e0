// How the core of the previewer reaches the user: the interface its host
// provides. The window answers with its message boxes and its caption;
// moxrender and MAKEPK write to standard error; tests record what was
// said. The language is the host's too.
#pragma once

#include <functional>
#include <string_view>

#include "previewer/base/bilingual.h"

namespace mox {

class Reporter {
 public:
  virtual ~Reporter() = default;

  virtual Language Lang() const = 0;
  // A failure that ends what was asked for (a document that cannot open).
  virtual void Error(std::string_view text) = 0;
  // A warning that asks nothing: shown where status lines go.
  virtual void Warning(std::string_view text) = 0;
  // A warning with the question whether to go on: true for Yes.
  virtual bool Question(std::string_view text) = 0;
  // Something to read and acknowledge, under its caption: a warning (the
  // fonts that could not be found) or a plain note (a program that did not
  // run).
  virtual void Notice(std::string_view text, std::string_view caption, bool warning) = 0;
  // Status and progress lines ("Loading font ...").
  virtual void Status(std::string_view line) = 0;
  // Shows text with a cancel button for as long as `ended` gives false;
  // true once it gave true, false when the user cancelled.
  virtual bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
                       const std::function<bool()>& ended) = 0;
  // The document is busy (opening, loading its fonts) or no longer.
  virtual void Busy(bool busy) { (void)busy; }

  // A catalogue's text in the host's language.
  const char* Say(const Bilingual& text) const { return text.In(Lang()); }
};

// Busy from construction to destruction.
class BusyWhile {
 public:
  explicit BusyWhile(Reporter& report) : report_(report) { report_.Busy(true); }
  ~BusyWhile() { report_.Busy(false); }
  BusyWhile(const BusyWhile&) = delete;
  BusyWhile& operator=(const BusyWhile&) = delete;

 private:
  Reporter& report_;
};

}  // namespace mox
