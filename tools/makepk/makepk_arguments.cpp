#include "tools/makepk/makepk_arguments.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/text_format.h"
#include "previewer/render/process_document.h"

namespace mox::makepk {
namespace {

bool HasDollarD(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '$' && (text[i + 1] == 'd' || text[i + 1] == 'D')) return true;
  }
  return false;
}

// A positive number that fills the whole text.
bool ReadPositive(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0' && value > 0.0 && value < 1e6;
}

// "-R600", "-R600.00x600.00" (also with "X").
bool ReadResolution(const std::string& text, MakePkArguments& parsed) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string::npos) {
    if (!ReadPositive(text, parsed.ResolutionX)) return false;
    parsed.ResolutionY = parsed.ResolutionX;
    return true;
  }
  return ReadPositive(text.substr(0, cross), parsed.ResolutionX) &&
         ReadPositive(text.substr(cross + 1), parsed.ResolutionY);
}

bool ReadWhole(const std::string& text, long low, long high, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

}  // namespace

std::optional<MakePkArguments> ParseMakePkArguments(const std::vector<std::string>& arguments,
                                                    std::string& error) {
  MakePkArguments parsed;
  // The language first, so that every complaint is in it.
  for (const std::string& argument : arguments) {
    if (argument == "-E" || argument == "-e") parsed.English = true;
  }
  SetLanguage(parsed.English ? Language::English : Language::Chinese);

  // A program path with blanks, unquoted, leaves its pieces before the
  // first option.
  std::size_t first = 0;
  while (first < arguments.size() && arguments[first].compare(0, 1, "-") != 0) ++first;
  if (first == arguments.size()) first = 0;

  std::vector<std::string> rest;
  for (std::size_t i = first; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!rest.empty() || argument.size() < 2 || argument[0] != '-') {
      rest.push_back(argument);
      continue;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(argument[1])));
    const std::string value = argument.substr(2);
    bool valid = true;
    switch (letter) {
      case 'C': parsed.UsedFontsOnly = true; valid = value.empty(); break;
      case 'E': valid = value.empty(); break;
      case 'Q': parsed.Quiet = true; valid = value.empty(); break;
      case 'R': valid = ReadResolution(value, parsed); break;
      case 'M': valid = ReadWhole(value, 0, 1000000, parsed.Magnification); break;
      case 'T': {
        long seconds = 0;
        valid = ReadWhole(value, 1, 86400, seconds);
        parsed.TimeoutSeconds = static_cast<int>(seconds);
        break;
      }
      case 'P':
        parsed.PathTemplate = value;
        // A template with blanks: its pieces up to the one that holds "$d".
        while (!HasDollarD(parsed.PathTemplate) && i + 1 < arguments.size() &&
               arguments[i + 1].compare(0, 1, "-") != 0) {
          parsed.PathTemplate += " " + arguments[++i];
        }
        valid = !parsed.PathTemplate.empty();
        break;
      default: valid = false; break;
    }
    if (!valid) {
      error = Format(Tr("无效的选项 \"%s\"", "invalid option \"%s\""), argument.c_str());
      return std::nullopt;
    }
  }
  if (parsed.PathTemplate.empty()) {
    error = Tr("缺少PK字库路径 (-P)", "the PK path template (-P) is missing");
    return std::nullopt;
  }
  if (!HasDollarD(parsed.PathTemplate)) {
    error = Format(Tr("PK字库路径\"%s\"中没有\"$d\"", "the PK path template \"%s\" has no \"$d\""),
                   parsed.PathTemplate.c_str());
    return std::nullopt;
  }
  if (rest.empty()) {
    error = Tr("缺少DVI文件名", "the DVI file is missing");
    return std::nullopt;
  }
  for (const std::string& piece : rest) {
    if (!parsed.DviPath.empty()) parsed.DviPath += ' ';
    parsed.DviPath += piece;
  }
  return parsed;
}

const char* MakePkUsage() {
  return Tr(
      "用法: MAKEPK [-C] [-E] [-Q] [-R<水平>x<垂直>] [-M<放大率>] [-T<秒>] -P<路径> <DVI文件>\n"
      "用Metafont (TeX的mktexpk) 生成DVI文件所需而路径下没有的PK字库.\n"
      "  -C  只生成页面上用到字符的字库 (否则生成DVI文件定义的所有字库)\n"
      "  -E  英文信息 (否则中文)\n"
      "  -Q  安静: 只报告错误, 不显示mktexpk和Metafont的输出\n"
      "  -R  设备分辨率 (点/英寸), 默认600x600; 300用Metafont模式cx, 其他用ljfour\n"
      "  -M  放大率 (千分之一), 代替DVI文件中的放大率\n"
      "  -P  预览程序的PK字库路径, \"$d\"代表分辨率; 字库写为<路径>\\<名字>.PK\n"
      "  -T  每个字库最多等待的秒数 (默认120)\n"
      "退出码: 0 字库齐全, 1 有字库无法生成, 2 命令行无效, 3 DVI文件无法读取.\n",
      "usage: MAKEPK [-C] [-E] [-Q] [-R<h>x<v>] [-M<mag>] [-T<seconds>] -P<template> <DVI file>\n"
      "Makes the PK fonts a DVI file needs that are missing under the template,\n"
      "with Metafont (TeX's mktexpk).\n"
      "  -C  only the fonts whose characters the pages use (else every font the\n"
      "      DVI file defines)\n"
      "  -E  messages in English (else in Chinese)\n"
      "  -Q  quiet: errors only, and none of the output of mktexpk and Metafont\n"
      "  -R  device resolution in dots per inch, 600x600 by default; 300 makes the\n"
      "      fonts with the Metafont mode cx, any other with ljfour\n"
      "  -M  magnification in thousandths, instead of the DVI file's\n"
      "  -P  the previewer's PK path template, \"$d\" standing for the resolution;\n"
      "      a font is written as <template>\\<name>.PK, as the previewer reads it\n"
      "  -T  seconds one font may take (120 by default)\n"
      "Exit status: 0 every font is there, 1 some font could not be made,\n"
      "2 invalid command line, 3 the DVI file cannot be read.\n");
}

}  // namespace mox::makepk
