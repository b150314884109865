#include "support/virtualbraille.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

extern char** environ;

namespace drum::testing {
namespace {

// BrlAPI's TCP ports are 4101 + the "display number" of the host's address.
constexpr int kBrlapiBasePort = 4101;

std::string findBrltty() {
  std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  path += ":/usr/sbin:/sbin:/usr/local/sbin";
  std::stringstream dirs(path);
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (dir.empty()) continue;
    const std::string candidate = dir + "/brltty";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

bool virtualDriverInstalled() {
  for (const char* dir : {"/lib/brltty", "/usr/lib/brltty", "/usr/lib/x86_64-linux-gnu/brltty",
                          "/usr/lib64/brltty", "/usr/local/lib/brltty"}) {
    if (::access((std::string(dir) + "/libbrlttybvr.so").c_str(), R_OK) == 0) return true;
  }
  return false;
}

// A loopback port nobody uses now.
int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  ::close(s);
  return port;
}

bool answers(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

// One "Braille" line's cells: "125|15| |..." (a blank cell is a space).
VirtualBraille::Cells parseDots(const std::string& quoted) {
  VirtualBraille::Cells cells;
  std::uint8_t cell = 0;
  bool any = false;
  for (const char c : quoted) {
    if (c == '|') {
      cells.push_back(cell);
      cell = 0;
      any = false;
    } else if (c >= '1' && c <= '8') {
      cell |= static_cast<std::uint8_t>(1u << (c - '1'));
      any = true;
    }
  }
  (void)any;
  cells.push_back(cell);
  return cells;
}

}  // namespace

std::string VirtualBraille::missing() {
  if (findBrltty().empty()) return "BRLTTY is not installed (Debian: brltty)";
  if (!virtualDriverInstalled()) return "BRLTTY's Virtual driver (vr) is not installed: BRLTTY 6.9 and later have none";
  return "";
}

VirtualBraille::VirtualBraille(int columns) : columns_(columns), cells_(columns, 0) {
  char tmpl[] = "/tmp/drum-brl-XXXXXX";  // short: a socket's path has ~100 bytes
  if (!::mkdtemp(tmpl)) {
    error_ = "no temporary folder";
    return;
  }
  folder_ = tmpl;
  if (!start()) {
    if (error_.empty()) error_ = "BRLTTY did not start";
    std::string tail;
    std::ifstream in(log());
    for (std::string line; std::getline(in, line);) tail = line;
    if (!tail.empty()) error_ += " (its log ends: " + tail + ")";
  }
}

bool VirtualBraille::start() {
  const std::string missingWhat = missing();
  if (!missingWhat.empty()) {
    error_ = missingWhat;
    return false;
  }
  // The key file clients must show.
  {
    std::random_device random;
    std::ofstream key(folder_ + "/key");
    for (int i = 0; i < 16; ++i) key << std::hex << (random() & 0xFF);
    key << "\n";
  }
  // The display's socket, which the driver connects to.
  const std::string socketPath = folder_ + "/vr";
  listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un where{};
  where.sun_family = AF_UNIX;
  std::strncpy(where.sun_path, socketPath.c_str(), sizeof where.sun_path - 1);
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 || ::listen(listener_, 1) != 0) {
    error_ = "cannot listen on " + socketPath;
    return false;
  }
  port_ = freePort();
  if (port_ <= kBrlapiBasePort) {
    error_ = "no free loopback port";
    return false;
  }
  const std::string brltty = findBrltty();
  std::vector<std::string> args = {
      brltty, "-n", "-q",
      "-f", "/dev/null",                  // no configuration file
      "-F", folder_ + "/prefs",           // nor the machine's preferences
      "-W", folder_, "-U", folder_, "-P", folder_ + "/pid",
      "-b", "vr", "-d", "client:" + socketPath,
      "-x", "no", "-s", "no",
      "-A", "host=127.0.0.1:" + std::to_string(port_ - kBrlapiBasePort) + ",auth=keyfile:" + folder_ + "/key",
      "-l", "debug,server,brlkeys", "-L", log(),
      "--start-message=", "--stop-message=",
  };
  // BRLTTY drops its parent-death signal with its privileges, so a small
  // shell stands between: it ends BRLTTY when the pipe from the test closes,
  // as it does when the test is killed.
  args.insert(args.begin(), {"/bin/sh", "-c", "\"$@\" & b=$!; read -r _; kill $b; wait $b", "sh"});
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string out = folder_ + "/brltty.out";
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return false;
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int output = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (output < 0) ::_exit(127);
    ::dup2(pipe[0], 0);
    ::dup2(output, 1);
    ::dup2(output, 2);
    ::execve("/bin/sh", argv.data(), environ);
    ::_exit(127);
  }
  ::close(pipe[0]);
  keeper_ = pipe[1];
  if (pid < 0) {
    error_ = "cannot start " + brltty;
    return false;
  }
  pid_ = pid;

