// "sounds.dat": a component stream holding one TWaveCollectionComponent whose
// only property, "List", is the collection of sound items.
#include <cctype>
#include <cstring>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "runtime/soundbank.h"
#include "runtime/wave.h"

namespace drum {
namespace {

// Type bytes of the values in the stream.
enum : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaLString = 12,
  vaCollection = 14,
  vaWString = 18,
  vaUTF8String = 20,
};

const char kSignature[] = "TPF0";
const char kClassName[] = "TWaveCollectionComponent";

// Reads with bounds checks; every failure names the file and the byte.
class Cursor {
 public:
  Cursor(const std::string& data, const std::string& file) : data_(data), file_(file) {}

  [[noreturn]] void fail(const std::string& what, std::size_t at) const {
    throw Error(file_ + ": " + what + " at byte " + std::to_string(at));
  }
  void need(std::size_t n, const char* what) const {
    if (data_.size() - pos_ < n) fail(std::string("the file ends inside ") + what, pos_);
  }
  std::uint8_t byte(const char* what) {
    need(1, what);
    return static_cast<std::uint8_t>(data_[pos_++]);
  }
  std::uint8_t peek(const char* what) const {
    need(1, what);
    return static_cast<std::uint8_t>(data_[pos_]);
  }
  std::int32_t int32(const char* what) {
    need(4, what);
    const auto* p = reinterpret_cast<const unsigned char*>(data_.data()) + pos_;
    pos_ += 4;
    return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
  }
  std::int16_t int16(const char* what) {
    need(2, what);
    const auto* p = reinterpret_cast<const unsigned char*>(data_.data()) + pos_;
    pos_ += 2;
    return static_cast<std::int16_t>(p[0] | (p[1] << 8));
  }
  // A 4-byte length that must fit in what is left, times `unit` bytes.
  std::size_t length(const char* what, std::size_t unit) {
    const std::size_t at = pos_;
    const std::int32_t n = int32(what);
    if (n < 0) fail(std::string("negative length of ") + what, at);
    if (static_cast<std::size_t>(n) > (data_.size() - pos_) / unit)
      fail(std::string("the file ends inside ") + what + " (" + std::to_string(n) + " declared)", at);
    return static_cast<std::size_t>(n) * unit;
  }
  std::string bytes(std::size_t n, const char* what) {
    need(n, what);
    std::string s = data_.substr(pos_, n);
    pos_ += n;
    return s;
  }
  std::string shortString(const char* what) { return bytes(byte(what), what); }
  std::size_t pos() const { return pos_; }

 private:
  const std::string& data_;
  const std::string& file_;
  std::size_t pos_ = 0;
};

std::string readName(Cursor& in) {
  const std::size_t at = in.pos();
  const std::uint8_t type = in.byte("the type of Name");
  switch (type) {
    case vaString:
      return in.shortString("Name");
    case vaLString:
      return in.bytes(in.length("Name", 1), "Name");
    case vaWString: {
      const std::string raw = in.bytes(in.length("Name", 2), "Name");
      std::u16string w(raw.size() / 2, u'\0');
      for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                     (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
      return utf16ToCp1250(w);
    }
    case vaUTF8String:
      return utf8ToCp1250(in.bytes(in.length("Name", 1), "Name"));
    default:
      in.fail("Name has a value of type " + std::to_string(type) + " (not a string)", at);
  }
}

std::int32_t readInteger(Cursor& in, std::uint8_t type, const char* what, std::size_t at) {
  switch (type) {
    case vaInt8:
      return static_cast<std::int8_t>(in.byte(what));
    case vaInt16:
      return in.int16(what);
    case vaInt32:
      return in.int32(what);
    default:
      in.fail(std::string(what) + " has a value of type " + std::to_string(type) + " (not an integer)", at);
  }
}

// A click or the beep is waited for while the game takes no key: one of
// minutes would hold the game that long. (The tones are looped and stopped
// by their SOUND, so their length holds nothing.)
constexpr std::int64_t kLongestWaitedMillis = 5000;

void checkLength(const SoundItem& item) {
  std::string name = item.Name;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!name.starts_with("click") && name != "beep") return;
  const std::int64_t ms = SoundBank::nominalMillis(item);
  if (ms > kLongestWaitedMillis)
    throw Error("the wave lasts " + std::to_string(ms) + " ms, more than the " +
                std::to_string(kLongestWaitedMillis) + " ms a click or the beep may last");
}

SoundItem readItem(Cursor& in, int number, const std::string& file) {
  SoundItem item;
  bool hasWave = false;
  while (in.peek("an item") != vaNull) {
    const std::size_t at = in.pos();
    const std::string prop = in.shortString("a property name");
    if (prop == "Name") {
      item.Name = readName(in);
    } else if (prop == "Looped") {
      const std::size_t typeAt = in.pos();
      const std::uint8_t t = in.byte("the value of Looped");
      if (t != vaTrue && t != vaFalse) in.fail("Looped has a value of type " + std::to_string(t) + " (not a boolean)", typeAt);
      item.Looped = t == vaTrue;
    } else if (prop == "MaxPlayingCount") {
      const std::size_t typeAt = in.pos();
      item.MaxPlayingCount = readInteger(in, in.byte("the type of MaxPlayingCount"), "MaxPlayingCount", typeAt);
    } else if (prop == "Wave.WAVE") {
      const std::size_t typeAt = in.pos();
      const std::uint8_t t = in.byte("the type of Wave.WAVE");
      if (t != vaBinary) in.fail("Wave.WAVE has a value of type " + std::to_string(t) + " (not binary)", typeAt);
      item.Wave = in.bytes(in.length("Wave.WAVE", 1), "Wave.WAVE");
      hasWave = true;
    } else {
      in.fail("item " + std::to_string(number) + " has an unknown property \"" + prop + "\"", at);
    }
  }
  in.byte("an item");  // the 0 that closes it
  if (hasWave) {
    try {
      item.buffer = std::make_shared<SampleBuffer>(decodeWave(item.Wave));
      checkLength(item);
    } catch (const Error& e) {
      throw Error(file + ": item " + std::to_string(number) + " \"" + item.Name + "\": " + e.what());
    }
  }
  return item;
}

}  // namespace

