// Recovery copies: the text of every modified window, written to a folder
// every few seconds, so that a hang, a crash or a power cut takes no more
// than those seconds of work. Each running Varelo is a session with a lock
// file it holds; the copies of a session whose lock nobody holds were left
// by a program that did not end normally, and the next start offers them.
// Two programs at once never take each other's copies.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/core/text_file.h"
#include "platform/file_lock.h"

namespace mox::varelo {

// What a copy holds: enough to make the window again.
struct RecoveryCopy {
  std::string FileName;       // where the window saves ("Untitled.ctx" for a new one)
  std::string SavedFileName;  // what it last read or wrote (may be empty)
  TextFormat Format;
  std::string Time;  // when it was written, local time "YYYY-MM-DD hh:mm:ss"
  std::u16string Text;
};

// A copy file's bytes: a header of "name: value" lines, an empty line and
// the text as UTF-16 (so that every unit, escapes of bytes included, comes
// back). Reading gives false for anything else.
std::string RecoveryCopyBytes(const RecoveryCopy& copy);
bool ReadRecoveryCopy(std::string_view bytes, RecoveryCopy& copy);

// The local time now, as a copy records it.
std::string RecoveryTimeNow();

class RecoveryStore {
 public:
  // A copy left by a program that is no longer running.
  struct Orphan {
    std::string Path;
    RecoveryCopy Copy;
  };

  // `folders`: where copies may go, in order of preference (the program
  // folder's, then the user's); the first that can be made and written
  // is taken at Start.
  explicit RecoveryStore(std::vector<std::string> folders);
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // Takes a folder and the session's lock; false when no folder could be
  // used (copies are then not kept).
  bool Start();
  bool Started() const { return lock_ != nullptr; }
  const std::string& Folder() const { return folder_; }

  // Writes (or rewrites) the copy of window `window`: written whole
  // beside it first, then put in its place.
  bool Keep(int window, const RecoveryCopy& copy);
  // The window was saved or closed: its copy goes.
  void Forget(int window);

  // The copies of sessions that ended without removing them, in every
  // folder, oldest first. Unreadable files are left alone.
  std::vector<Orphan> Orphans() const;
  // An orphan becomes the copy of one of this session's windows, or goes.
  bool Adopt(const Orphan& orphan, int window);
  void Discard(const Orphan& orphan);

  // The end of a normal run: the lock goes (copies still kept stay for
  // the next start).
  void End();

 private:
  std::string CopyPath(int window) const;

  std::vector<std::string> folders_;
  std::string folder_;
  std::string session_;
  std::unique_ptr<platform::FileLock> lock_;
};

}  // namespace mox::varelo