  const auto deadline = Clock::now() + std::chrono::seconds(10);
  pollfd p{listener_, POLLIN, 0};
  if (::poll(&p, 1, 10000) != 1) {
    error_ = "BRLTTY's Virtual driver did not connect";
    return false;
  }
  display_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (display_ < 0) return false;
  const std::string hello = "cells " + std::to_string(columns_) + "\n";
  if (::send(display_, hello.data(), hello.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(hello.size())) return false;
  reader_ = std::thread([this] { readLoop(); });
  while (!answers(port_)) {
    if (Clock::now() > deadline) {
      error_ = "BRLTTY's BrlAPI server did not answer";
      return false;
    }
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = "BRLTTY ended";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

VirtualBraille::~VirtualBraille() {
  if (keeper_ >= 0) ::close(keeper_);  // the shell ends BRLTTY
  if (pid_ > 0) {
    int status = 0;
    for (int i = 0; i < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
      std::ifstream pidfile(folder_ + "/pid");
      int brltty = 0;
      if (pidfile >> brltty && brltty > 1) ::kill(brltty, SIGKILL);
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
  }
  if (display_ >= 0) ::shutdown(display_, SHUT_RDWR);
  if (reader_.joinable()) reader_.join();
  if (display_ >= 0) ::close(display_);
  if (listener_ >= 0) ::close(listener_);
  if (!folder_.empty() && !std::getenv("DRUM_KEEP_BRLTTY_LOG")) {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
}

void VirtualBraille::readLoop() {
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::recv(display_, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    const auto at = Clock::now();
    pending.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, nl);
      pending.erase(0, nl + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("Braille \"", 0) != 0) continue;
      const auto end = line.rfind('"');
      if (end <= 8) continue;
      Cells cells = parseDots(line.substr(9, end - 9));
      cells.resize(static_cast<std::size_t>(columns_), 0);
      std::lock_guard guard(lock_);
      cells_ = cells;
      frames_.push_back({at, std::move(cells)});
      changed_.notify_all();
    }
  }
  std::lock_guard guard(lock_);
  closed_ = true;
  changed_.notify_all();
}

std::string VirtualBraille::apiHost() const {
  return "127.0.0.1:" + std::to_string(port_ - kBrlapiBasePort);
}

std::string VirtualBraille::apiAuth() const { return "keyfile:" + folder_ + "/key"; }

void VirtualBraille::exportEnvironment() const {
  ::setenv("BRLAPI_HOST", apiHost().c_str(), 1);
  ::setenv("BRLAPI_AUTH", apiAuth().c_str(), 1);
}

VirtualBraille::Cells VirtualBraille::cells() const {
  std::lock_guard guard(lock_);
  return cells_;
}

std::vector<VirtualBraille::Frame> VirtualBraille::frames() const {
  std::lock_guard guard(lock_);
  return frames_;
}

bool VirtualBraille::waitFor(const std::function<bool(const Cells&)>& ok, std::chrono::milliseconds timeout) {
  std::unique_lock guard(lock_);
  return changed_.wait_for(guard, timeout, [&] { return ok(cells_) || closed_; }) && ok(cells_);
}

bool VirtualBraille::waitForText(const Cells& expected, int cursor, std::chrono::milliseconds timeout) {
  Cells want = expected;
  want.resize(static_cast<std::size_t>(columns_), 0);
  if (cursor >= 0 && cursor < columns_) want[static_cast<std::size_t>(cursor)] |= 0xC0;
  return waitFor([&](const Cells& c) { return c == want; }, timeout);
}

// The driver reads its socket when it becomes readable and takes one line
// a time: a second line sent with the first would wait for the next write.
// So each line is sent once BRLTTY has read the one before.
void VirtualBraille::send(const std::string& line) {
  const std::string text = line + "\n";
  if (display_ < 0) return;
  const std::size_t before = commandsRead();
  (void)!::send(display_, text.data(), text.size(), MSG_NOSIGNAL);
  const auto end = Clock::now() + std::chrono::seconds(3);
  while (commandsRead() <= before && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

std::size_t VirtualBraille::commandsRead() {
  std::ifstream in(log(), std::ios::binary);
  in.seekg(static_cast<std::streamoff>(logRead_));
  std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Whole lines only: the rest is read again next time.
  const auto last = chunk.rfind('\n');
  if (last == std::string::npos) return commands_;
  chunk.resize(last + 1);
  logRead_ += chunk.size();
  for (std::size_t at = 0; (at = chunk.find("] Command received: ", at)) != std::string::npos; ++at) ++commands_;
  return commands_;
}

void VirtualBraille::dots(int bits) { send("PASSDOTS " + std::to_string(bits & 0xFF)); }
void VirtualBraille::space() { send("PASSCHAR 32"); }
void VirtualBraille::route(int cell) { send("ROUTE " + std::to_string(cell)); }
void VirtualBraille::panLeft() { send("FWINLT"); }
void VirtualBraille::panRight() { send("FWINRT"); }
void VirtualBraille::backspace() { send("KEY_BACKSPACE"); }
void VirtualBraille::enter() { send("KEY_ENTER"); }

std::vector<double> VirtualBraille::logTimes(const std::string& text) const {
  std::vector<double> times;
  std::ifstream in(log());
  for (std::string line; std::getline(in, line);) {
    if (line.find(text) == std::string::npos) continue;
    std::tm t{};
    int ms = 0;
    if (std::sscanf(line.c_str(), "%d-%d-%d@%d:%d:%d.%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min,
                    &t.tm_sec, &ms) != 7)
      continue;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    t.tm_isdst = -1;
    times.push_back(static_cast<double>(std::mktime(&t)) * 1000.0 + ms);
  }
  return times;
}

std::string VirtualBraille::dotsText(std::uint8_t cell) {
  std::string dots;
  for (int d = 0; d < 8; ++d)
    if (cell & (1u << d)) dots += static_cast<char>('1' + d);
  return dots;
}

std::string VirtualBraille::cellsText(const Cells& cells) {
  std::string text;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) text += '|';
    text += cells[i] ? dotsText(cells[i]) : " ";
  }
  return text;
}

}  // namespace drum::testing