std::vector<SoundItem> readSoundBank(const std::string& data, const std::string& file) {
  Cursor in(data, file);
  if (in.bytes(4, "the signature") != kSignature) in.fail("no TPF0 signature (not a sound bank)", 0);
  const std::size_t classAt = in.pos();
  const std::string className = in.shortString("the class name");
  if (className != kClassName) in.fail("the object is a \"" + className + "\", not a " + kClassName, classAt);
  in.shortString("the object name");

  std::vector<SoundItem> items;
  bool haveList = false;
  while (in.peek("the object's properties") != vaNull) {
    const std::size_t at = in.pos();
    const std::string prop = in.shortString("a property name");
    if (prop != "List") in.fail("unknown property \"" + prop + "\" of the sound bank", at);
    const std::size_t typeAt = in.pos();
    const std::uint8_t t = in.byte("the type of List");
    if (t != vaCollection) in.fail("List has a value of type " + std::to_string(t) + " (not a collection)", typeAt);
    items.clear();
    haveList = true;
    while (in.peek("the collection") != vaNull) {
      const std::size_t itemAt = in.pos();
      std::uint8_t start = in.byte("the collection");
      // An item may be preceded by an integer (its order), read and ignored.
      if (start == vaInt8 || start == vaInt16 || start == vaInt32) {
        readInteger(in, start, "the order of an item", itemAt);
        start = in.byte("the collection");
      }
      if (start != vaList)
        in.fail("item " + std::to_string(items.size() + 1) + " starts with type " + std::to_string(start) +
                    " (not a list)", in.pos() - 1);
      items.push_back(readItem(in, static_cast<int>(items.size() + 1), file));
    }
    in.byte("the collection");
  }
  in.byte("the object's properties");
  if (in.byte("the list of child objects") != vaNull) in.fail("the sound bank has child objects", in.pos() - 1);
  if (!haveList) in.fail("the sound bank has no List", in.pos());
  return items;
}

namespace {

void putShort(std::string& out, const std::string& s) {
  out.push_back(static_cast<char>(s.size()));
  out += s;
}
void put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string writeSoundBank(const std::vector<SoundItem>& items) {
  std::string out = kSignature;
  putShort(out, kClassName);
  putShort(out, "");
  putShort(out, "List");
  out.push_back(static_cast<char>(vaCollection));
  for (const SoundItem& item : items) {
    out.push_back(static_cast<char>(vaList));
    putShort(out, "Name");
    if (item.Name.size() <= 255) {
      out.push_back(static_cast<char>(vaString));
      putShort(out, item.Name);
    } else {
      out.push_back(static_cast<char>(vaLString));
      put32(out, static_cast<std::uint32_t>(item.Name.size()));
      out += item.Name;
    }
    putShort(out, "Looped");
    out.push_back(static_cast<char>(item.Looped ? vaTrue : vaFalse));
    putShort(out, "MaxPlayingCount");
    const int n = item.MaxPlayingCount;
    if (n >= -128 && n <= 127) {
      out.push_back(static_cast<char>(vaInt8));
      out.push_back(static_cast<char>(n));
    } else if (n >= -32768 && n <= 32767) {
      out.push_back(static_cast<char>(vaInt16));
      out.push_back(static_cast<char>(n & 0xFF));
      out.push_back(static_cast<char>((n >> 8) & 0xFF));
    } else {
      out.push_back(static_cast<char>(vaInt32));
      put32(out, static_cast<std::uint32_t>(n));
    }
    if (!item.Wave.empty()) {
      putShort(out, "Wave.WAVE");
      out.push_back(static_cast<char>(vaBinary));
      put32(out, static_cast<std::uint32_t>(item.Wave.size()));
      out += item.Wave;
    }
    out.push_back(static_cast<char>(vaNull));
  }
  out.push_back(static_cast<char>(vaNull));  // end of the collection
  out.push_back(static_cast<char>(vaNull));  // end of the properties
  out.push_back(static_cast<char>(vaNull));  // no child objects
  return out;
}

}  // namespace drum
