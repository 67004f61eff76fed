// Follows the ports of a Windows computer as adapters come and go. The system tells top-level
// windows of every port that arrives or leaves (WM_DEVICECHANGE with DBT_DEVTYP_PORT) and of any
// change of its device tree (DBT_DEVNODES_CHANGED), and, once asked (RegisterDeviceNotification),
// of COM port interfaces; a hidden top-level window of the owner's thread hears them, and a look
// follows shortly after. The window is never shown and exists with the watch; Qt's event loop
// hands it its messages.
#include "serial/serial_device_watch.h"

#include <functional>

#include "serial/win32/windows_api.h"

namespace vx {
namespace {

constexpr wchar_t kWindowClass[] = L"VorlandexSerialDeviceWatch";
// The COM port device interface class (GUID_DEVINTERFACE_COMPORT).
constexpr GUID kComPortInterface = {
    0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

class DeviceChangeWindow final : public SerialDeviceWatch::Notices {
 public:
  explicit DeviceChangeWindow(std::function<void()> changed) : changed_(std::move(changed)) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &DeviceChangeWindow::procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = kWindowClass;
    // Registered once per process; a second registration answers ERROR_CLASS_ALREADY_EXISTS.
    (void)::RegisterClassExW(&window_class);
    // Top-level (no parent), so broadcasts reach it; WS_POPUP without WS_VISIBLE is never shown.
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, this);
    if (!window_) return;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kComPortInterface;
    notification_ = ::RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  }

  ~DeviceChangeWindow() override {
    if (notification_) ::UnregisterDeviceNotification(notification_);
    if (window_) ::DestroyWindow(window_);
  }
  DeviceChangeWindow(const DeviceChangeWindow&) = delete;
  DeviceChangeWindow& operator=(const DeviceChangeWindow&) = delete;

  std::vector<SerialDevice> devices() const override { return listSerialDevices(); }
  // The system tells of every port wherever it is: there is nothing more to follow.
  bool follow(const DeviceLook&) override { return false; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_DEVICECHANGE &&
               (wparam == DBT_DEVICEARRIVAL || wparam == DBT_DEVICEREMOVECOMPLETE ||
                wparam == DBT_DEVNODES_CHANGED)) {
      auto* self = reinterpret_cast<DeviceChangeWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
      if (self && self->changed_) self->changed_();
      return TRUE;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
  }

  std::function<void()> changed_;
  HWND window_ = nullptr;
  HDEVNOTIFY notification_ = nullptr;
};

}  // namespace

std::unique_ptr<SerialDeviceWatch::Notices> SerialDeviceWatch::makeNotices(std::function<void()> heard) {
  return std::make_unique<DeviceChangeWindow>(std::move(heard));
}

}  // namespace vx
