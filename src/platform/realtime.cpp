#include "platform/realtime.h"

#include <dbus/dbus.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>

namespace drum {
namespace {

#ifndef SCHED_RESET_ON_FORK
#define SCHED_RESET_ON_FORK 0x40000000
#endif

// rtkit, the system service that hands real-time and raised priorities to
// ordinary users' threads within its own limits (PulseAudio and PipeWire ask it).
class Rtkit {
 public:
  Rtkit() {
    DBusError error;
    dbus_error_init(&error);
    // A private connection: closed again here, shared with nobody.
    bus_ = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
    dbus_error_free(&error);
    if (bus_) dbus_connection_set_exit_on_disconnect(bus_, false);
  }
  ~Rtkit() {
    if (!bus_) return;
    dbus_connection_close(bus_);
    dbus_connection_unref(bus_);
  }
  Rtkit(const Rtkit&) = delete;
  Rtkit& operator=(const Rtkit&) = delete;

  bool connected() const { return bus_ != nullptr; }

  std::optional<std::int64_t> property(const char* name) {
    DBusMessage* m = dbus_message_new_method_call(kService, kPath, "org.freedesktop.DBus.Properties", "Get");
    if (!m) return std::nullopt;
    const char* interface = kService;
    dbus_message_append_args(m, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
    DBusMessage* reply = send(m);
    if (!reply) return std::nullopt;
    std::optional<std::int64_t> value;
    DBusMessageIter it, variant;
    if (dbus_message_iter_init(reply, &it) && dbus_message_iter_get_arg_type(&it) == DBUS_TYPE_VARIANT) {
      dbus_message_iter_recurse(&it, &variant);
      switch (dbus_message_iter_get_arg_type(&variant)) {
        case DBUS_TYPE_INT32: {
          dbus_int32_t v = 0;
          dbus_message_iter_get_basic(&variant, &v);
          value = v;
          break;
        }
        case DBUS_TYPE_INT64: {
          dbus_int64_t v = 0;
          dbus_message_iter_get_basic(&variant, &v);
          value = v;
          break;
        }
        default:
          break;
      }
    }
    dbus_message_unref(reply);
    return value;
  }

  bool makeRealtime(pid_t tid, std::uint32_t priority) {
    return ask("MakeThreadRealtime", tid, DBUS_TYPE_UINT32, dbus_uint32_t{priority});
  }

  bool makeHighPriority(pid_t tid, std::int32_t nice) {
    return ask("MakeThreadHighPriority", tid, DBUS_TYPE_INT32, dbus_int32_t{nice});
  }

  // A method of rtkit's that takes a thread and one number.
  template <typename T>
  bool ask(const char* method, pid_t tid, int type, T value) {
    DBusMessage* m = dbus_message_new_method_call(kService, kPath, kService, method);
    if (!m) return false;
    dbus_uint64_t thread = static_cast<dbus_uint64_t>(tid);
    dbus_message_append_args(m, DBUS_TYPE_UINT64, &thread, type, &value, DBUS_TYPE_INVALID);
    return done(send(m));
  }

 private:
  static constexpr const char* kService = "org.freedesktop.RealtimeKit1";
  static constexpr const char* kPath = "/org/freedesktop/RealtimeKit1";
  static constexpr int kTimeoutMs = 500;  // a missing service answers at once; a stuck one must not hold the start

  DBusMessage* send(DBusMessage* m) {
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply = dbus_connection_send_with_reply_and_block(bus_, m, kTimeoutMs, &error);
    dbus_message_unref(m);
    dbus_error_free(&error);
    return reply;
  }
  static bool done(DBusMessage* reply) {
    if (!reply) return false;
    dbus_message_unref(reply);
    return true;
  }

  DBusConnection* bus_ = nullptr;
};

bool setRoundRobin(pid_t tid, int priority) {
  sched_param param{};
  param.sched_priority = priority;
  return sched_setscheduler(tid, SCHED_RR | SCHED_RESET_ON_FORK, &param) == 0;
}

bool setNice(pid_t tid, int nice) { return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0; }

int niceOf(pid_t tid) {
  errno = 0;
  const int n = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
  return errno == 0 ? n : 0;
}

}  // namespace

pid_t currentThreadId() { return static_cast<pid_t>(syscall(SYS_gettid)); }

Raised raiseToRealTime(pid_t tid, int priority, int nice) {
  priority = std::max(priority, 1);
  if (setRoundRobin(tid, priority)) return Raised::RealTime;
  rlimit limit{};
  if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur > 0 &&
      setRoundRobin(tid, static_cast<int>(std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(priority)))))
    return Raised::RealTime;

  Rtkit rtkit;
  if (rtkit.connected()) {
    const auto most = rtkit.property("MaxRealtimePriority");
    const auto rttime = rtkit.property("RTTimeUSecMax");
    // rtkit grants only to a process whose real-time threads cannot run
    // unchecked: the CPU time one may take without blocking is capped.
    rlimit before{};
    const bool hadLimit = getrlimit(RLIMIT_RTTIME, &before) == 0;
    bool capped = false;
    if (hadLimit && rttime && *rttime > 0 &&
        (before.rlim_max == RLIM_INFINITY || before.rlim_max > static_cast<rlim_t>(*rttime))) {
      const rlimit cap{static_cast<rlim_t>(*rttime), static_cast<rlim_t>(*rttime)};
      capped = setrlimit(RLIMIT_RTTIME, &cap) == 0;
    }
    if (most && *most > 0 &&
        rtkit.makeRealtime(tid, static_cast<std::uint32_t>(std::min<std::int64_t>(*most, priority))))
      return Raised::RealTime;
    if (capped) setrlimit(RLIMIT_RTTIME, &before);
  }
  return raiseNice(tid, nice);
}

Raised raiseNice(pid_t tid, int nice) {
  nice = std::clamp(nice, -20, 19);
  const int current = niceOf(tid);
  if (nice >= current) return Raised::No;
  if (setNice(tid, nice)) return Raised::Nice;
  // RLIMIT_NICE allows down to 20 - its value.
  rlimit limit{};
  if (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    const int floor = 20 - static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 40));
    if (floor < current && setNice(tid, std::max(nice, floor))) return Raised::Nice;
  }
  Rtkit rtkit;
  if (!rtkit.connected()) return Raised::No;
  const auto least = rtkit.property("MinNiceLevel");
  const int level = std::max(nice, least ? static_cast<int>(*least) : nice);
  if (level < current && rtkit.makeHighPriority(tid, level)) return Raised::Nice;
  return Raised::No;
}

}  // namespace drum
