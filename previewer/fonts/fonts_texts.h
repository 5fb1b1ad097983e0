// The texts of the font tables and the load run, in both languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

// The font tables.
inline constexpr Bilingual kFontNumberTooLarge{"字库号>255", "Font no.>255"};
inline constexpr Bilingual kDefinitionsNotFound{"找不到文件\"%s\".",
                                                "**Error : file \"%s\" not found."};

// The glyph budget.
inline constexpr Bilingual kCharactersTooLarge{
    "字符太大: 字库 %s (%0.4lgpt, %d dpi) 的字符高 %ld 像素, 最多可以是 %d 像素.",
    "Characters too large: font %s at %0.4lgpt and %d dpi makes "
    "characters %ld pixels high, at most %d can be shown."};
inline constexpr Bilingual kDocumentTooLarge{
    "字符要占的内存太多: 共 %lu MB, 超过了每个文件 %lu MB 的限度; 最大的是字库 %s (%0.4lgpt, %d dpi), 占 %lu MB.",
    "The document's characters would take %lu MB, more than the %lu MB a "
    "document may take; most of it is font %s at %0.4lgpt and %d dpi, "
    "%lu MB."};
inline constexpr Bilingual kBudgetSpent{
    "字符要占的内存太多: 超过了每个文件 %lu MB 的限度 (装载字库 %s 时).",
    "The document's characters take more than the %lu MB a document "
    "may take (loading font %s)."};

// The load run.
inline constexpr Bilingual kMissingFontsHead{
    "以下字库找不到, 也无法生成; 其中的字符不显示:\n",
    "These fonts could not be found or made; their characters are "
    "left empty:\n"};
inline constexpr Bilingual kMoreMissingFonts{"\n... 另有%d个", "\n... and %d more"};
inline constexpr Bilingual kLoadingPkFont{"装载字库 %s at %0.4lgpt", "Loading font %s at %0.4lgpt"};
inline constexpr Bilingual kUndefinedSlotFont{"字库没定义 (ziti=%c).", "Undefined font (ziti=%c)."};
inline constexpr Bilingual kCannotOpenOutlineFont{
    "FONTDRV: 字库\"%s%s\"打开失败, 错误码=%d.",
    "FONTDRV: cannot open font \"%s%s\", error code=%d."};
inline constexpr Bilingual kMissingOutlineFontsHead{
    "以下汉字字库无法使用; 其中的字符不显示:",
    "These Chinese fonts cannot be used; their characters are left empty:"};
inline constexpr Bilingual kMissingCharactersHead{
    "以下字符没有字库 (可在\"定义TrueType字库\"中为其字体指定一种), 显示为空框:",
    "These characters are in no font (File|TrueType fonts can name a face for\n"
    "their ziti); they are drawn as empty boxes:"};
inline constexpr Bilingual kBadUnicodeDefinition{
    "ucfonts.def 第 %d 行应是字体字母 (或 *) 和一个字库文件名.",
    "ucfonts.def, line %d: expected ziti letters (or *) and a font file name."};
inline constexpr Bilingual kMoreMissingCharacters{"\n以及另外 %d 个字符", "\nand %d more"};
inline constexpr Bilingual kBadOutlineGlyph{
    "字库数据有错, 错误码=%d, 字符码=%d",
    "failed to unpack the character. Error code=%d, char code=%d"};
inline constexpr Bilingual kLoadingUserFont{"装载用户字库 - %-5d(code=%04d)",
                                            "Loading user font - %-5d(code=%04d)"};
inline constexpr Bilingual kLoadingSlotFont{"装载字库 %s - %-5d(code=%04d)",
                                            "Loading font %s - %-5d(code=%04d)"};

// PK files.
inline constexpr Bilingual kInvalidPkFile{"非法PK文件", "Invalid PK file"};
inline constexpr Bilingual kBadPkCharacter{"字库数据错, 错误码=%d",
                                           "failed to unpack the character. Error code=%d"};
