#pragma once
// A real main window and progress dialog, offscreen, with scripted message boxes and file
// dialogs and a virtual clock, driven through its controls as an operator would.

#include "app/dialogs/dialogs.h"
#include "app/window/main_window.h"
#include "app/dialogs/progress_dialog.h"
#include "window_driver.h"
#include "protocol/virtual_pacer.h"
#include "serial/serial_backend.h"

#include <QString>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vx::test {

struct ShownBox {
  QString title;
  QString text;
  MessageIcon icon;
  MessageButtons buttons;
  QString detail = {};
  QString help = {};  // the section its help button opens; empty without one
};

struct AskedFile {
  FileDialogKind kind;
  QString filter;
  QString lastName;
};

// Records every box and answers from a script; an unscripted box gets OK / No / Cancel.
class ScriptedDialogs : public Dialogs {
 public:
  MessageAnswer messageBox(const QString& title, const QString& text, MessageIcon icon,
                           MessageButtons buttons) override;
  MessageAnswer messageBoxWithDetail(const QString& title, const QString& text, const QString& detail,
                                     MessageIcon icon, MessageButtons buttons) override;
  QString fileDialog(FileDialogKind kind, const QString& title, const QString& filter,
                     const QString& lastName) override;

  std::vector<ShownBox> boxes;
  std::vector<AskedFile> fileDialogs;
  std::deque<MessageAnswer> answers;
  std::deque<QString> fileAnswers;  // an empty name is a cancelled dialog
};

// Runs `onPump` each time a running job lets the window process its messages.
class PumpHook : public QObject {
 public:
  PumpHook(MainWindow* window, std::function<void()> onPump) : ui_(*window), onPump_(std::move(onPump)) {
    post();
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    if (ui_.jobRunning()) onPump_();
    post();
    return true;
  }

 private:
  void post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
  WindowDriver ui_;
  std::function<void()> onPump_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // The window's clock: a virtual one unless a test needs real time on a real line.
  virtual std::unique_ptr<Pacer> makePacer();
  // The window's serial back end: the real devices unless a test scripts the port.
  virtual std::unique_ptr<SerialBackend> makeSerialBackend() { return nullptr; }
  void TearDown() override;

  // Types into a field as key presses (any character, not only ASCII).
  static void typeText(QWidget* w, const QString& text);
  // Replaces a field's text by typing: select all, then type.
  static void retype(QWidget* w, const QString& text);
  static void click(QWidget* w);
  // Chooses an item of a combo box as the operator would (the list's selection).
  static void choose(ComboBox* combo, int index);
  // Clicks a tab of the tab bar.
  void clickTab(int index);
  // Lets the event loop run for `ms` milliseconds of real time.
  static void pump(int ms = 0);
  // Lets the first raster be computed (50 ms after start), so a test begins where an
  // operator would.
  void settleStartUp();
  // Writes `bytes` to a new file `name` in `dir`; returns its path.
  static QString writeFileIn(const QString& dir, const QString& name, const QByteArray& bytes);

  MainWindow* window = nullptr;  // what every window has: title, show, close
  WindowDriver ui;          // the rest of the window, through its controls' names
  ProgressDialog* progressDialog = nullptr;  // owned by the window
  ScriptedDialogs* dialogs = nullptr;  // owned by the window
  VirtualPacer* pacer = nullptr;  // owned by the window; null with a real clock
  int boxCount() const { return static_cast<int>(dialogs->boxes.size()); }
};

}  // namespace vx::test
