#pragma once
// Follows the serial devices of this computer as adapters come and go: the devices offered for
// COM1..COM4 and the device each of them resolves to, with whether it is there. The platform tells
// when something may have changed (Notices: on Linux the folders that hold the devices and every
// link on their way, on Windows the system's device notices); a look follows shortly after, so
// that a burst of notices is taken in one look. It never polls. changed() is emitted when a look
// finds the devices, or the device or presence of a COMn, different from the look before. It only
// reads the system's records: it opens no device and never starts or stops a job.
//
// The environment (VORLANDEX_COMn) cannot be watched: a look reads it again, and recheck() asks
// for a look at once (after the operator stored a choice, for example).
//
// A QObject of the owner's thread.

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "serial/port_choices.h"
#include "serial/serial_device_list.h"

namespace vx {

struct DeviceLook {
  std::vector<SerialDevice> devices;     // as listDevices gives them
  std::array<ComDevice, kComPorts> com;  // what COM1..COM4 resolve to
  std::array<bool, kComPorts> present{};  // whether that device is there
  bool operator==(const DeviceLook&) const = default;
};

class SerialDeviceWatch : public QObject {
  Q_OBJECT
 public:
  // What the watch needs of its platform, which calls the watch's `heard` (on the owner's thread)
  // whenever the devices may have changed. One kind per platform, in its folder.
  class Notices {
   public:
    virtual ~Notices() = default;
    // The devices where this platform looks for them now.
    virtual std::vector<SerialDevice> devices() const = 0;
    // Follows what `look` leads to; true when it began to follow something it did not follow
    // before, so that a change made before then is looked for once more.
    virtual bool follow(const DeviceLook& look) = 0;
  };

  // `settingsFile` holds the stored choices (empty: the user's standard file). Takes its first
  // look at once.
  explicit SerialDeviceWatch(QString settingsFile = {}, QObject* parent = nullptr);

  // What the last look found.
  const DeviceLook& look() const { return look_; }
  // Looks again now; changed() follows when something differs.
  void recheck();
  // Lists the devices now, where this watch looks for them.
  std::vector<SerialDevice> listDevices() const { return notices_->devices(); }
  // The platform's part (a test points the Linux one at a fake tree).
  Notices& notices() { return *notices_; }

  // How long a look waits after the first change it hears of, so that a burst (a node, then
  // its links) is taken in one look.
  static constexpr int kSettleMs = 100;

 signals:
  void changed();

 private:
  // Made by each platform's serial_device_watch.cpp.
  static std::unique_ptr<Notices> makeNotices(std::function<void()> heard);
  DeviceLook lookNow() const;

  QString settingsFile_;
  QTimer settle_;
  // After the timer its notices start, so that it goes first.
  std::unique_ptr<Notices> notices_;
  DeviceLook look_;
};

}  // namespace vx
