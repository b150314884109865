#include "platform/userfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "platform/cp1250.h"

namespace drum {
namespace {

// Temporary files are named ".<name>.drum-save-<pid>-<n>": hidden, beside the
// file they replace, and recognisable as ours when a kill leaves one behind.
constexpr std::string_view kSaveTag = ".drum-save-";

// When this process began (near enough: when the program was loaded). A
// temporary file younger than that may belong to a save in progress.
const timespec kProcessStart = [] {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return now;
}();

std::string systemReason(int err) { return utf8ToCp1250(std::strerror(err)); }

// Why a thing that is not a regular file cannot serve as one.
std::string kindReason(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a pipe (FIFO), not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
  if (S_ISSOCK(mode)) return "it is a socket, not a file";
  return "it is not a regular file";
}

std::string sizeText(std::size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + " bytes";
}

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
  const std::string shown = shownPath(path);
  throw FileError("Unable to read " + shown + ": " + reason, shown, reason);
}

[[noreturn]] void cannotWrite(const std::string& path, const std::string& reason) {
  const std::string shown = shownPath(path);
  throw FileError("Unable to write to " + shown + ": " + reason, shown, reason);
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Opens a regular file for reading without ever blocking: the kind is checked
// before the open (so no device is opened at all) and again on what was
// opened (the name may have changed in between). -1 when it does not exist.
int openForReading(const std::string& path, struct stat& st) {
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return -1;
    cannotRead(path, systemReason(errno));
  }
  if (!S_ISREG(st.st_mode)) cannotRead(path, kindReason(st.st_mode));
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return -1;
    cannotRead(path, systemReason(errno));
  }
  Descriptor guard(fd);
  if (::fstat(fd, &st) != 0) cannotRead(path, systemReason(errno));
  if (!S_ISREG(st.st_mode)) cannotRead(path, kindReason(st.st_mode));
  return guard.release();
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, following symbolic links (relative ones
// from the link's own folder). A path that does not exist names itself.
std::string resolveLinks(const std::string& path, bool forWriting) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0) {
      if (errno == ENOENT) return at;
      if (forWriting) cannotWrite(path, systemReason(errno));
      cannotRead(path, systemReason(errno));
    }
    if (!S_ISLNK(st.st_mode)) return at;
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
    if (n < 0) {
      if (forWriting) cannotWrite(path, systemReason(errno));
      cannotRead(path, systemReason(errno));
    }
    target.resize(static_cast<std::size_t>(n));
    at = (target.starts_with('/') || folderOf(at) == ".") ? target : folderOf(at) + "/" + target;
  }
  if (forWriting) cannotWrite(path, systemReason(ELOOP));
  cannotRead(path, systemReason(ELOOP));
}

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void syncFolder(const std::string& folder) {
  // A folder that cannot be synced changes nothing: the file is complete.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The process that made a temporary file, from the digits in its name; 0
// when the name holds none.
pid_t ownerOf(std::string_view entry, std::string_view name) {
  std::string_view rest;
  if (isSaveTemporary(entry, name)) {
    rest = entry.substr(1 + name.size() + kSaveTag.size());
  } else {
    return 0;
  }
  const std::size_t dash = rest.find('-');
  rest = rest.substr(0, dash);
  pid_t pid = 0;
  for (char c : rest) pid = pid * 10 + (c - '0');
  return pid;
}

// Names earlier versions gave their temporary files: "ram.dat.tmp<pid>" and
// ".<name>.<pid>.<n>.tmp". A kill could leave those behind as well.
pid_t legacyOwnerOf(std::string_view entry, std::string_view name) {
  if (entry.starts_with(name) && entry.substr(name.size()).starts_with(".tmp")) {
    const std::string_view digits = entry.substr(name.size() + 4);
    if (allDigits(digits) && digits.size() < 10) return static_cast<pid_t>(std::stol(std::string(digits)));
    return 0;
  }
  if (entry.size() > name.size() + 1 && entry[0] == '.' && entry.substr(1, name.size()) == name &&
      entry.ends_with(".tmp")) {
    std::string_view middle = entry.substr(1 + name.size());
    middle.remove_suffix(4);  // ".tmp"
    if (!middle.starts_with('.')) return 0;
    middle.remove_prefix(1);
    const std::size_t dot = middle.find('.');
    if (dot == std::string_view::npos) return 0;
    const std::string_view pid = middle.substr(0, dot);
    if (!allDigits(pid) || !allDigits(middle.substr(dot + 1)) || pid.size() >= 10) return 0;
    return static_cast<pid_t>(std::stol(std::string(pid)));
  }
  return 0;
}

bool olderThanThisProcess(const struct stat& st) {
  if (st.st_mtim.tv_sec != kProcessStart.tv_sec) return st.st_mtim.tv_sec < kProcessStart.tv_sec;
  return st.st_mtim.tv_nsec < kProcessStart.tv_nsec;
}

bool processGone(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::string shownPath(const std::string& path) {
  std::error_code ec;
  const auto full = std::filesystem::absolute(path, ec);
  return utf8ToCp1250(ec ? path : full.lexically_normal().string());
}

std::optional<std::string> readUserFile(const std::string& path, std::size_t cap, Oversize oversize) {
  struct stat st {};
  Descriptor fd(openForReading(path, st));
  if (fd.get() < 0) return std::nullopt;
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > cap && oversize == Oversize::refuse)
    cannotRead(path, "it is " + std::to_string(size) + " bytes long, more than the " + sizeText(cap) +
                         " that such a file can have");
  // A file that grows while it is read still gets no further than the cap.
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, cap));
  std::string data(want, '\0');
  std::size_t got = 0;
  while (got < want) {
    const ssize_t n = ::read(fd.get(), data.data() + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) cannotRead(path, systemReason(errno));
    if (n == 0) break;  // the file shrank meanwhile: what was there counts
    got += static_cast<std::size_t>(n);
  }
  data.resize(got);
  return data;
}

