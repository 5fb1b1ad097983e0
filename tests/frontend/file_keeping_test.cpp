// What the editor does with files that are not plain sources: every kind
// of line end, none at the end and binary bytes come back as they were;
// an edit changes the bytes of its line only; files that do not look like
// text are asked about; read-only files are never replaced; UTF-16 stays
// UTF-16. And the recovery copies of windows, between two programs.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "frontend/core/editor.h"
#include "frontend/core/recovery.h"
#include "tests/frontend/fake_editor_window.h"
#include "tests/support/recording_user_interface.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

using platform::kAnswerNo;
using platform::kAnswerOk;
using platform::kAnswerYes;
using ::mox::test::ReadFile;
using ::mox::test::WriteFile;

class FileKeepingTest : public ::testing::Test {
 protected:
  // Opens bytes as a file, saves them unchanged and gives what was written.
  std::string OpenAndSave(const std::string& bytes) {
    const std::string path = dir_.File("round.ctx");
    WriteFile(path, bytes);
    ui_.AnswerNext(kAnswerYes);  // "open it anyway" where it is asked
    EXPECT_TRUE(editor_.OpenFile(path));
    EXPECT_TRUE(editor_.Save());
    return ReadFile(path);
  }

  ::mox::test::TempDir dir_;
  ::mox::test::RecordingUserInterface ui_;
  test::FakeEditorWindow window_;
  Editor editor_{window_};
};

TEST_F(FileKeepingTest, EveryByteComesBackAndAnEditChangesOnlyItsLine) {
  std::string binary;
  for (int i = 0; i < 512; ++i) binary.push_back(static_cast<char>((i * 37) % 256));
  const std::string files[] = {"a\r\nb\r\n", "a\nb\n", "a\rb\r", "a\r\nb\nc\rd", "no end",
                               "\xD6\xD0\n\xFF\r\n", binary};
  for (const std::string& bytes : files) {
    EXPECT_EQ(OpenAndSave(bytes), bytes);
    // Edited and saved, not merely written back as it was read.
    window_.SetSelection(0, 0);
    window_.Type(u"x");
    window_.SetSelection(0, 1);
    window_.Type(u"");
    ASSERT_TRUE(editor_.Save());
    EXPECT_EQ(ReadFile(dir_.File("round.ctx")), bytes);
  }
  // One line of a mixed file edited: only its bytes differ; a new line
  // takes the line end the file uses most (LF).
  const std::string mixed = "one\r\ntwo\nthree\rfour\nfive";
  OpenAndSave(mixed);
  window_.SetSelection(6, 6);  // in "two"
  window_.Type(u"!\rnew");
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(dir_.File("round.ctx")), "one\r\nt!\nnewwo\nthree\rfour\nfive");
}

TEST_F(FileKeepingTest, FilesThatAreNotTextAreAskedAboutAndUtf16StaysUtf16) {
  const std::string path = dir_.File("image.png");
  WriteFile(path, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  ui_.AnswerNext(kAnswerNo);
  EXPECT_FALSE(editor_.OpenFile(path));
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_EQ(ui_.Boxes[0].Text,
            "文件 image.png 含有 NUL 字节, 不像是文本文件.\n仍然打开吗? (没有改动的字节保存时不变.)");
  // Control characters with no NUL, more than one byte in twenty.
  std::string controls(400, 'a');
  for (std::size_t i = 0; i < controls.size(); i += 8) controls[i] = '\x02';
  WriteFile(path, controls);
  ui_.AnswerNext(kAnswerNo);
  EXPECT_FALSE(editor_.OpenFile(path));
  EXPECT_NE(ui_.Boxes.back().Text.find("12% 的字节"), std::string::npos);

  // UTF-16, big-endian, an unpaired surrogate in it: named, opened, saved
  // as it was and, edited, still UTF-16.
  const std::string utf16("\xFE\xFF\x4E\x2D\x00\x0A\xD8\x00\x00\x61", 10);
  EXPECT_EQ(OpenAndSave(utf16), utf16);
  EXPECT_EQ(ui_.Boxes.back().Text.rfind("文件 round.ctx 是 UTF-16 编码的文本", 0), 0u);
  window_.SetSelection(0, 0);
  window_.Type(u"文");
  ASSERT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(dir_.File("round.ctx")), std::string("\xFE\xFF\x65\x87", 4) + utf16.substr(2));
}

