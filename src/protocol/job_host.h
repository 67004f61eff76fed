#pragma once
// What a transmission job needs from the window that runs it: the port, the progress
// dialog, the main window's enabled state and the message pump. The jobs in this folder
// are written against it; the main window implements it, tests fake it.
// Every call is made on the window's thread.

#include <QString>

#include <cstdint>

namespace vx {

class JobHost {
 public:
  virtual ~JobHost() = default;
  // Opens the chosen port; throws (ECommsError) when it cannot be opened.
  virtual void OpenPort() = 0;
  // Queues `length` bytes for the line; false when they could not be queued.
  [[nodiscard]] virtual bool SendData(const std::uint8_t* data, std::uint16_t length) = 0;
  // Lets every queued byte reach the line, then closes the port.
  virtual void ClosePort() = 0;
  // Shows the progress dialog (not modal) and disables the main window.
  virtual void showProgress() = 0;
  // Hides the progress dialog and enables the main window.
  virtual void hideProgress() = 0;
  virtual void setProgressMax(int maximum) = 0;
  virtual void setProgressPosition(int position) = 0;
  // Lets the window process its pending messages (repaints, timers).
  virtual void processMessages() = 0;

  // Queues `length` bytes for the line, their first byte to leave no sooner than `pause_ms`
  // after the previous write to the device (the protocol's pause before them); false when
  // they could not be queued. A host whose port cannot keep the pause relies on the pacer's
  // timing of the hand-overs alone: the default passes the bytes to SendData.
  virtual bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) {
    (void)pause_ms;
    return SendData(data, length);
  }
  // True when the port lost its line since OpenPort (the device went away or refused
  // writes, or queued bytes could not be sent before ClosePort gave up): what was handed
  // over may not have reached the printer. Asked after every hand-over and right after
  // ClosePort. A host that cannot tell answers false.
  virtual bool lineLost() { return false; }

  // The time of day, as the system's long time text, at which a block transfer last let the
  // window process its messages. It outlives each job: a block that starts within the second
  // recorded here does not pump at once.
  QString ultimo_segundo;
};

}  // namespace vx
