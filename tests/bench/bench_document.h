// The document a benchmark works on: one for the program's life, as the
// window keeps one, reporting through boxes nobody sees.
#pragma once

#include "previewer/render/preview_document.h"
#include "previewer/startup/box_reporter.h"

namespace mox::bench {

inline PreviewDocument& BenchDocument() {
  static BoxReporter report;
  static PreviewDocument document(report, Options{});
  return document;
}

}  // namespace mox::bench
