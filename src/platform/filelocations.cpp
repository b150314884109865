#include "platform/filelocations.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#ifndef DRUM_SHARE_FROM_BIN
#define DRUM_SHARE_FROM_BIN "../share/drum"
#endif

namespace drum {
namespace {

namespace fs = std::filesystem;

constexpr char kBankFile[] = "sounds.dat";

std::string installedShare;  // set by enterFileLocations for an installed program

bool isFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool isFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

std::string absoluteOrEmpty(const char* value) {
  return value && value[0] == '/' ? std::string(value) : std::string();
}

// "drum" -> "drum.ini", "drum.bin" -> "drum.ini"; a leading dot starts no extension.
std::string iniName(const std::string& filename) {
  const std::size_t dot = filename.rfind('.');
  return (dot != std::string::npos && dot > 0 ? filename.substr(0, dot) : filename) + ".ini";
}

// mkdir -p with mode 0700 for the folders it makes.
void makeFolders(const fs::path& folder) {
  fs::path made;
  for (const auto& part : folder) {
    made /= part;
    if (made == made.root_path() || isFolder(made)) continue;
    if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
      throw Error(utf8ToCp1250("Unable to create the folder " + made.string() + ": " + std::strerror(errno)));
  }
  if (!isFolder(folder)) throw Error(utf8ToCp1250("Unable to create the folder " + folder.string()));
}

}  // namespace

HomeFolders currentHomeFolders() {
  HomeFolders h;
  if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    h.home = home;
  } else {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
      h.home = found->pw_dir;
  }
  h.configHome = absoluteOrEmpty(std::getenv("XDG_CONFIG_HOME"));
  h.dataHome = absoluteOrEmpty(std::getenv("XDG_DATA_HOME"));
  return h;
}

#ifdef __EMSCRIPTEN__
// Under Node the executable is the script node runs (build-web/drumrun.js);
// in a browser the page's data lies in /game, as if beside a program there.
EM_JS(char*, scriptPath, (), {
  var path = "/game/drum";
  if (typeof process === "object" && process.argv && process.argv[1]) path = require("path").resolve(process.argv[1]);
  return allocateUTF8(path);
});
#endif

std::string executablePath() {
#ifdef __EMSCRIPTEN__
  char* path = scriptPath();
  std::string script(path);
  std::free(path);
  return script;
#else
  std::error_code ec;
  std::string exe = fs::read_symlink("/proc/self/exe", ec).string();
  if (ec) return {};
  // An executable replaced while it runs still names its old file.
  constexpr std::string_view kDeleted = " (deleted)";
  if (exe.ends_with(kDeleted)) exe.resize(exe.size() - kDeleted.size());
  return exe;
#endif
}

FileLocations locateFiles(const std::string& executable, const HomeFolders& homes) {
  FileLocations where;
  const fs::path exe = executable.empty() ? fs::path("drum") : fs::path(executable);
  const fs::path folder = exe.parent_path();
  const std::string settingsName = iniName(exe.filename().string());
  const fs::path share = (folder / DRUM_SHARE_FROM_BIN).lexically_normal();

  // A copy of the executable lying elsewhere without the sound bank stays
  // portable too: without share/drum nothing marks it as installed.
  where.installed = !executable.empty() && !isFile(folder / kBankFile) && isFolder(share);
  if (!where.installed) {
    where.settingsFile = executable.empty() ? settingsName : (folder / settingsName).string();
    return where;
  }

  if (homes.home.empty() && (homes.configHome.empty() || homes.dataHome.empty()))
    throw Error("There is no home folder to keep the game and the settings in: set HOME");
  const fs::path config = homes.configHome.empty() ? fs::path(homes.home) / ".config" : fs::path(homes.configHome);
  const fs::path data = homes.dataHome.empty() ? fs::path(homes.home) / ".local/share" : fs::path(homes.dataHome);
  where.settingsFile = (config / "drum" / settingsName).lexically_normal().string();
  where.gameFolder = (data / "drum").lexically_normal().string();
  where.shareFolder = share.string();
  return where;
}

void enterFileLocations(const FileLocations& where) {
  installedShare.clear();
  if (!where.installed) return;
  makeFolders(fs::path(where.settingsFile).parent_path());
  makeFolders(where.gameFolder);
  if (::chdir(where.gameFolder.c_str()) != 0)
    throw Error(utf8ToCp1250("Unable to change to the folder " + where.gameFolder + ": " + std::strerror(errno)));
  installedShare = where.shareFolder;
}

std::string gameFile(const std::string& name) {
  if (installedShare.empty() || isFile(name)) return name;
  const fs::path shared = fs::path(installedShare) / name;
  return isFile(shared) ? shared.string() : name;
}

}  // namespace drum