OpenUserFile& OpenUserFile::operator=(OpenUserFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

void OpenUserFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::optional<OpenUserFile> openUserFile(const std::string& path) {
  struct stat st {};
  const int fd = openForReading(path, st);
  if (fd < 0) return std::nullopt;
  return OpenUserFile(fd);
}

namespace {
UserFileStore store;  // none on a desktop
}  // namespace

void writeUserFile(const std::string& path, std::string_view data) {
  const std::string target = resolveLinks(path, true);
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0;
  if (hadOld) {
    if (!S_ISREG(old.st_mode)) cannotWrite(path, kindReason(old.st_mode));
    // A file the user made read-only stays as it is, also for root.
    if ((old.st_mode & 0222) == 0) cannotWrite(path, "the file is read-only");
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) cannotWrite(path, systemReason(errno));
  } else if (errno != ENOENT) {
    cannotWrite(path, systemReason(errno));
  }

  const std::string folder = folderOf(target);
  const std::string prefix = (folder == "/" ? "" : folder) + "/." + nameOf(target) + std::string(kSaveTag) +
                             std::to_string(::getpid()) + "-";
  static std::atomic<unsigned> counter{0};
  std::string temporary;
  int raw = -1;
  for (int attempt = 0; raw < 0 && attempt < 100; ++attempt) {
    temporary = prefix + std::to_string(++counter);
    // The mode 0666 goes through the umask; an old file's mode is kept below.
    raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (raw < 0 && errno != EEXIST) break;
  }
  if (raw < 0) {
    const int err = errno;
    cannotWrite(path, err == EACCES || err == EPERM || err == EROFS
                          ? "the folder does not let new files be made (" + systemReason(err) + ")"
                          : systemReason(err));
  }
  Descriptor fd(raw);
  const auto fail = [&](int err) {
    ::unlink(temporary.c_str());
    cannotWrite(path, systemReason(err));
  };
  if (hadOld) {
    ::fchmod(fd.get(), old.st_mode & 07777);
    // Root saving a player's file must not take it from the player.
    if (::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0)) {
      [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st_uid, old.st_gid);
    }
  }
  if (!writeAll(fd.get(), data) || ::fsync(fd.get()) != 0) fail(errno);
  if (::close(fd.release()) != 0) fail(errno);
  if (::rename(temporary.c_str(), target.c_str()) != 0) fail(errno);
  syncFolder(folder);
  if (store) {
    if (const std::string why = store(path, data); !why.empty()) cannotWrite(path, utf8ToCp1250(why));
  }
}

void setUserFileStore(UserFileStore fn) { store = std::move(fn); }

bool isSaveTemporary(std::string_view entry, std::string_view name) {
  // "." name ".drum-save-" digits "-" digits
  if (entry.size() <= 1 + name.size() + kSaveTag.size() || entry[0] != '.') return false;
  if (entry.substr(1, name.size()) != name || entry.substr(1 + name.size(), kSaveTag.size()) != kSaveTag)
    return false;
  const std::string_view rest = entry.substr(1 + name.size() + kSaveTag.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos) return false;
  const std::string_view pid = rest.substr(0, dash);
  return allDigits(pid) && pid.size() < 10 && allDigits(rest.substr(dash + 1));
}

int removeStaleTemporaries(const std::vector<std::string>& paths) {
  int removed = 0;
  for (const std::string& path : paths) {
    std::string target;
    try {
      target = resolveLinks(path, false);
    } catch (const Error&) {
      continue;  // the file's own reader reports what is wrong with it
    }
    const std::string folder = folderOf(target);
    const std::string name = nameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) continue;
    while (const dirent* e = ::readdir(dir)) {
      const std::string_view entry = e->d_name;
      pid_t owner = ownerOf(entry, name);
      if (owner == 0) owner = legacyOwnerOf(entry, name);
      if (owner == 0) continue;
      const std::string full = folder + "/" + std::string(entry);
      struct stat st {};
      if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      if (!olderThanThisProcess(st) || !processGone(owner)) continue;
      if (::unlink(full.c_str()) == 0) ++removed;
    }
    ::closedir(dir);
  }
  return removed;
}

}  // namespace drum
