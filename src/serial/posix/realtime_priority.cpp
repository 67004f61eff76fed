#include "serial/posix/realtime_priority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <algorithm>
#include <atomic>
#include <cerrno>

namespace vx {
namespace {

constexpr int kRealtimeKitTimeoutMs = 250;
// What RealtimeKit grants by default; it refuses a process without an RLIMIT_RTTIME at or below
// its own maximum (the kernel then stops a real-time thread that never sleeps).
constexpr qlonglong kRealtimeCpuLimitUs = 200'000;

std::atomic<bool> g_realtimeKitRefused{false};

bool setFifo(int priority) {
  sched_param param{};
  param.sched_priority = priority;
  return ::sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0;
}

bool runsRealtime() {
  const int policy = ::sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
  return policy == SCHED_FIFO || policy == SCHED_RR;
}

QDBusMessage realtimeKitCall(const QString& interface, const QString& method) {
  return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.RealtimeKit1"),
                                        QStringLiteral("/org/freedesktop/RealtimeKit1"), interface, method);
}

// A property of RealtimeKit, or `fallback` when it cannot be read.
qlonglong realtimeKitProperty(QDBusConnection& bus, const char* name, qlonglong fallback) {
  QDBusMessage get = realtimeKitCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.freedesktop.RealtimeKit1") << QString::fromLatin1(name);
  const QDBusMessage reply = bus.call(get, QDBus::Block, kRealtimeKitTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return fallback;
  bool ok = false;
  const qlonglong value = reply.arguments().constFirst().value<QDBusVariant>().variant().toLongLong(&ok);
  return ok ? value : fallback;
}

bool askRealtimeKit(int priority) {
  if (g_realtimeKitRefused.load() || !QCoreApplication::instance()) return false;
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) {
    g_realtimeKitRefused = true;
    return false;
  }
  const qlonglong maxPriority = realtimeKitProperty(bus, "MaxRealtimePriority", 20);
  const qlonglong maxCpuUs = realtimeKitProperty(bus, "RTTimeUSecMax", kRealtimeCpuLimitUs);
  rlimit limit{};
  if (::getrlimit(RLIMIT_RTTIME, &limit) == 0) {
    const rlim_t wanted = static_cast<rlim_t>(std::min(maxCpuUs, kRealtimeCpuLimitUs));
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > wanted) {
      limit.rlim_cur = limit.rlim_max = wanted;
      (void)::setrlimit(RLIMIT_RTTIME, &limit);
    }
  }
  QDBusMessage make = realtimeKitCall(QStringLiteral("org.freedesktop.RealtimeKit1"),
                                      QStringLiteral("MakeThreadRealtime"));
  make << static_cast<qulonglong>(::gettid())
       << static_cast<uint>(std::clamp<qlonglong>(priority, 1, std::max<qlonglong>(1, maxPriority)));
  const QDBusMessage reply = bus.call(make, QDBus::Block, kRealtimeKitTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || !runsRealtime()) {
    g_realtimeKitRefused = true;
    return false;
  }
  return true;
}

}  // namespace

bool makeThisThreadRealtime() {
  if (setFifo(kRealtimePriority)) return true;
  // An unprivileged process may still have an allowance of its own.
  rlimit allowed{};
  if (::getrlimit(RLIMIT_RTPRIO, &allowed) == 0 && allowed.rlim_cur > 0 &&
      setFifo(static_cast<int>(std::min<rlim_t>(allowed.rlim_cur, kRealtimePriority))))
    return true;
  return askRealtimeKit(kRealtimePriority);
}

}  // namespace vx
