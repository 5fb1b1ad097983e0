// The command line of MAKEPK, as the previewer gives it:
//   MAKEPK -C -E -R<h>x<v> -M<mag> -P<template with $d> <DVI path>
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "previewer/base/bilingual.h"

namespace mox::makepk {

struct MakePkArguments {
  bool UsedFontsOnly = false;  // -C
  bool English = false;        // -E
  Language Lang() const { return English ? Language::English : Language::Chinese; }
  bool Quiet = false;          // -Q
  double ResolutionX = 600.0;  // -R
  double ResolutionY = 600.0;
  long Magnification = 0;      // -M; 0 = the DVI file's
  int TimeoutSeconds = 120;    // -T, for one font
  std::string PathTemplate;    // -P
  std::string FontMetricPath;  // -F: where VF and TFM files are; empty: kpsewhich
  std::string DviPath;
};

// The arguments after the program name. The previewer quotes nothing, so a
// path with blanks arrives in pieces: pieces before the first option are the
// rest of the program's own path and ignored, the template goes on until a
// piece holding "$d", and the pieces that follow the options are one DVI
// path. Nothing when the command line is invalid; error then says
// why (in English, or Chinese when -E was not given).
std::optional<MakePkArguments> ParseMakePkArguments(const std::vector<std::string>& arguments,
                                                    std::string& error);

// The language of the messages: English with "-E", else Chinese.
Language MakePkLanguage(const std::vector<std::string>& arguments);

// The usage text in a language.
const char* MakePkUsage(Language language);

}  // namespace mox::makepk
