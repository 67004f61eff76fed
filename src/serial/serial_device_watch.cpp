#include "serial/serial_device_watch.h"

namespace vx {

SerialDeviceWatch::SerialDeviceWatch(QString settingsFile, QObject* parent)
    : QObject(parent), settingsFile_(std::move(settingsFile)), settle_(this) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &SerialDeviceWatch::recheck);
  // The first notice of a burst starts the wait; the rest are taken by the same look.
  notices_ = makeNotices([this] {
    if (!settle_.isActive()) settle_.start();
  });
  recheck();
}

DeviceLook SerialDeviceWatch::lookNow() const {
  DeviceLook look;
  look.devices = notices_->devices();
  const PortChoices choices(settingsFile_);
  for (int n = 1; n <= kComPorts; ++n) {
    look.com[n - 1] = resolveComPort(n, choices);
    look.present[n - 1] = devicePresent(look.com[n - 1].path);
  }
  return look;
}

void SerialDeviceWatch::recheck() {
  settle_.stop();
  DeviceLook now = lookNow();
  // Follow where this look leads before it is taken as the truth; when something new is followed,
  // look once more, so that a change made before then is seen (a few rounds at most: a chain of
  // links can lead into a new folder at each step).
  for (int round = 0; round < 3 && notices_->follow(now); ++round) now = lookNow();
  if (now == look_) return;
  look_ = std::move(now);
  emit changed();
}

}  // namespace vx
