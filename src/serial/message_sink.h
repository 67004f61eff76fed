#pragma once
// The serial component's private receiver on its owner's thread. The reader and the writer post
// messages (UM_RECEIVEDDATA, UM_REQUESTHANGUP) from their threads; the owner's event loop hands
// them to the handler one at a time, in the order they were posted. A posted block belongs to the
// sink until the handler has run, then it is released.
//
// The messages themselves travel in a queue of our own under a std::mutex, and each post only rings
// the owner's event loop with a plain QEvent; that keeps the hand-over visible to race checkers
// that cannot see inside Qt.

#include <QObject>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace vx {

struct SinkMessage {
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;      // byte count, or 0
  std::unique_ptr<char[]> block;  // wparam bytes and a zero byte, or null
};

class MessageSink : public QObject {
 public:
  using Handler = std::function<void(SinkMessage& message)>;

  // Lives on the thread that constructs it; `handler` runs there.
  explicit MessageSink(Handler handler);
  ~MessageSink() override;

  // Any thread. Always accepted.
  bool post(std::uint32_t message, std::uintptr_t wparam, std::unique_ptr<char[]> block);

 protected:
  bool event(QEvent* e) override;

 private:
  Handler handler_;
  std::mutex mutex_;
  std::deque<SinkMessage> queue_;
};

}  // namespace vx
