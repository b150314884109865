// The settings file: a sectioned text file, opened anew for every read and
// every write. Section and key names match without regard to case.
#pragma once
#include <cstdint>
#include <string>

namespace drum {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  bool exists() const;

  // Strings are read up to 2,047 characters. Integers are decimal, or
  // hexadecimal with "0x"/"0X" or "$"; anything else reads as the default.
  std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
  std::int64_t readInteger(const std::string& section, const std::string& key, std::int64_t def) const;
  bool readBool(const std::string& section, const std::string& key, bool def) const;

  // Replaces the key's line or adds it (and its section). The file is
  // rewritten through a temporary file and a rename; a refused write raises
  // Error("Unable to write to <path>").
  void writeString(const std::string& section, const std::string& key, const std::string& value);
  void writeInteger(const std::string& section, const std::string& key, std::int64_t value);
  void writeBool(const std::string& section, const std::string& key, bool value);

 private:
  std::string path_;
};

// The executable's path with its extension replaced by ".ini".
std::string executableIniPath();
// The settings file of this process (executableIniPath() unless a test or a
// tool has set another one).
IniFile& settingsfile();
void setSettingsPath(const std::string& path);

}  // namespace drum
