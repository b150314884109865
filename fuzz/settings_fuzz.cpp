// The settings reader and writer on any bytes: reads never fail, a written
// key reads back, and a second identical write changes nothing.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "shell/settings/inifile.h"
#include "shell/settings/resourcelocalizer.h"

namespace {

std::string fuzzPath() {
  static const std::string path = [] {
    static char dir[] = "/tmp/drum-settings-fuzz-XXXXXX";
    if (!::mkdtemp(dir)) std::abort();
    std::atexit([] {
      std::remove((std::string(dir) + "/drum.ini").c_str());
      ::rmdir(dir);
    });
    return std::string(dir) + "/drum.ini";
  }();
  return path;
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzzPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  drum::IniFile ini(path);
  (void)ini.readInteger("environment", "language", 1000);
  (void)ini.readBool("VOICE", "voiceallowed", true);
  (void)ini.readBool("Voice", "sapi5", false);
  (void)ini.readInteger("sounds", "sndvolume", 0);
  if (ini.readString("voice", "person", "").size() > 2047) std::abort();

  drum::setSettingsPath(path);
  drum::TResourceLocalizer::ReadLanguage();
  drum::TResourceLocalizer::LoadSettings();
  (void)drum::LocalString(1);

  // The value written depends on the input, so that both signs and both
  // hexadecimal-looking lengths are exercised.
  const std::int64_t value = size == 0 ? 0 : static_cast<std::int8_t>(data[0]) * 97;
  ini.writeInteger("Sounds", "SNDVOLUME", value);
  if (ini.readInteger("sounds", "sndvolume", value + 1) != value) std::abort();
  const std::string once = contents(path);
  ini.writeInteger("Sounds", "SNDVOLUME", value);
  if (contents(path) != once) std::abort();
  return 0;
}
