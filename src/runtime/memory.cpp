// The emulated 64 KiB memory: PEEK, POKE and its image file "ram.dat".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/cp1250.h"
#include "platform/error.h"
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

// The path as the user should read it in an error box: absolute, Windows-1250.
std::string shown(const std::string& path) {
  std::error_code ec;
  const auto full = std::filesystem::absolute(path, ec);
  return utf8ToCp1250(ec ? path : full.string());
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { if (fd_ >= 0) ::close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() { int fd = fd_; fd_ = -1; return fd; }

 private:
  int fd_;
};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::uint8_t peek(double where) { return ram[address(where)]; }

void poke(double where, double value) { ram[address(where)] = lowByte(value); }

void loadram(const std::string& path) {
  // Non-blocking open, so a pipe or device by that name cannot hang the start.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) return;  // no image yet: the memory stays zero
    throw Error("Unable to read " + shown(path));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) throw Error("Unable to read " + shown(path));

  // Read into a copy first, so a read error leaves the memory as it was.
  const std::size_t want = std::min<std::uint64_t>(static_cast<std::uint64_t>(st.st_size), kRamSize);
  std::array<std::uint8_t, kRamSize> image{};
  std::size_t got = 0;
  while (got < want) {
    const ssize_t n = ::read(fd.get(), image.data() + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Error("Unable to read " + shown(path));
    if (n == 0) break;  // the file shrank meanwhile: what was there counts
    got += static_cast<std::size_t>(n);
  }
  std::copy_n(image.begin(), got, ram.begin());
}

void saveram(const std::string& path) {
  // A whole image goes to a temporary file in the same folder and is renamed
  // over the old one only once it is on disk: a crash or a full disk leaves
  // the previous image intact.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  const auto fail = [&] {
    ::unlink(temporary.c_str());
    return Error("Unable to write to " + shown(path));
  };
  Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (fd.get() < 0) throw fail();
  if (!writeAll(fd.get(), ram.data(), ram.size()) || ::fsync(fd.get()) != 0) throw fail();
  if (::close(fd.release()) != 0) throw fail();
  if (::rename(temporary.c_str(), path.c_str()) != 0) throw fail();

  // Make the rename itself durable; the image is complete either way.
  std::error_code ec;
  const auto folder = std::filesystem::absolute(path, ec).parent_path();
  if (!ec) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
}

void loadram() { loadram(kImageName); }
void saveram() { saveram(kImageName); }

}  // namespace drum
