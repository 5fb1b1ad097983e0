// The layout of TBtnBottomDlgcm: its client size and the place of each
// control as x, y, width, height in pixels. The drive box and the folder
// list take the usage guide's place while the folders are browsed, and
// "结束" the file button's.
#pragma once

namespace mox::varelo::layout::runner {

inline constexpr int kClientWidth = 480;
inline constexpr int kClientHeight = 430;

inline constexpr int kBanner[4] = {8, 8, 464, 34};          // Panel1
inline constexpr int kTexDirLabel[4] = {8, 52, 118, 24};    // Panel5
inline constexpr int kTexDirBox[4] = {130, 52, 256, 24};    // Edit1
inline constexpr int kTexDirButton[4] = {392, 52, 80, 24};  // Button1
inline constexpr int kSourceLabel[4] = {8, 82, 118, 24};    // Panel3
inline constexpr int kSourceBox[4] = {130, 82, 256, 24};    // Edit2
inline constexpr int kSourceButton[4] = {392, 82, 80, 24};  // Button2 and Button3
inline constexpr int kCommandLabel[4] = {8, 112, 118, 24};  // Panel2
inline constexpr int kCommandBox[4] = {130, 112, 256, 24};  // ComboBox1 (closed)
inline constexpr int kCommandListHeight = 300;              // its drop-down list
inline constexpr int kGuide[4] = {8, 144, 464, 234};        // Memo1
inline constexpr int kDriveBox[4] = {8, 144, 464, 24};      // DriveComboBox1 (closed)
inline constexpr int kFolderList[4] = {8, 174, 464, 204};   // DirectoryListBox1
// OKBtn, BitBtn1, HelpBtn, CancelBtn, left to right.
inline constexpr int kButtonTop = 390;
inline constexpr int kButtonWidth = 104;
inline constexpr int kButtonHeight = 30;
inline constexpr int kButtonLeft[4] = {8, 128, 248, 368};

}  // namespace mox::varelo::layout::runner
