#include "window_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <memory>

#include "support/picture_files.h"

namespace vx::test {

MessageAnswer ScriptedDialogs::messageBox(const QString& title, const QString& text, MessageIcon icon,
                                          MessageButtons buttons) {
  boxes.push_back({title, text, icon, buttons, {}, Dialogs::helpTopic(icon, text, {})});
  if (!answers.empty()) {
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  switch (buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::YesNo:
      return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
      return MessageAnswer::Cancel;
  }
  return MessageAnswer::Cancel;
}

MessageAnswer ScriptedDialogs::messageBoxWithDetail(const QString& title, const QString& text,
                                                    const QString& detail, MessageIcon icon,
                                                    MessageButtons buttons) {
  const MessageAnswer answer = messageBox(title, text, icon, buttons);
  boxes.back().detail = detail;
  boxes.back().help = Dialogs::helpTopic(icon, text, detail);
  return answer;
}

QString ScriptedDialogs::fileDialog(FileDialogKind kind, const QString&, const QString& filter,
                                    const QString& lastName) {
  fileDialogs.push_back({kind, filter, lastName});
  if (fileAnswers.empty()) return {};
  const QString name = fileAnswers.front();
  fileAnswers.pop_front();
  return name;
}

void WindowTest::SetUp() {
  auto d = std::make_unique<ScriptedDialogs>();
  std::unique_ptr<Pacer> p = makePacer();
  dialogs = d.get();
  pacer = dynamic_cast<VirtualPacer*>(p.get());
  window = new MainWindow(std::move(d), std::move(p), makeSerialBackend());
  ui = WindowDriver(*window);
  progressDialog = &ui.progressDialog();
  window->installErrorReport(QStringLiteral("/usr/bin/vorlandex"));
  window->show();
  QApplication::processEvents();
}

std::unique_ptr<Pacer> WindowTest::makePacer() {
  return std::make_unique<VirtualPacer>(QDateTime(QDate(2026, 12, 7), QTime(3, 55, 13)));
}

void WindowTest::TearDown() {
  ui.previewClock()->stop();
  delete window;
  window = nullptr;
}

void WindowTest::typeText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

void WindowTest::retype(QWidget* w, const QString& text) {
  w->setFocus();
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    QTest::keyClick(w, Qt::Key_Delete);
    return;
  }
  typeText(w, text);
}

void WindowTest::click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }

void WindowTest::choose(ComboBox* combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void WindowTest::clickTab(int index) {
  QTest::mouseClick(ui.buttonTabs(), Qt::LeftButton, {}, ui.buttonTabs()->tabRect(index).center());
}

void WindowTest::settleStartUp() {
  // A deadline, not a count of short pumps: under Wine on a busy computer the first tick comes late.
  QElapsedTimer waited;
  waited.start();
  while (ui.firstRasterTimer()->isActive() && waited.elapsed() < 20000) pump(5);
  ASSERT_FALSE(ui.firstRasterTimer()->isActive());
  ASSERT_FALSE(ui.model().unsavedChanges);
}

QString WindowTest::writeFileIn(const QString& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir + QLatin1Char('/') + name;
  EXPECT_TRUE(writeFile(path, bytes)) << path.toStdString();
  return path;
}

void WindowTest::pump(int ms) {
  QElapsedTimer t;
  t.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (t.elapsed() < ms);
}

}  // namespace vx::test