inline constexpr Bilingual kInvalidPkCommand{"非法PK命令", "Invalid PK command."};
inline constexpr Bilingual kUndefinedPkCharacters{"有字符没定义", "undefined character(s) found"};
inline constexpr Bilingual kInvalidPkId{"非法PK文件", "Invalid PK id"};
inline constexpr Bilingual kPkCharacterTooBig{"字符太大", "Character too big!"};
inline constexpr Bilingual kInvalidPkPath{"非法PK字库路径(路径中没有包含\"$d!\")!",
                                          "Invalid PK font path (substring \"$d!\" not found)!"};

// The PK generator.
inline constexpr Bilingual kGeneratorRunning{"正在执行程序\"%s\"生成PK字库.\n\n",
                                             "Running \"%s\" to generate missing PK fonts.\n\n"};
inline constexpr Bilingual kGeneratorWaiting{
    "程序结束后自动装入生成的字库; 单击\"取消\"停止生成.",
    "The fonts it makes are loaded when it has finished; Cancel stops it."};
inline constexpr Bilingual kGeneratorCaption{"生成PK字库", "Generating PK fonts"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};
inline constexpr Bilingual kCannotExecute{"程序\"%s\"执行失败, 错误码=%d.",
                                          "Cannot execute \"%s\", error code=%d."};

// Virtual fonts and font metrics.
inline constexpr Bilingual kFontFileWarnings{"字库文件有问题:\n", "Problems with font files:\n"};
inline constexpr Bilingual kBadVirtualFont{"\n虚拟字库 %s 无法读取 (%s), 不用它.",
                                           "\nThe virtual font %s cannot be read (%s); it is not used."};
inline constexpr Bilingual kVfNotVirtualFont{"不是VF文件", "not a VF file"};
inline constexpr Bilingual kVfTruncated{"文件不完整", "the file ends early"};
inline constexpr Bilingual kVfBadFontDefinition{"字库定义有错", "a bad font definition"};
inline constexpr Bilingual kVfUnknownFont{"用了没定义的字库", "an undefined font is used"};
inline constexpr Bilingual kVfBadCommand{"字符中有非法命令", "a bad command in a character"};
inline constexpr Bilingual kVfUnreadable{"无法读取", "cannot be read"};
inline constexpr Bilingual kBadMetricFile{"\n字库尺寸文件 %s 无法读取, 其字符不占位置.",
                                          "\nThe font metric file %s cannot be read; its characters take no room."};
inline constexpr Bilingual kChecksumMismatch{"\n字库 %s: 校验和与 %s 的不一致.",
                                             "\nFont %s: its checksum differs from that of %s."};
inline constexpr Bilingual kDesignSizeMismatch{"\n字库 %s: 设计尺寸与 %s 的不一致.",
                                               "\nFont %s: its design size differs from that of %s."};
inline constexpr Bilingual kTooManyFonts{"\n虚拟字库 %s 用的字库太多, 只用前 %d 个.",
                                         "\nThe virtual font %s uses too many fonts; the first %d are used."};
inline constexpr Bilingual kVirtualTooDeep{
    "虚拟字库 %s 嵌套超过 %d 层 (或者循环引用自己), 更深的字符不显示.",
    "The virtual font %s is nested more than %d levels deep (or refers to itself); "
    "the characters below that are left out."};

// TrueType faces.
inline constexpr Bilingual kLoadingTrueTypeFont{"装载TrueType字库 `%s' ...",
                                                "Loading TrueType font `%s' ..."};
inline constexpr Bilingual kNoEnoughMemory{"内存不够", "No enough memory"};
inline constexpr Bilingual kCannotOpenTrueTypeFont{"字库打开失败", "Cannot open TrueType font"};
inline constexpr Bilingual kLoadingTrueTypeGlyphs{"装载TrueType字库 `%s' - %-5d(code=%04d)",
                                                  "Loading TrueType font `%s' - %-5d(code=%04d)"};
inline constexpr Bilingual kCannotLoadCharacter{"调入字符失败(区位码=%04d)!",
                                                "Cannot load character (QuWei=%04d)"};

}  // namespace mox
