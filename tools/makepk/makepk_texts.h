// The texts of MAKEPK, in both languages: Chinese unless "-E" is given.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox::makepk {

inline constexpr Bilingual kInvalidOption{
    "无效的选项 \"%s\"",
    "invalid option \"%s\""};
inline constexpr Bilingual kNoPathTemplate{
    "缺少PK字库路径 (-P)",
    "the PK path template (-P) is missing"};
inline constexpr Bilingual kNoDollarD{
    "PK字库路径\"%s\"中没有\"$d\"",
    "the PK path template \"%s\" has no \"$d\""};
inline constexpr Bilingual kNoDviFile{
    "缺少DVI文件名",
    "the DVI file is missing"};
inline constexpr Bilingual kUsage{
    "用法: MAKEPK [-C] [-E] [-Q] [-R<水平>x<垂直>] [-M<放大率>] [-T<秒>] [-F<文件夹>] -P<路径> <DVI文件>\n"
    "用Metafont (TeX的mktexpk) 生成DVI文件所需而路径下没有的PK字库.\n"
    "  -C  只生成页面上用到字符的字库 (否则生成DVI文件定义的所有字库)\n"
    "  -E  英文信息 (否则中文)\n"
    "  -Q  安静: 只报告错误, 不显示mktexpk和Metafont的输出\n"
    "  -R  设备分辨率 (点/英寸), 默认600x600; 300用Metafont模式cx, 其他用ljfour\n"
    "  -M  放大率 (千分之一), 代替DVI文件中的放大率\n"
    "  -P  预览程序的PK字库路径, \"$d\"代表分辨率; 字库写为<路径>\\<名字>.PK\n"
    "  -T  每个字库最多等待的秒数 (默认120)\n"
    "  -F  VF和TFM文件所在的文件夹 (用\";\"分开); 默认问kpsewhich. 虚拟字库不生成,\n"
    "      只生成它所用的字库\n"
    "退出码: 0 字库齐全, 1 有字库无法生成, 2 命令行无效, 3 DVI文件无法读取.\n",
    "usage: MAKEPK [-C] [-E] [-Q] [-R<h>x<v>] [-M<mag>] [-T<seconds>] [-F<folders>] -P<template> <DVI file>\n"
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
    "  -F  the folders of VF and TFM files (\";\" between them); else kpsewhich\n"
    "      is asked. A virtual font is not made: the fonts it is made of are\n"
    "Exit status: 0 every font is there, 1 some font could not be made,\n"
    "2 invalid command line, 3 the DVI file cannot be read.\n"};
inline constexpr Bilingual kNoTemporaryFolder{
    "无法建立临时目录",
    "cannot make a temporary folder"};
inline constexpr Bilingual kMktexpkMissing{
    "无法运行mktexpk (TeX没有安装?)",
    "cannot run mktexpk (is TeX installed?)"};
inline constexpr Bilingual kMktexpkTimedOut{
    "mktexpk在%d秒内没有完成",
    "mktexpk did not finish in %d s"};
inline constexpr Bilingual kMktexpkFailed{
    "mktexpk失败, 退出码=%d",
    "mktexpk failed, exit status %d"};
inline constexpr Bilingual kCannotRead{
    "无法读取\"%s\"",
    "cannot read \"%s\""};
inline constexpr Bilingual kCannotWrite{
    "无法写入\"%s\"",
    "cannot write \"%s\""};
inline constexpr Bilingual kFontFound{
    "%s (%d dpi): 已有 %s",
    "%s at %d dpi: found %s"};
inline constexpr Bilingual kMakingFont{
    "%s (%d dpi): 生成 %s (Metafont模式%s)",
    "%s at %d dpi: making %s (Metafont mode %s)"};
inline constexpr Bilingual kCannotMake{
    "MAKEPK: %s (%d dpi) 无法生成: %s",
    "MAKEPK: cannot make %s at %d dpi: %s"};

}  // namespace mox::makepk
