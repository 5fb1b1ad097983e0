#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "tests/startup/options_fixture.h"

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace mox::test {
namespace {

#ifdef __linux__
// Sets or clears the immutable attribute of a folder: nothing can then be
// created, renamed or deleted in it, not even by root, for whom permission
// bits do not count.
[[maybe_unused]] bool SetImmutable(const std::string& folder, bool immutable) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return done;
}
#else
[[maybe_unused]] bool SetImmutable(const std::string&, bool) { return false; }
#endif

class SaveOptionsTest : public OptionsTest {
 protected:
  void SetUp() override {
    OptionsTest::SetUp();
    ASSERT_EQ(Read(), std::nullopt);  // derives the initialization file's path
    Settings().ResolutionX = 300.0;
    Settings().ResolutionY = 200.0;
    Settings().Gamma = 2.2;
    Settings().PkFontPath = "d:\\pk\\dpi$d";
    Settings().ChineseFontPath = "e:\\hz";
  }

  static constexpr const char* kSavedLines =
      "-R300.00\n-^2.2000\n-Pd:\\pk\\dpi$d\n-Ie:\\hz\n";
};

TEST_F(SaveOptionsTest, WithoutAFileWritesTheFourSettings) {
  EXPECT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_), kSavedLines);
  EXPECT_FALSE(FileExists(temp_path_));
}

TEST_F(SaveOptionsTest, KeepsOtherOptionsOneALine) {
  WriteInitFile(
      "% -G comment lines are not carried over\n"
      "-r150 -Z2 -p/old/pk paper -B1cm:2cm\n"
      "\t-^1.8 -U1 -i/old/hz - -Cx\n");
  EXPECT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_),
            std::string("-Z2\n-B1cm:2cm\n-U1\n-\n-Cx\n") + kSavedLines);
  EXPECT_FALSE(FileExists(temp_path_));
}

TEST_F(SaveOptionsTest, TheSinglePageLayoutIsSavedOnceAndTheDefaultNotAtAll) {
  WriteInitFile("-L1 -Z2\n-l0\n");
  Settings().ContinuousPages = false;
  EXPECT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_), std::string("-Z2\n") + kSavedLines + "-L0\n");
  ResetOptions();
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_FALSE(Settings().ContinuousPages);
  EXPECT_EQ(Read({"-L1"}), std::nullopt);
  EXPECT_TRUE(Settings().ContinuousPages);
  EXPECT_EQ(Read({"-L2"}), "Invalid option \"-L2\" in the command line.");
  // The default layout adds no line.
  Settings().ContinuousPages = true;
  EXPECT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_).find("-L"), std::string::npos);
}

TEST_F(SaveOptionsTest, ReadingTheSavedFileGivesTheSavedSettings) {
  WriteInitFile("-R150 -Z2 paper\n-V1\n");
  ASSERT_EQ(SaveOptions(), 0);

  ResetOptions();
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().ResolutionX, 300.0);
  EXPECT_EQ(Settings().ResolutionY, 300.0);  // only one resolution is saved
  EXPECT_EQ(Settings().Gamma, 2.2);
  EXPECT_EQ(Settings().PkFontPath, "d:\\pk\\dpi$d");
  EXPECT_EQ(Settings().ChineseFontPath, "e:\\hz");
  EXPECT_EQ(Settings().InitialZoom, 0.5);
  EXPECT_EQ(Settings().SequenceMode, 1);
  EXPECT_EQ(Settings().DocumentName, "");
}

TEST_F(SaveOptionsTest, SavingTwiceDoesNotRepeatTheSettings) {
  ASSERT_EQ(SaveOptions(), 0);
  ASSERT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_), kSavedLines);
}

TEST_F(SaveOptionsTest, ReplacesALeftOverTemporaryFile) {
  WriteFile(temp_path_, "-Q left over from a crash\n");
  WriteInitFile("-U2\n");
  EXPECT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_), std::string("-U2\n") + kSavedLines);
  EXPECT_FALSE(FileExists(temp_path_));
}

TEST_F(SaveOptionsTest, PathsWithSpacesAreSavedQuotedAndReadBackFromEverySource) {
  WriteInitFile("-U2\n");
  Settings().PkFontPath = "c:\\program files\\mox\\dpi$d";  // from a quoted argument
  ASSERT_EQ(SaveOptions(), 0);
  EXPECT_EQ(ReadTextFile(init_path_),
            "-U2\n-R300.00\n-^2.2000\n-P\"c:\\program files\\mox\\dpi$d\"\n-Ie:\\hz\n");
  // Saving again keeps the quoted token as the one setting it is.
  ASSERT_EQ(SaveOptions(), 0);
  ResetOptions();
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().PkFontPath, "c:\\program files\\mox\\dpi$d");
  EXPECT_EQ(Settings().ParityFilter, 2);
  // A quoted value on the command line and a quoted document name.
  ASSERT_EQ(Read({"-I\"d:\\my fonts\"", "\"d:\\my papers\\a.dvi\""}), std::nullopt);
  EXPECT_EQ(Settings().ChineseFontPath, "d:\\my fonts");
  EXPECT_EQ(Settings().DocumentName, "d:\\my papers\\a.dvi");
  // A path too long for one token with its quotes is still refused.
  Settings().PkFontPath = "c:\\a b" + std::string(250, 'x');
  EXPECT_EQ(SaveOptions(), 1);
}

