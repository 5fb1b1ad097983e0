#include "frontend/core/recovery.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <random>

#include "platform/directories.h"
#include "platform/file_replace.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text_format.h"

namespace mox::varelo {
namespace {

constexpr std::string_view kMagic = "VARELO RECOVERY 1";
constexpr std::string_view kCopyExtension = ".vrc";
constexpr std::string_view kLockExtension = ".lock";

const char* EncodingKey(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return "utf-8";
    case TextEncoding::Utf16Le: return "utf-16le";
    case TextEncoding::Utf16Be: return "utf-16be";
    default: return "gbk";
  }
}

const char* LineEndKey(LineEnd end) {
  switch (end) {
    case LineEnd::Lf: return "lf";
    case LineEnd::Cr: return "cr";
    default: return "crlf";
  }
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string Join(const std::string& folder, std::string_view name) {
  return folder + platform::SeparatorToAppend(folder) + std::string(name);
}

bool ReadFile(const std::string& path, std::string& bytes) {
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return false;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  return !std::ferror(file.get());
}

// A name no other running program takes: the time and a random number.
std::string NewSession() {
  std::random_device random;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return Format("s%llx%08x",
                static_cast<unsigned long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(now).count()),
                static_cast<unsigned>(random()));
}

}  // namespace

std::string RecoveryCopyBytes(const RecoveryCopy& copy) {
  std::string bytes(kMagic);
  bytes += "\nfile: " + copy.FileName;
  bytes += "\nsaved: " + copy.SavedFileName;
  bytes += std::string("\nencoding: ") + EncodingKey(copy.Format.Encoding);
  bytes += copy.Format.ByteOrderMark ? "\nbom: 1" : "\nbom: 0";
  bytes += std::string("\nline-end: ") + LineEndKey(copy.Format.LineEnds);
  bytes += "\ntime: " + copy.Time;
  bytes += Format("\nunits: %lu\n\n", static_cast<unsigned long>(copy.Text.size()));
  bytes.reserve(bytes.size() + copy.Text.size() * 2);
  for (const char16_t unit : copy.Text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

bool ReadRecoveryCopy(std::string_view bytes, RecoveryCopy& copy) {
  std::map<std::string, std::string> fields;
  std::size_t at = 0;
  bool first = true;
  for (;;) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos || end - at > 4096) return false;
    const std::string_view line = bytes.substr(at, end - at);
    at = end + 1;
    if (first) {
      if (line != kMagic) return false;
      first = false;
      continue;
    }
    if (line.empty()) break;
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos) return false;
    fields[std::string(line.substr(0, colon))] = std::string(line.substr(colon + 2));
  }
  for (const char* key : {"file", "saved", "encoding", "bom", "line-end", "time", "units"}) {
    if (fields.count(key) == 0) return false;
  }
  const std::string_view body = bytes.substr(at);
  const std::string& units = fields["units"];
  if (units.empty() || units.size() > 12 ||
      !std::all_of(units.begin(), units.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
      std::stoull(units) * 2 != body.size()) {
    return false;
  }
  RecoveryCopy read;
  read.FileName = fields["file"];
  read.SavedFileName = fields["saved"];
  read.Time = fields["time"];
  read.Format.ByteOrderMark = fields["bom"] == "1";
  bool known = false;
  for (TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8, TextEncoding::Utf16Le,
                                TextEncoding::Utf16Be}) {
    if (fields["encoding"] == EncodingKey(encoding)) {
      read.Format.Encoding = encoding;
      known = true;
    }
  }
  bool known_end = false;
  for (LineEnd end : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
    if (fields["line-end"] == LineEndKey(end)) {
      read.Format.LineEnds = end;
      known_end = true;
    }
  }
  if (!known || !known_end || read.FileName.empty()) return false;
  read.Text.reserve(body.size() / 2);
  for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
    read.Text.push_back(static_cast<char16_t>(static_cast<unsigned char>(body[i]) |
                                              static_cast<unsigned char>(body[i + 1]) << 8));
  }
  copy = std::move(read);
  return true;
}

