// The Reporter of a program that talks to the user in message boxes and a
// caption (the window; moxrender and MAKEPK install a user interface that
// writes the same boxes to standard error): errors in a box with the error
// caption, warnings in the caption, questions in a Yes/No box that adds
// "Continue?".
#pragma once

#include "previewer/base/reporter.h"

namespace mox {

// Formatted warnings are cut to fit this buffer size, terminator included.
inline constexpr std::size_t kWarningBufferSize = 256;

class BoxReporter : public Reporter {
 public:
  explicit BoxReporter(Language language = Language::English) : language_(language) {}
  void SetLanguage(Language language) { language_ = language; }

  Language Lang() const override { return language_; }
  void Error(std::string_view text) override;
  void Warning(std::string_view text) override;
  bool Question(std::string_view text) override;
  void Notice(std::string_view text, std::string_view caption, bool warning) override;
  void Status(std::string_view line) override;
  bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
               const std::function<bool()>& ended) override;

 protected:
  // Where the boxes and the caption go: the platform's user interface
  // (tests record them instead).
  virtual int ShowBox(std::string_view text, std::string_view caption, unsigned style);
  virtual void SetCaption(std::string_view line);

 private:
  // "Warning: text" (English), cut to the warning buffer.
  std::string WarningLine(std::string_view text) const;

  Language language_;
};

}  // namespace mox
