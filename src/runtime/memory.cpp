// The emulated 64 KiB memory: PEEK, POKE and its image file "ram.dat".
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/error.h"
#include "platform/userfile.h"
#include "runtime/oskcommands.h"

namespace drum {

std::array<std::uint8_t, kRamSize> ram{};

namespace {

constexpr const char* kImageName = "ram.dat";

std::size_t address(double where) {
  const std::int64_t a = truncate(where);
  if (std::isnan(where) || a < 0 || a >= static_cast<std::int64_t>(kRamSize))
    throw Error("Memory address " + strstring(std::trunc(where)) + " is outside 0..65535");
  return static_cast<std::size_t>(a);
}

// Whether `ram` holds what the image held (or there was no image): only
// then may a save replace the image. Why not, when not.
bool loaded = false;
std::string notloaded;
// The image the memory came from, for errors that point the player to it.
std::string imagepath = kImageName;
// A save on a way out failed and the player was told: the next way out
// leaves without saving.
bool exitsavefailed = false;

}  // namespace

std::uint8_t peek(double where) { return ram[address(where)]; }

void poke(double where, double value) { ram[address(where)] = lowByte(value); }

void loadram(const std::string& path) {
  loaded = false;
  exitsavefailed = false;
  imagepath = path;
  notloaded.clear();
  std::optional<std::string> image;
  try {
    // Bytes beyond 64 KiB are ignored by rule, so a longer file is no error.
    image = readUserFile(path, kRamSize, Oversize::readPrefix);
  } catch (const FileError& e) {
    notloaded = e.path() + " could not be read at start-up (" + e.reason() + "), so it was left as it was";
    throw;
  }
  if (image) std::copy(image->begin(), image->end(), ram.begin());
  loaded = true;
}

void saveram(const std::string& path) {
  if (!loaded) {
    const std::string why = !notloaded.empty() ? notloaded
                                               : "the game's memory was not loaded at start-up, so " +
                                                     shownPath(path) + " was left as it was";
    throw Error("The game was not saved: " + why + ".");
  }
  writeUserFile(path, std::string_view(reinterpret_cast<const char*>(ram.data()), ram.size()));
}

void saveRamOnExit() {
  if (exitsavefailed) return;  // the player was told: this way out leaves without saving
  try {
    saveram();
  } catch (const Error& e) {
    exitsavefailed = true;
    std::string text = e.what();
    if (!text.ends_with('.')) text += '.';
    throw Error(text + " Exit once more to end the program without saving the game.");
  }
}

bool ramLoaded() { return loaded; }

void resetMemory() {
  ram.fill(0);
  loaded = false;
  notloaded.clear();
  imagepath = kImageName;
  exitsavefailed = false;
}

std::string ramImagePath() { return shownPath(imagepath); }

void loadram() { loadram(kImageName); }
void saveram() { saveram(kImageName); }

}  // namespace drum
