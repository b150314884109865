// The settings file: a sectioned text file, opened anew for every read and
// every write. Section and key names match without regard to case
// (Windows-1250 letters, as every text of the program). Where a section or a key appears twice, the first one is read and
// written and the later ones are left as they are.
#pragma once
#include <cstdint>
#include <string>

namespace drum {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  bool exists() const;

  // Strings are read up to 2,047 characters (and up to a NUL), without the
  // blanks around them. Integers are decimal, or hexadecimal with "0x"/"0X"
  // or "$", with an optional sign, and fit in 32 bits; hexadecimal is read
  // as VAL reads it (8 digits with the top bit set are negative). Anything
  // else (trailing characters, overflow) reads as the default. A settings
  // file that cannot be read (a folder, a pipe, larger than any real one)
  // raises the file layer's "Unable to read" error.
  std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
  std::int64_t readInteger(const std::string& section, const std::string& key, std::int64_t def) const;
  bool readBool(const std::string& section, const std::string& key, bool def) const;

  // Replaces the key's line or adds it (and its section); every other line
  // and each line's ending stay as they were. The file is rewritten through
  // a temporary file and a rename; a refused write raises
  // Error("Unable to write to <path>: <reason>"). Line breaks in a value
  // become blanks.
  void writeString(const std::string& section, const std::string& key, const std::string& value);
  void writeInteger(const std::string& section, const std::string& key, std::int64_t value);
  void writeBool(const std::string& section, const std::string& key, bool value);

  // An unwritable settings file is read as always; writes leave it untouched
  // (a test run that must not change what the player chose).
  void setWritable(bool on) { writable_ = on; }
  bool writable() const { return writable_; }

 private:
  std::string path_;
  bool writable_ = true;
};

// The executable's path with its extension replaced by ".ini".
std::string executableIniPath();
// The settings file of this process (executableIniPath() unless a test or a
// tool has set another one).
IniFile& settingsFile();
void setSettingsPath(const std::string& path);

}  // namespace drum
