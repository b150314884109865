#include "input/brailletables.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/userfile.h"

namespace drum {

std::array<brlpreftype, kMaxPrefixes + 1> brlprefixes;
std::uint8_t prefixcount = 0;
std::array<brlchartype, kMaxBrailleChars + 1> brlchars;
std::uint8_t charcount = 0;
std::array<echokeytype, kEchoKeys> echokeys;
std::string currentprefix;
std::string brailletablefile = "czech.ebt";
std::string keyfile;

namespace {

// The system's error text for errno, in the system's code page.
std::string systemMessage(int err) { return utf8ToCp1250(std::strerror(err)); }

// Reads a text file line by line: lines end in LF, a CR before the LF is
// dropped, nothing else is touched (NUL bytes and blanks stay). The file is
// read whole through the file layer, so a pipe, a folder or a device by
// that name is refused at once instead of hanging or reading for ever.
class LineReader {
 public:
  explicit LineReader(const std::string& name) {
    std::optional<std::string> data = readUserFile(name, kTextTableCap);
    if (!data) throw Error("Cannot open file \"" + name + "\". " + systemMessage(ENOENT));
    data_ = std::move(*data);
  }

  bool next(std::string& line) {
    if (at_ >= data_.size()) return false;
    const std::size_t nl = data_.find('\n', at_);
    std::size_t end = nl == std::string::npos ? data_.size() : nl;
    const std::size_t start = at_;
    at_ = nl == std::string::npos ? data_.size() : nl + 1;
    if (nl != std::string::npos && end > start && data_[end - 1] == '\r') --end;
    line.assign(data_, start, end - start);
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string data_;
  std::size_t at_ = 0;
  int number_ = 0;
};

// A line split at its first "="; without one, both parts are the whole line.
struct Split {
  std::string left, right;
};
Split splitAtEquals(const std::string& line) {
  const auto at = line.find('=');
  if (at == std::string::npos) return {line, line};
  return {line.substr(0, at), line.substr(at + 1)};
}

// A decimal integer with an optional sign that fits 32 bits, as a whole.
bool parseInteger(const std::string& text, long& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<long>(v);
  return true;
}

// A piece of a line fit to quote in a message: short, no control bytes.
std::string quotedPiece(const std::string& text) {
  std::string shown = text.substr(0, 40);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32) c = '?';
  return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

enum class Section { None, Prefixes, Characters, Skipped };

}  // namespace

void LoadBrailleTable() {
  charcount = 0;
  LineReader reader(brailletablefile);
  Section section = Section::None;
  std::string sectionprefix;
  int ignored = 0;
  std::string line;
  while (reader.next(line)) {
    if (!line.empty() && line[0] == '[') {
      // The name is the line without its first and last character.
      const std::string name = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
      if (name == "prefixes") {
        section = Section::Prefixes;
        prefixcount = 0;
      } else if (name == "characters") {
        section = Section::Characters;
        sectionprefix.clear();
      } else if (!name.empty() && name[0] == '#') {
        section = Section::Characters;
        sectionprefix = name;
      } else {
        section = Section::Skipped;
      }
      continue;
    }
    if (line.empty()) continue;
    if (section == Section::Prefixes) {
      if (line[0] != '#') continue;  // remarks between the prefixes
      if (prefixcount >= kMaxPrefixes) {
        ++ignored;
        continue;
      }
      Split s = splitAtEquals(line);
      brlpreftype& slot = brlprefixes[++prefixcount];
      slot.prefix = std::move(s.left);
      slot.dots = std::move(s.right);
    } else if (section == Section::Characters) {
      if (charcount >= kMaxBrailleChars) {
        ++ignored;
        continue;
      }
      Split s = splitAtEquals(line);
      brlchartype& slot = brlchars[++charcount];
      slot.prefix = sectionprefix;
      slot.character = std::move(s.left);
      slot.dots = std::move(s.right);
    }
  }
  if (ignored > 0)
    host().reportError(brailletablefile + ": " + std::to_string(ignored) +
                       (ignored == 1 ? " line was" : " lines were") +
                       " ignored: the Braille table holds 10 prefixes and 254 characters.");
}

void LoadKeyFile() {
  echokeys.fill(echokeytype{});
  LineReader reader(keyfile);
  int filled = 0;
  int ignored = 0;
  std::string line;
  while (reader.next(line)) {
    if (line.empty()) continue;
    if (filled >= kEchoKeys) {
      ++ignored;
      continue;
    }
    Split s = splitAtEquals(line);
    long number = 0;
    if (!parseInteger(s.left, number))
      throw Error(keyfile + ", line " + std::to_string(reader.number()) + ": " + quotedPiece(s.left) +
                  " is not an integer.");
    echokeys[filled].code = static_cast<std::uint8_t>(number & 0xFF);
    echokeys[filled].text = std::move(s.right);
    ++filled;
  }
  if (ignored > 0)
    host().reportError(keyfile + ": " + std::to_string(ignored) + (ignored == 1 ? " line was" : " lines were") +
                       " ignored: the key table holds 256 entries.");
}

void TranslateChord(const std::string& dots, std::string& result) {
  if (dots == " ") {
    result = " ";
    currentprefix.clear();
    return;
  }
  // Prefixes come first, whatever prefix is in force.
  for (int i = 1; i <= prefixcount; ++i) {
    if (brlprefixes[i].dots == dots) {
      currentprefix = brlprefixes[i].prefix;
      result.clear();
      return;
    }
  }
  for (int i = 1; i <= charcount; ++i) {
    const brlchartype& entry = brlchars[i];
    if (entry.dots == dots && entry.prefix == currentprefix) {
      result = entry.character;
      if (currentprefix == "#cap") currentprefix.clear();  // the capital sign holds for one character
      return;
    }
  }
}

}  // namespace drum