TEST_F(FileKeepingTest, AReadOnlyFileIsNotReplacedAndSaveAsIsOffered) {
  const std::string path = dir_.File("locked.ctx");
  WriteFile(path, "old\n");
  ASSERT_TRUE(editor_.OpenFile(path));
  chmod(path.c_str(), 0444);
  window_.Type(u"new ");
  ui_.AnswerNext(kAnswerOk);   // the message
  ui_.AnswerNext(kAnswerYes);  // save it elsewhere
  window_.SaveAnswers.push_back(dir_.File("copy.ctx"));
  EXPECT_TRUE(editor_.Save());
  EXPECT_EQ(ReadFile(path), "old\n");
  EXPECT_EQ(ReadFile(dir_.File("copy.ctx")), "new old\n");
  EXPECT_EQ(editor_.FileName(), dir_.File("copy.ctx"));
  struct stat mode {};
  stat(path.c_str(), &mode);
  EXPECT_EQ(mode.st_mode & 0777, 0444u);
  ASSERT_GE(ui_.Boxes.size(), 2u);
  EXPECT_EQ(ui_.Boxes[0].Text, "无法保存文件 " + path + ":\n文件是只读的");
#ifndef _WIN32
  // A writable file keeps its permissions when saved (Windows has no such
  // bits; the system keeps a file's access rights itself).
  chmod(dir_.File("copy.ctx").c_str(), 0640);
  window_.Type(u"more ");
  ASSERT_TRUE(editor_.Save());
  stat(dir_.File("copy.ctx").c_str(), &mode);
  EXPECT_EQ(mode.st_mode & 0777, 0640u);
#endif
}

TEST(RecoveryTest, CopiesOfAProgramThatDidNotEndAreOfferedToTheNextOnly) {
  ::mox::test::TempDir dir;
  const std::string folder = dir.File("Recovery");
  RecoveryCopy copy;
  copy.FileName = "Z:\\论文\\paper.ctx";
  copy.SavedFileName = copy.FileName;
  copy.Format.Encoding = TextEncoding::Utf8;
  copy.Format.LineEnds = LineEnd::Lf;
  copy.Time = "2026-12-08 10:30:00";
  copy.Text = u"中文\n\xF7FF\U0001F600 \xD800";
  {
    // The first folder cannot be made (a file is in the way): the next.
    WriteFile(dir.File("blocked"), "");
    RecoveryStore running({dir.File("blocked") + "/Recovery", folder});
    ASSERT_TRUE(running.Start());
    EXPECT_EQ(running.Folder(), folder);
    ASSERT_TRUE(running.Keep(1, copy));
    copy.Text += u"!";
    ASSERT_TRUE(running.Keep(1, copy));  // rewritten in place
    RecoveryCopy other = copy;
    other.FileName = "Untitled.ctx";
    ASSERT_TRUE(running.Keep(2, other));
    running.Forget(2);
    // A second program sees nothing of a running one's copies.
    RecoveryStore second({folder});
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.Orphans().empty());
    // The first ends with a window's copy still kept (as when it is
    // killed, when its lock goes with the process).
  }
  WriteFile(folder + "/damaged-3.vrc", "VARELO RECOVERY 1\nfile: x\n");
  RecoveryStore next({folder});
  ASSERT_TRUE(next.Start());
  const std::vector<RecoveryStore::Orphan> orphans = next.Orphans();
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].Copy.FileName, copy.FileName);
  EXPECT_EQ(orphans[0].Copy.Text, copy.Text);
  EXPECT_EQ(orphans[0].Copy.Format.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(orphans[0].Copy.Format.LineEnds, LineEnd::Lf);
  EXPECT_EQ(orphans[0].Copy.Time, copy.Time);
  // Restored into a window, modified, the copy now this program's.
  test::FakeEditorWindow window;
  Editor editor(window);
  editor.Restore(orphans[0].Copy);
  EXPECT_TRUE(window.Doc.Modified());
  EXPECT_EQ(window.Caption, "paper.ctx");
  EXPECT_EQ(editor.FileName(), copy.FileName);
  ASSERT_TRUE(next.Adopt(orphans[0], 7));
  RecoveryStore third({folder});
  ASSERT_TRUE(third.Start());
  EXPECT_TRUE(third.Orphans().empty());
  next.Forget(7);
  EXPECT_EQ(ReadFile(folder + "/damaged-3.vrc").size(), 26u);  // left alone
}

}  // namespace
}  // namespace mox::varelo
