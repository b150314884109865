// A stand-in for speech-dispatcher on a Unix socket of its own, for the
// faults the real service cannot be made to show on demand: it speaks the
// service's protocol (SSIP) well enough for libspeechd, and can be told to
// begin messages and never end them, to leave a cancel unanswered, or to
// drop its connections as a service that died does. SPEECHD_ADDRESS points
// at it while it lives.
#pragma once
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace drum::testing {

class FakeSpeechd {
 public:
  enum class Mode {
    Speaks,          // BEGIN at once, END after `speakMillis`
    BeginsOnly,      // BEGIN, never END (an output module that cannot play)
    CancelHangs,     // as Speaks, but a cancel is never answered
    Refuses,         // drops every connection at once (a service that keeps dying)
  };

  explicit FakeSpeechd(Mode mode = Mode::Speaks) : mode_(mode) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "drum-fakespeechd-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) return;
    dir_ = tmpl;
    path_ = dir_ + "/speechd.sock";
    const char* before = std::getenv("SPEECHD_ADDRESS");
    hadAddress_ = before != nullptr;
    if (before) savedAddress_ = before;
    ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + path_).c_str(), 1);
    listen();
  }
  ~FakeSpeechd() {
    stop_ = true;
    dropAll();
    if (listener_ >= 0) ::shutdown(listener_, SHUT_RDWR);
    if (acceptor_.joinable()) acceptor_.join();
    if (listener_ >= 0) ::close(listener_);
    for (auto& t : sessions_) t.join();
    if (hadAddress_) ::setenv("SPEECHD_ADDRESS", savedAddress_.c_str(), 1);
    else ::unsetenv("SPEECHD_ADDRESS");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  bool ok() const { return listener_ >= 0; }

  void setMode(Mode mode) { mode_.store(mode); }
  // Closes every connection, as a service that died; new ones are accepted
  // (as from a service started again).
  void dropAll() {
    std::lock_guard guard(lock_);
    for (int fd : clients_) ::shutdown(fd, SHUT_RDWR);
  }
  // The texts received, in order (UTF-8), and the connections made (the
  // probes of the socket included).
  std::vector<std::string> texts() {
    std::lock_guard guard(lock_);
    return texts_;
  }
  int sessions() const { return sessionCount_; }
  int cancels() const { return cancelCount_; }

  std::atomic<int> speakMillis{50};

 private:
  void listen() {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path_.c_str());
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listener_, 8) != 0) {
      ::close(listener_);
      listener_ = -1;
      return;
    }
    acceptor_ = std::thread([this] {
      for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 || stop_) {
          if (fd >= 0) ::close(fd);
          return;
        }
        ++sessionCount_;
        std::lock_guard guard(lock_);
        clients_.push_back(fd);
        sessions_.emplace_back([this, fd] { serve(fd); });
      }
    });
  }

  bool send(int fd, const std::string& text) {
    std::lock_guard guard(writeLock_);
    return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
  }

  void serve(int fd) {
    if (mode_ == Mode::Refuses) ::shutdown(fd, SHUT_RDWR);
    std::string buffer;
    bool data = false;
    std::string message;
    int nextId = 0;
    std::vector<std::thread> enders;
    std::vector<int> open;  // begun, not ended
    std::mutex openLock;
    std::condition_variable closing;
    bool closed = false;
    char chunk[4096];
    for (;;) {
      const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      buffer.append(chunk, static_cast<std::size_t>(n));
      std::size_t eol;
      while ((eol = buffer.find("\r\n")) != std::string::npos) {
        const std::string line = buffer.substr(0, eol);
        buffer.erase(0, eol + 2);
        if (data) {
          if (line == ".") {
            data = false;
            const int id = ++nextId;
            {
              std::lock_guard guard(lock_);
              texts_.push_back(message);
            }
            message.clear();
            send(fd, "225-" + std::to_string(id) + "\r\n225 OK MESSAGE QUEUED\r\n");
            send(fd, "701-" + std::to_string(id) + "\r\n701-1\r\n701 BEGIN\r\n");
            if (mode_ != Mode::BeginsOnly) {
              {
                std::lock_guard guard(openLock);
                open.push_back(id);
              }
              enders.emplace_back([this, fd, id, &open, &openLock, &closing, &closed] {
                std::unique_lock guard(openLock);
                if (closing.wait_for(guard, std::chrono::milliseconds(speakMillis.load()), [&] { return closed; })) return;
                const auto it = std::find(open.begin(), open.end(), id);
                if (it == open.end()) return;
                open.erase(it);
                send(fd, "702-" + std::to_string(id) + "\r\n702-1\r\n702 END\r\n");
              });
            }
          } else {
            message += (message.empty() ? "" : "\n") + (line.rfind("..", 0) == 0 ? line.substr(1) : line);
          }
          continue;
        }
        std::string upper = line;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper == "SPEAK") {
          data = true;
          send(fd, "230 OK RECEIVING DATA\r\n");
        } else if (upper.rfind("HISTORY GET CLIENT_ID", 0) == 0) {
          send(fd, "245-1\r\n245 OK CLIENT ID SENT\r\n");
        } else if (upper.rfind("GET ", 0) == 0) {
          send(fd, "251-sk\r\n251 OK GET RETURNED\r\n");
        } else if (upper.rfind("CANCEL", 0) == 0) {
          ++cancelCount_;
          if (mode_ == Mode::CancelHangs) continue;
          send(fd, "210 OK CANCELED\r\n");
          std::lock_guard guard(openLock);
          for (int id : open) send(fd, "703-" + std::to_string(id) + "\r\n703-1\r\n703 CANCELED\r\n");
          open.clear();
        } else if (upper == "QUIT") {
          send(fd, "231 HAPPY HACKING\r\n");
          break;
        } else if (upper.rfind("HELP", 0) == 0) {
          send(fd, "248-  SPEAK\r\n248 OK HELP SENT\r\n");
        } else {
          send(fd, "200 OK\r\n");  // SET ... and the rest: accepted
        }
      }
    }
    {
      std::lock_guard guard(openLock);
      open.clear();
      closed = true;
    }
    closing.notify_all();
    for (auto& t : enders) t.join();
    // Out of the list before the number is free: a connection accepted
    // meanwhile may be given the same number, and must stay in the list
    // (dropAll would miss it, and the end of the test would wait for ever).
    {
      std::lock_guard guard(lock_);
      clients_.erase(std::remove(clients_.begin(), clients_.end(), fd), clients_.end());
    }
    ::close(fd);
  }

  std::atomic<Mode> mode_;
  std::string dir_, path_, savedAddress_;
  bool hadAddress_ = false;
  int listener_ = -1;
  std::atomic<bool> stop_{false};
  std::thread acceptor_;
  std::vector<std::thread> sessions_;
  std::vector<int> clients_;
  std::vector<std::string> texts_;
  std::mutex lock_, writeLock_;
  std::atomic<int> sessionCount_{0}, cancelCount_{0};
};

}  // namespace drum::testing
