#include "shell/settings/inifile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"

namespace drum {
namespace {

constexpr std::size_t kMaxString = 2047;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// One line of the file as it stands, with the ending it had ("", "\n" or
// "\r\n"), so that a rewrite gives back every line it does not change.
struct Line {
  std::string text;
  std::string ending;
};

// The whole file; empty when it is missing or cannot be read.
std::string slurp(const std::string& path) {
  std::string data;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return data;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      data.append(buf, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      if (n < 0) data.clear();  // a directory, or an I/O error: nothing to read
      break;
    }
  }
  ::close(fd);
  return data;
}

std::vector<Line> splitLines(const std::string& data) {
  std::vector<Line> lines;
  std::size_t start = 0;
  // A byte order mark, as some editors write, stands apart so that the first
  // header is still seen; it is written back as it was.
  if (data.starts_with(kBom)) {
    lines.push_back({std::string(kBom), ""});
    start = kBom.size();
  }
  while (start < data.size()) {
    const std::size_t nl = data.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back({data.substr(start), ""});
      break;
    }
    std::size_t end = nl;
    std::string ending = "\n";
    if (end > start && data[end - 1] == '\r') {
      --end;
      ending = "\r\n";
    }
    lines.push_back({data.substr(start, end - start), std::move(ending)});
    start = nl + 1;
  }
  return lines;
}

