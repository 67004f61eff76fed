#include "serial/message_sink.h"

#include <QCoreApplication>
#include <QEvent>

namespace vx {
namespace {

// Any number in Qt's user range; each event stands for one queued notice.
const QEvent::Type kDoorbell = static_cast<QEvent::Type>(QEvent::User + 25);

}  // namespace

MessageSink::MessageSink(Handler handler) : handler_(std::move(handler)) {}

MessageSink::~MessageSink() = default;

void MessageSink::post(LinkNotice notice) {
  QEvent* doorbell;
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(notice));
    // Made under the lock that event() takes before it looks at an event, so the event object's
    // hand-over between threads is visible without relying on Qt's own locking.
    doorbell = new QEvent(kDoorbell);
  }
  QCoreApplication::postEvent(this, doorbell);
}

bool MessageSink::event(QEvent* e) {
  LinkNotice notice;
  {
    std::unique_lock lock(mutex_);
    if (e->type() != kDoorbell) {
      lock.unlock();
      return QObject::event(e);
    }
    if (queue_.empty()) return true;
    notice = std::move(queue_.front());
    queue_.pop_front();
  }
  if (handler_) handler_(notice);
  return true;
}

}  // namespace vx
