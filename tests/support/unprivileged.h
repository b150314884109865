// Permission cases need a user whom permissions bind: root reads and writes
// anything. asUnprivileged runs a piece of a test as "nobody" in a child
// process when the tests run as root, and in place otherwise.
#pragma once
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace drum::testing {

// What `fn` returned, or nothing when no unprivileged user can be had (the
// caller skips then, saying why).
inline std::optional<std::string> asUnprivileged(const std::function<std::string()>& fn) {
  if (::geteuid() != 0) return fn();
  const passwd* nobody = ::getpwnam("nobody");
  if (!nobody) return std::nullopt;
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  int pipefd[2];
  if (::pipe(pipefd) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::close(pipefd[0]);
    std::string result;
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) {
      result = "\x01no unprivileged user";
    } else {
      try {
        result = "\x02" + fn();
      } catch (const std::exception& e) {
        result = std::string("\x02") + "exception: " + e.what();
      }
    }
    const char* p = result.data();
    std::size_t left = result.size();
    while (left > 0) {
      const ssize_t n = ::write(pipefd[1], p, left);
      if (n <= 0) break;
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipefd[1]);
  std::string out;
  char buf[4096];
  for (ssize_t n; (n = ::read(pipefd[0], buf, sizeof buf)) != 0;) {
    if (n < 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(pipefd[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (out.empty() || out[0] != '\x02') return std::nullopt;
  return out.substr(1);
}

}  // namespace drum::testing