// The section a header line opens, or nothing when the line is no header.
std::optional<std::string_view> headerName(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
  line = trim(line);
  return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// Key and value of a "key=value" line; nothing for comments and other lines.
std::optional<std::pair<std::string_view, std::string_view>> keyValue(std::string_view line) {
  if (isComment(line)) return std::nullopt;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = trim(line.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return std::make_pair(key, trim(line.substr(eq + 1)));
}

// Where a section lies in the file: its header line and the end of its lines.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

// The first section of that name; later sections of the same name are never
// read or written.
std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = headerName(lines[i].text);
    if (!name || !sameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !headerName(lines[end].text)) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto kv = keyValue(lines[i].text);
    if (kv && sameName(kv->first, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> lookup(const std::string& path, const std::string& section, const std::string& key) {
  const std::vector<Line> lines = splitLines(slurp(path));
  const auto span = findSection(lines, section);
  if (!span) return std::nullopt;
  const auto at = findKey(lines, *span, key);
  if (!at) return std::nullopt;
  return std::string(keyValue(lines[*at].text)->second);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole 32-bit integer: optional sign, then decimal digits, or hexadecimal
// digits after "0x", "0X" or "$". Anything else, trailing junk or a value
// outside the 32-bit range is no integer.
std::optional<std::int64_t> parseInteger(std::string_view s) {
  s = trim(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int radix = 10;
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    radix = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == '$') {
    radix = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;  // magnitude of INT32_MIN
  std::int64_t magnitude = 0;
  for (char c : s) {
    const int d = hexDigit(c);
    if (d < 0 || d >= radix) return std::nullopt;
    magnitude = magnitude * radix + d;
    if (magnitude > kLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return std::nullopt;
  return value;
}

// A value stays on its line: line breaks and NUL would split or cut it.
std::string oneLine(std::string value) {
  for (char& c : value)
    if (c == '\n' || c == '\r' || c == '\0') c = ' ';
  return value;
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

[[noreturn]] void refused(const std::string& path) {
  // File names are UTF-8 on this system; the error's text is Windows-1250.
  throw Error("Unable to write to " + utf8ToCp1250(path));
}

bool writeAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes through a temporary file beside the old one, flushed to the disk
// before it is renamed over it: a crash or a full disk leaves either the old
// file or the new one, never a torn one.
void replaceFile(const std::string& path, const std::string& data) {
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0;
  // A file the user made read-only stays as it is.
  if (hadOld && (!S_ISREG(old.st_mode) || ::access(path.c_str(), W_OK) != 0)) refused(path);

  const std::string dir = directoryOf(path);
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  static unsigned counter = 0;
  std::string temp;
  int fd = -1;
  // O_EXCL on a name of our own; the mode 0666 goes through the umask.
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = (dir == "/" ? "" : dir) + "/." + name + "." + std::to_string(::getpid()) + "." +
           std::to_string(++counter) + ".tmp";
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) refused(path);
  if (hadOld) ::fchmod(fd, old.st_mode & 07777);  // keep the old file's permissions
  bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    refused(path);
  }
  // Make the rename itself durable; a folder that cannot be synced changes nothing.
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
}

// The ending that new lines get: the one the file already uses.
std::string endingOf(const std::vector<Line>& lines) {
  for (const Line& l : lines)
    if (!l.ending.empty()) return l.ending;
  return "\n";
}

}  // namespace

bool IniFile::exists() const {
  struct stat st {};
  return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& def) const {
  std::optional<std::string> value = lookup(path_, section, key);
  if (!value) return def;
  // A NUL ends the text, as it ends any C string that carried it.
  const std::size_t nul = value->find('\0');
  if (nul != std::string::npos) value->resize(nul);
  if (value->size() > kMaxString) value->resize(kMaxString);
  return *value;
}

std::int64_t IniFile::readInteger(const std::string& section, const std::string& key, std::int64_t def) const {
  const std::optional<std::string> value = lookup(path_, section, key);
  if (!value) return def;
  return parseInteger(*value).value_or(def);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool def) const {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
  if (!writable_) return;
  std::vector<Line> lines = splitLines(slurp(path_));
  const std::string ending = endingOf(lines);
  Line entry{key + "=" + oneLine(value), ending};

  if (const auto span = findSection(lines, section)) {
    if (const auto found = findKey(lines, *span, key)) {
      entry.ending = lines[*found].ending;
      lines[*found] = std::move(entry);
    } else {
      // After the section's last non-empty line, before the blank lines
      // that part it from the next section.
      std::size_t at = span->end;
      while (at > span->header + 1 && trim(lines[at - 1].text).empty()) --at;
      if (lines[at - 1].ending.empty()) lines[at - 1].ending = ending;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    }
  } else {
    const bool onlyBom = lines.size() == 1 && lines[0].text == kBom && lines[0].ending.empty();
    if (!lines.empty() && !onlyBom) {
      if (lines.back().ending.empty()) lines.back().ending = ending;
      if (!trim(lines.back().text).empty()) lines.push_back({"", ending});
    }
    lines.push_back({"[" + section + "]", ending});
    lines.push_back(std::move(entry));
  }

  std::string data;
  for (const Line& l : lines) {
    data += l.text;
    data += l.ending;
  }
  replaceFile(path_, data);
}

void IniFile::writeInteger(const std::string& section, const std::string& key, std::int64_t value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

std::string executableIniPath() {
  std::string exe(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
    if (n <= 0) return "drum.ini";  // no /proc: the current folder is all we know
    if (static_cast<std::size_t>(n) < exe.size()) {
      exe.resize(static_cast<std::size_t>(n));
      break;
    }
    exe.resize(exe.size() * 2);
  }
  // An executable replaced while it runs still names its old file.
  constexpr std::string_view kDeleted = " (deleted)";
  if (exe.size() > kDeleted.size() && exe.ends_with(kDeleted)) exe.resize(exe.size() - kDeleted.size());
  const std::size_t slash = exe.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = exe.rfind('.');
  // A dot that begins the name (".drum") starts no extension.
  if (dot != std::string::npos && dot > nameStart) exe.resize(dot);
  return exe + ".ini";
}

namespace {
std::unique_ptr<IniFile>& currentSettings() {
  static std::unique_ptr<IniFile> file;
  return file;
}
}  // namespace

IniFile& settingsFile() {
  auto& file = currentSettings();
  if (!file) file = std::make_unique<IniFile>(executableIniPath());
  return *file;
}

void setSettingsPath(const std::string& path) { currentSettings() = std::make_unique<IniFile>(path); }

}  // namespace drum