std::string RecoveryTimeNow() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return "?";
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  return text;
}

RecoveryStore::RecoveryStore(std::vector<std::string> folders)
    : folders_(std::move(folders)), session_(NewSession()) {}

RecoveryStore::~RecoveryStore() { End(); }

bool RecoveryStore::Start() {
  if (lock_) return true;
  for (const std::string& folder : folders_) {
    if (folder.empty() || !platform::MakeDirectories(folder)) continue;
    lock_ = platform::TakeFileLock(Join(folder, session_ + std::string(kLockExtension)));
    if (!lock_) continue;
    folder_ = folder;
    // Locks that nobody holds and that no copy needs any more.
    std::vector<std::string> names = platform::FileNamesIn(folder);
    for (const std::string& name : names) {
      if (!EndsWith(name, kLockExtension)) continue;
      const std::string session = name.substr(0, name.size() - kLockExtension.size());
      const bool has_copies = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        return n.rfind(session + "-", 0) == 0 && EndsWith(n, kCopyExtension);
      });
      if (session != session_ && !has_copies && !platform::IsFileLocked(Join(folder, name))) {
        platform::Files().Remove(Join(folder, name));
      }
    }
    return true;
  }
  return false;
}

std::string RecoveryStore::CopyPath(int window) const {
  return Join(folder_, Format("%s-%d", session_.c_str(), window) + std::string(kCopyExtension));
}

bool RecoveryStore::Keep(int window, const RecoveryCopy& copy) {
  if (!lock_) return false;
  const std::string path = CopyPath(window);
  const std::string temporary = path + ".new";
  platform::FilePtr file = platform::OpenFile(temporary, "wb");
  if (!file) return false;
  const std::string bytes = RecoveryCopyBytes(copy);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!platform::CloseChecked(file) || !written || !platform::MoveFileOver(temporary, path)) {
    platform::Files().Remove(temporary);
    return false;
  }
  return true;
}

void RecoveryStore::Forget(int window) {
  if (lock_) platform::Files().Remove(CopyPath(window));
}

std::vector<RecoveryStore::Orphan> RecoveryStore::Orphans() const {
  std::vector<Orphan> orphans;
  for (const std::string& folder : folders_) {
    if (folder.empty()) continue;
    for (const std::string& name : platform::FileNamesIn(folder)) {
      const std::size_t dash = name.rfind('-');
      if (!EndsWith(name, kCopyExtension) || dash == std::string::npos) continue;
      const std::string session = name.substr(0, dash);
      if (session == session_ ||
          platform::IsFileLocked(Join(folder, session + std::string(kLockExtension)))) {
        continue;  // this program's, or a running one's
      }
      Orphan orphan;
      orphan.Path = Join(folder, name);
      std::string bytes;
      if (ReadFile(orphan.Path, bytes) && ReadRecoveryCopy(bytes, orphan.Copy)) {
        orphans.push_back(std::move(orphan));
      }
    }
  }
  std::stable_sort(orphans.begin(), orphans.end(), [](const Orphan& a, const Orphan& b) {
    return a.Copy.Time < b.Copy.Time;
  });
  return orphans;
}

bool RecoveryStore::Adopt(const Orphan& orphan, int window) {
  if (!lock_) return false;
  if (platform::MoveFileOver(orphan.Path, CopyPath(window))) return true;
  // Another folder, on another drive: written anew here.
  if (!Keep(window, orphan.Copy)) return false;
  Discard(orphan);
  return true;
}

void RecoveryStore::Discard(const Orphan& orphan) { platform::Files().Remove(orphan.Path); }

void RecoveryStore::End() {
  if (!lock_) return;
  lock_.reset();
  platform::Files().Remove(Join(folder_, session_ + std::string(kLockExtension)));
}

}  // namespace mox::varelo
