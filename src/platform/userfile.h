// Every file a user can touch (the settings file, "ram.dat", "data.dta",
// "sounds.dat", the Braille table and the key files) is read and written
// here, so a pipe, a folder, a device or a huge file by such a name gets one
// clear error instead of a hang, an endless read or a misleading message.
//
// Reading opens without blocking and accepts only a regular file (a symbolic
// link to one is followed), no larger than the caller's cap. Writing replaces
// the file atomically: a temporary file in the same folder, flushed to disk,
// renamed over the old one, and the folder flushed too; a symbolic link is
// written through to its target and stays a link.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace drum {

// A refusal: what() is "Unable to read <path>: <reason>" or "Unable to
// write to <path>: <reason>"; reason() alone lets a caller word it its own way.
class FileError : public Error {
 public:
  FileError(std::string text, std::string path, std::string reason)
      : Error(std::move(text)), path_(std::move(path)), reason_(std::move(reason)) {}
  // The path as the user should read it (absolute, Windows-1250).
  const std::string& path() const { return path_; }
  // Why, in the system's code page: "it is a folder", "Permission denied" ...
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// What a file longer than the cap means: an error, or (for the memory image,
// whose bytes beyond 64 KiB are ignored by rule) only its first `cap` bytes.
enum class Oversize { refuse, readPrefix };

// The file's bytes, or nothing when it does not exist. Any other failure
// raises FileError("Unable to read <path>: <reason>").
std::optional<std::string> readUserFile(const std::string& path, std::size_t cap,
                                        Oversize oversize = Oversize::refuse);

// A regular file held open for reading (the data file of a run); -1 when
// none. Moves, never copies; closes itself.
class OpenUserFile {
 public:
  OpenUserFile() = default;
  explicit OpenUserFile(int fd) : fd_(fd) {}
  OpenUserFile(OpenUserFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  OpenUserFile& operator=(OpenUserFile&& other) noexcept;
  ~OpenUserFile() { close(); }
  int fd() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }
  void close();

 private:
  int fd_ = -1;
};
// Opens the file for reading after the same checks as readUserFile; nothing
// when it does not exist.
std::optional<OpenUserFile> openUserFile(const std::string& path);

// Replaces the file (or creates it) with `data`, atomically. A read-only
// file, a folder or any other non-file by that name is left as it is.
// Raises FileError("Unable to write to <path>: <reason>").
void writeUserFile(const std::string& path, std::string_view data);

// A second place every written file is kept in (a browser's storage, which
// outlives the page's memory): called after each write with the file's path
// and bytes; a reason in words ("" when kept) makes the write fail with it.
using UserFileStore = std::function<std::string(const std::string& path, std::string_view data)>;
void setUserFileStore(UserFileStore store);

// Removes temporary files that a save of one of these files left behind when
// its process was killed: only names of our own making, only files older
// than this process whose process is gone. Returns how many went.
int removeStaleTemporaries(const std::vector<std::string>& paths);

// Whether a name in a folder is a temporary file of a save of `name`.
bool isSaveTemporary(std::string_view entry, std::string_view name);

// The path as the user should read it in an error: absolute, Windows-1250.
std::string shownPath(const std::string& path);

// Caps of the files that the system reads: far above any real file of the
// kind, far below what would stall the start or exhaust the memory.
inline constexpr std::size_t kSettingsFileCap = 4u << 20;   // a real one is < 1 KiB
inline constexpr std::size_t kSoundBankCap = 64u << 20;     // the shipped bank is 60 KiB
inline constexpr std::size_t kTextTableCap = 1u << 20;      // the tables are a few KiB

}  // namespace drum
