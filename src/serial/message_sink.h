#pragma once
// The serial link's private receiver on its owner's thread. The reader and the writer post notices
// (received bytes, a hang-up request) from their threads; the owner's event loop hands them to the
// handler one at a time, in the order they were posted.
//
// The notices themselves travel in a queue of our own under a std::mutex, and each post only rings
// the owner's event loop with a plain QEvent; that keeps the hand-over visible to race checkers
// that cannot see inside Qt.

#include <QByteArray>
#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace vx {

struct LinkNotice {
  enum class Kind { ReceivedBytes, HangupRequest };
  Kind kind = Kind::ReceivedBytes;
  QByteArray bytes;  // what was received, or a line-error report; empty for a hang-up request
};

class MessageSink : public QObject {
 public:
  using Handler = std::function<void(LinkNotice& notice)>;

  // Lives on the thread that constructs it; `handler` runs there.
  explicit MessageSink(Handler handler);
  ~MessageSink() override;

  // Any thread.
  void post(LinkNotice notice);

 protected:
  bool event(QEvent* e) override;

 private:
  Handler handler_;
  std::mutex mutex_;
  std::deque<LinkNotice> queue_;
};

}  // namespace vx
