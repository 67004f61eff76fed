#pragma once
// What a run of transmission jobs needs from the one that runs it: the port its bytes go to,
// and, optionally, somewhere to show its progress. The window implements both (its serial
// port, its progress dialog); the command-line sender only the port, with a progress that
// just delivers its port's messages. Every call is made on the run's thread.

#include <QString>

#include <cstdint>

namespace vx {

class JobPort {
 public:
  virtual ~JobPort() = default;
  // Opens the chosen port; throws (SerialError, or the runner's own exception) when it cannot.
  virtual void openPort() = 0;
  // Queues `length` bytes for the line, their first byte to leave no sooner than `pause_ms`
  // after the previous write to the device (the protocol's pause before them); false when
  // they could not be queued.
  [[nodiscard]] virtual bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) = 0;
  // Lets every queued byte reach the line, then closes the port. Never throws.
  virtual void closePort() = 0;
  // True when the port lost its line since openPort (the device went away or refused
  // writes, or queued bytes could not be sent before closePort gave up): what was handed
  // over may not have reached the printer. Asked after every hand-over and after closePort.
  virtual bool lineLost() = 0;
};

class JobProgress {
 public:
  virtual ~JobProgress() = default;
  // Shows the progress dialog (not modal) and disables the main window.
  virtual void showProgress() = 0;
  // Hides the progress dialog and enables the main window.
  virtual void hideProgress() = 0;
  virtual void setProgressMax(int maximum) = 0;
  virtual void setProgressPosition(int position) = 0;
  // Lets the window process its pending messages (repaints, timers).
  virtual void processMessages() = 0;

  // The time of day, as the system's long time text, at which a block transfer last let the
  // window process its messages. It outlives each job: a block that starts within the second
  // recorded here does not pump at once.
  QString lastShownSecond;
};

}  // namespace vx
