#include "shell/settings/inifile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/userfile.h"

namespace drum {
namespace {

constexpr std::size_t kMaxString = 2047;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

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

// The whole file; empty when it is missing. A file that cannot be read
// raises the layer's error.
std::string slurp(const std::string& path) {
  return readUserFile(path, kSettingsFileCap).value_or(std::string());
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
    if (!name || !cp1250SameText(*name, section)) continue;
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
    if (kv && cp1250SameText(kv->first, key)) return i;
  }
  return std::nullopt;
}

// One pass over the text: the value of the key in the first section of
// that name, read the way splitLines, findSection and findKey see the file.
std::optional<std::string> lookup(const std::string& path, const std::string& section, const std::string& key) {
  const std::string data = slurp(path);
  std::string_view rest(data);
  if (rest.starts_with(kBom)) rest.remove_prefix(kBom.size());
  bool inside = false;
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    if (nl != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    if (const auto name = headerName(line)) {
      if (inside) return std::nullopt;  // the first section of the name had no such key
      inside = cp1250SameText(*name, section);
      continue;
    }
    if (!inside) continue;
    const auto kv = keyValue(line);
    if (kv && cp1250SameText(kv->first, key)) return std::string(kv->second);
  }
  return std::nullopt;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole 32-bit integer: optional sign, then decimal digits, or hexadecimal
// digits after "0x", "0X" or "$". Hexadecimal is read as VAL reads it: up to
// 8 significant digits, the top bit of 8 giving a negative value
// (0xFFFFEC78 is -5000). Anything else, trailing junk or a decimal value
// outside the 32-bit range is no integer.
std::optional<std::int64_t> parseInteger(std::string_view s) {
  s = trim(s);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  bool hex = false;
  if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    hex = true;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == '$') {
    hex = true;
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  if (hex) {
    std::uint32_t value = 0;
    for (char c : s) {
      const int d = hexDigit(c);
      if (d < 0 || value > 0x0FFFFFFFu) return std::nullopt;  // a ninth significant digit
      value = value << 4 | static_cast<std::uint32_t>(d);
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
  }
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;  // magnitude of INT32_MIN
  std::int64_t magnitude = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
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
  std::string old;
  try {
    old = slurp(path_);
  } catch (const FileError& e) {
    // What cannot be read cannot be rewritten without losing it.
    throw FileError("Unable to write to " + e.path() + ": " + e.reason(), e.path(), e.reason());
  }
  std::vector<Line> lines = splitLines(old);
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
  writeUserFile(path_, data);
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
