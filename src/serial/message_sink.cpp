#include "serial/message_sink.h"

#include <QCoreApplication>
#include <QEvent>

namespace vx {
namespace {

// Any number in Qt's user range; each event stands for one queued message.
const QEvent::Type kDoorbell = static_cast<QEvent::Type>(QEvent::User + 25);

}  // namespace

MessageSink::MessageSink(Handler handler) : handler_(std::move(handler)) {}

MessageSink::~MessageSink() = default;

bool MessageSink::post(std::uint32_t message, std::uintptr_t wparam, std::unique_ptr<char[]> block) {
  QEvent* doorbell;
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(SinkMessage{message, wparam, std::move(block)});
    // Made under the lock that event() takes before it looks at an event, so the event object's
    // hand-over between threads is visible without relying on Qt's own locking.
    doorbell = new QEvent(kDoorbell);
  }
  QCoreApplication::postEvent(this, doorbell);
  return true;
}

bool MessageSink::event(QEvent* e) {
  SinkMessage message;
  {
    std::unique_lock lock(mutex_);
    if (e->type() != kDoorbell) {
      lock.unlock();
      return QObject::event(e);
    }
    if (queue_.empty()) return true;
    message = std::move(queue_.front());
    queue_.pop_front();
  }
  if (handler_) handler_(message);
  return true;
}

}  // namespace vx
