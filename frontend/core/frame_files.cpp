#include "frontend/core/frame_files.h"

#include "frontend/core/commands.h"
#include "platform/text_encoding.h"
#include "platform/text_format.h"

namespace mox::varelo {

std::string ProgramDirOf(const std::string& executable_path) {
  const std::size_t last = FindLastOfGbk(executable_path, "\\/");
  return last == std::string::npos ? std::string() : executable_path.substr(0, last);
}

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

std::string FullPathOf(const std::string& path, const std::string& current_directory) {
  if (path.empty() || current_directory.empty()) return path;
  const bool drive = HasDrive(path);
  const std::string rest = drive ? path.substr(2) : path;
  if (!rest.empty() && IsSeparator(rest[0])) {
    // "X:\\..." and "\\\\server\\..." are full; "\\dir" is on the current drive.
    if (drive || (path.size() > 1 && IsSeparator(path[1]))) return path;
    return HasDrive(current_directory) ? current_directory.substr(0, 2) + path : path;
  }
  // A Chinese character's trail byte 0x5C is no separator.
  const bool ends_with_separator =
      FindLastOfGbk(current_directory, "\\/") == current_directory.size() - 1;
  return current_directory + (ends_with_separator ? "" : "\\") + rest;
}

std::string NamePartOf(const std::string& path) {
  const std::size_t last = FindLastOfGbk(path, "\\/:");
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string ReferencePathOf(const std::string& program_dir) {
  return program_dir + "\\" + kReferenceFileName;
}

std::string FileUrl(const std::string& path, const std::string& fragment) {
  std::string utf8;
  std::size_t failed_at = 0;
  platform::EncodeUtf8(platform::DecodeGbk(path), utf8, failed_at);
  std::string url = "file:///";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      url.push_back('/');
    } else if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
               (byte >= '0' && byte <= '9') || std::string_view("-._~/:").find(c) !=
                                                  std::string_view::npos) {
      url.push_back(c);
    } else {
      url += Format("%%%02X", byte);
    }
  }
  if (!fragment.empty()) url += "#" + fragment;
  return url;
}

std::string NewsCommandLine(const std::string& program_dir) {
  return "notepad.exe " + program_dir + "\\news.txt";
}

std::string CommandInterpreter(const std::optional<std::string>& comspec) {
  if (!comspec || comspec->empty()) return "cmd.exe";
  // A path with blanks is quoted, or it would be cut at the first one.
  return comspec->find(' ') == std::string::npos ? *comspec : "\"" + *comspec + "\"";
}

std::string MailLink(int command) {
  const std::string link = std::string("mailto:") + kMailAddress;
  return command == CM_MAIL_REPORT ? link + "?subject=Varelo%20problem%20report" : link;
}

}  // namespace mox::varelo