TEST_F(SaveOptionsTest, PathsThatWouldNotReadBackLeaveTheFileAlone) {
  WriteInitFile("-U2\n");
  Settings().ChineseFontPath = "e:\\a\"b";  // would read back with the line feed in it
  EXPECT_EQ(SaveOptions(), 1);
  Settings().ChineseFontPath = "e:\\my\nfonts";  // would end the line
  EXPECT_EQ(SaveOptions(), 1);
  EXPECT_EQ(ReadTextFile(init_path_), "-U2\n");
}

TEST_F(SaveOptionsTest, KeepsTheFontMetricFoldersOfTheFile) {
  WriteInitFile("-F\"d:\\my tfm//;e:\\vf\"\n");
  ASSERT_EQ(SaveOptions(), 0);
  ResetOptions();
  ASSERT_EQ(Read(), std::nullopt);
  EXPECT_EQ(Settings().FontMetricPath, "d:\\my tfm//;e:\\vf");
}

TEST_F(SaveOptionsTest, FailsWithoutAProgramPath) {
  ResetOptions();
  EXPECT_EQ(SaveOptions(), 1);
}

// Passes everything to the real file system except the one failure a test
// asks for.
enum class Fault { CreateFails, WritesFail, MoveAsideFails };

class FaultyFiles final : public platform::FileSystem {
 public:
  explicit FaultyFiles(Fault fault) : fault_(fault), previous_(platform::SetFiles(this)) {}
  ~FaultyFiles() override { platform::SetFiles(previous_); }

  std::FILE* Open(const std::string& path, const char* mode) override {
    const bool creates = mode[0] == 'w';
    if (creates && fault_ == Fault::CreateFails) return nullptr;
    if (creates && fault_ == Fault::WritesFail) {
      // The file is created, but the stream handed out cannot write to it.
      if (std::FILE* created = Real().Open(path, mode)) std::fclose(created);
      return Real().Open(path, "rb");
    }
    return Real().Open(path, mode);
  }
  bool Remove(const std::string& path) override { return Real().Remove(path); }
  bool Rename(const std::string& from, const std::string& to) override {
    if (fault_ == Fault::MoveAsideFails && to.ends_with("$$$")) return false;
    return Real().Rename(from, to);
  }
  bool Exists(const std::string& path) override { return Real().Exists(path); }

 private:
  static platform::FileSystem& Real() { return platform::SystemFiles(); }
  Fault fault_;
  platform::FileSystem* previous_;
};

class SaveOptionsFailureTest : public SaveOptionsTest,
                               public ::testing::WithParamInterface<Fault> {};

TEST_P(SaveOptionsFailureTest, LeavesTheOldFileUnderItsOwnName) {
  const std::string old_bytes = "% my settings\r\n-R300 -Z2\r\npaper\r\n";
  WriteInitFile(old_bytes);
  {
    FaultyFiles files(GetParam());
    EXPECT_EQ(SaveOptions(), 1);
  }
  EXPECT_EQ(ReadFile(init_path_), old_bytes);
  EXPECT_FALSE(FileExists(temp_path_));
}

TEST_P(SaveOptionsFailureTest, WithoutAnOldFileLeavesNoFileBehind) {
  FaultyFiles files(GetParam());
  const int result = SaveOptions();
  if (GetParam() == Fault::MoveAsideFails) {
    EXPECT_EQ(result, 0);  // nothing to move aside
    EXPECT_EQ(ReadTextFile(init_path_), kSavedLines);
  } else {
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(FileExists(init_path_));
  }
  EXPECT_FALSE(FileExists(temp_path_));
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveOptionsFailureTest,
                         ::testing::Values(Fault::CreateFails, Fault::WritesFail,
                                           Fault::MoveAsideFails),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                           switch (info.param) {
                             case Fault::CreateFails: return "CreateFails";
                             case Fault::WritesFail: return "WritesFail";
                             case Fault::MoveAsideFails: return "MoveAsideFails";
                           }
                           return "Unknown";
                         });

TEST_F(SaveOptionsTest, ReadOnlyFolderLeavesTheFileAlone) {
#ifdef _WIN32
  GTEST_SKIP() << "folder permissions are not modelled by chmod on Windows";
#else
  namespace fs = std::filesystem;
  const std::string old_bytes = "-U1\n-R150\n";
  WriteInitFile(old_bytes);
  std::error_code error;
  fs::permissions(dir_.Path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, error);
  ASSERT_FALSE(error) << error.message();

  const std::string probe = dir_.File("probe");
  bool immutable = false;
  if (std::FILE* created = std::fopen(probe.c_str(), "w")) {
    // Permission bits do not stop this process (root); the immutable
    // attribute does, where the file system has it.
    std::fclose(created);
    std::remove(probe.c_str());
    fs::permissions(dir_.Path(), fs::perms::owner_all, fs::perm_options::add, error);
    immutable = SetImmutable(dir_.Path(), true);
    if (!immutable) {
      GTEST_SKIP() << "this process can write into a read-only folder (root) and the "
                      "file system has no immutable attribute";
    }
  }

  EXPECT_EQ(SaveOptions(), 1);
  if (immutable) SetImmutable(dir_.Path(), false);
  fs::permissions(dir_.Path(), fs::perms::owner_all, fs::perm_options::add, error);
  EXPECT_EQ(ReadFile(init_path_), old_bytes);
  EXPECT_FALSE(FileExists(temp_path_));
#endif
}

}  // namespace
}  // namespace mox::test
