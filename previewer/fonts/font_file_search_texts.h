// The texts of the search for VF and TFM files, in both languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

inline constexpr Bilingual kLookupNotRun{
    "无法运行kpsewhich (没有安装TeX系统, 或者它运行失败), 找不到VF和TFM文件; "
    "可以用选项-F指定它们所在的文件夹.",
    "kpsewhich could not be run (no TeX distribution is installed, or it "
    "failed), so no VF or TFM files are found; option -F names the folders "
    "that hold them."};

}  // namespace mox
