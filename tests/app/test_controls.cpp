// The change notifications every handler of the window relies on.

#include "app/widgets/controls.h"
#include "app/dialogs/dialogs.h"
#include "app/dialogs/error_report.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace vx {
namespace {

// Types `text` one character at a time as key presses carrying that character, as a
// keyboard with any layout would (QTest's key helpers only know ASCII).
void typeText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

struct Counter {
  int n = 0;
  Handler handler() {
    return [this] { ++n; };
  }
};

TEST(LineEditNotifications, ProgramAndTypedChangesRunTheHandlerOnlyWhenTheTextChanges) {
  LineEdit e;
  Counter c;
  e.onChange = c.handler();
  e.setText(QStringLiteral("abc"));
  EXPECT_EQ(c.n, 1);
  e.setText(QStringLiteral("abc"));
  EXPECT_EQ(c.n, 1);
  QTest::keyClicks(&e, QStringLiteral("de"));
  EXPECT_EQ(e.text(), QStringLiteral("abcde"));
  EXPECT_EQ(c.n, 3);
}

TEST(LineEditNotifications, TheLimitStopsTypingButNeverCutsWhatTheProgramSets) {
  LineEdit e;
  e.setLimit(5);
  QTest::keyClicks(&e, QStringLiteral("1234567"));
  EXPECT_EQ(e.text(), QStringLiteral("12345"));
  e.setText(QStringLiteral("123456789"));
  EXPECT_EQ(e.text(), QStringLiteral("123456789"));
  e.setLimit(3);
  EXPECT_EQ(e.text(), QStringLiteral("123456789"));
}

TEST(LineEditNotifications, CharactersThePrinterCannotPrintAreRefusedWithAHintNamingThem) {
  LineEdit e;
  e.setLimit(40);
  e.show();
  Counter c;
  typeText(&e, QStringLiteral("Atenção"));
  EXPECT_EQ(e.text(), QStringLiteral("Atenção"));
  EXPECT_EQ(e.refusalHint(), nullptr);
  e.onChange = c.handler();
  typeText(&e, QStringLiteral("漢"));
  EXPECT_EQ(e.text(), QStringLiteral("Atenção"));
  EXPECT_EQ(c.n, 0);
  ASSERT_NE(e.refusalHint(), nullptr);
  EXPECT_TRUE(e.refusalHint()->isVisible());  // still there after the key's release
  EXPECT_EQ(e.refusalHint()->text(), QStringLiteral("Caractere não suportado pela impressora: 漢"));
  e.clear();
  // A paste holding characters outside the code page, one of them twice and one beyond 16 bits.
  e.insert(QStringLiteral("caf\u00e9 \u65e5\u672c\u65e5 \U0001F600"));
  EXPECT_EQ(e.text(), QString());
  EXPECT_EQ(e.refusalHint()->text(),
            QStringLiteral("Caracteres não suportados pela impressora: \u65e5 \u672c \U0001F600"));
  e.insert(QStringLiteral("cafe\u0301"));  // an accent typed as a separate mark is one character
  EXPECT_EQ(e.text(), QStringLiteral("caf\u00e9"));

  // Only such characters are named: a refusal for the length shows no new hint.
  const_cast<QLabel*>(e.refusalHint())->hide();
  e.setLimit(4);
  typeText(&e, QStringLiteral("x"));
  EXPECT_EQ(e.text(), QStringLiteral("caf\u00e9"));
  EXPECT_FALSE(e.refusalHint()->isVisible());
}

TEST(SpinEditNotifications, LimitsNeverChangeTheValueButTheArrowsAndFocusRespectThem) {
  QWidget window;
  SpinEdit& s = *new SpinEdit(&window);
  auto* sibling = new QLineEdit(&window);
  s.setMinValue(0);
  s.setMaxValue(999);
  Counter c;
  s.onChange = c.handler();
  s.setValue(500);
  EXPECT_EQ(c.n, 1);
  s.setMaxValue(99);
  EXPECT_EQ(s.value(), 500);
  EXPECT_EQ(c.n, 1);
  s.stepBy(1);
  EXPECT_EQ(s.value(), 99);
  s.setValue(500);
  window.show();
  s.setFocus();
  QApplication::processEvents();
  sibling->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(s.value(), 99);
}

TEST(CheckBoxNotifications, ProgramChangesRunTheClickHandlerOnlyOnARealChange) {
  CheckBox box(QStringLiteral("x"));
  Counter c;
  box.onClick = c.handler();
  box.setChecked(true);
  box.setChecked(true);
  box.setChecked(false);
  EXPECT_EQ(c.n, 2);
  box.resize(100, 20);
  box.show();
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_TRUE(box.isChecked());
  EXPECT_EQ(c.n, 3);
}

TEST(RadioButtonNotifications, BecomingCheckedRunsTheHandlerAndUnchecksTheOther) {
  QWidget parent;
  RadioButton a(QStringLiteral("a"), &parent), b(QStringLiteral("b"), &parent);
  a.setGroup({&a, &b});
  b.setGroup({&a, &b});
  Counter ca, cb;
  a.onClick = ca.handler();
  b.onClick = cb.handler();
  a.setChecked(true);
  EXPECT_EQ(ca.n, 1);
  b.setChecked(true);
  EXPECT_FALSE(a.isChecked());
  EXPECT_EQ(cb.n, 1);
  EXPECT_EQ(ca.n, 1);  // unchecking runs nothing
  // A configuration file may leave both unchecked.
  b.setChecked(false);
  EXPECT_FALSE(a.isChecked());
  EXPECT_FALSE(b.isChecked());
  EXPECT_EQ(cb.n, 1);
  // A click on a checked button keeps it checked and runs nothing.
  parent.show();
  a.setChecked(true);
  QTest::mouseClick(&a, Qt::LeftButton);
  EXPECT_TRUE(a.isChecked());
  EXPECT_EQ(ca.n, 2);
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_TRUE(b.isChecked());
  EXPECT_FALSE(a.isChecked());
  EXPECT_EQ(cb.n, 2);
}

TEST(ComboBoxNotifications, OnlyTheOperatorsSelectionOrTypingRunsTheHandler) {
  ComboBox combo(true);
  combo.addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3")});
  Counter c;
  combo.onChange = c.handler();
  combo.setItemIndex(2);
  EXPECT_EQ(c.n, 0);
  EXPECT_EQ(combo.itemIndex(), 2);
  combo.show();
  QTest::keyClick(&combo, Qt::Key_Up);
  EXPECT_EQ(c.n, 1);
  EXPECT_EQ(combo.itemIndex(), 1);
  combo.lineEdit()->selectAll();
  QTest::keyClicks(combo.lineEdit(), QStringLiteral("x"));
  EXPECT_EQ(c.n, 2);
  EXPECT_EQ(combo.itemIndex(), -1);  // typing leaves no item selected
  combo.setItemIndex(0);
  EXPECT_EQ(combo.itemIndex(), 0);
  EXPECT_EQ(c.n, 2);
}

TEST(TabBarNotifications, SelectingATabByProgramRunsNothing) {
  TabBar tabs;
  for (int i = 0; i < 4; ++i) tabs.addTab(QStringLiteral("tab %1").arg(i));
  tabs.resize(400, 24);
  Counter c;
  tabs.onChange = c.handler();
  tabs.setTabIndex(2);
  EXPECT_EQ(c.n, 0);
  tabs.show();
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
  EXPECT_EQ(tabs.currentIndex(), 1);
  EXPECT_EQ(c.n, 1);
}

TEST(ScrollBarNotifications, PositionChangesByProgramOrByANewRangeRunTheHandler) {
  ScrollBar bar(Qt::Vertical);
  bar.setRange(10, 200);
  bar.setValue(90);
  Counter c;
  bar.onChange = c.handler();
  bar.setValue(90);
  EXPECT_EQ(c.n, 0);
  bar.setValue(0);  // below the range: clamped to 10
  EXPECT_EQ(bar.value(), 10);
  EXPECT_EQ(c.n, 1);
  bar.setRange(0, 200);
  bar.setValue(0);
  EXPECT_EQ(c.n, 2);
  bar.setMinimum(10);  // raising the lower bound moves the position and notifies
  EXPECT_EQ(bar.value(), 10);
  EXPECT_EQ(c.n, 3);
}

TEST(HandlerErrors, TheOutermostHandlerReportsAFailureOnceAndEndsTheAction) {
  std::vector<std::string> reports;
  setErrorReporter([&](const std::exception& e) { reports.push_back(e.what()); });
  bool after = false;
  runHandler([&] {
    runHandler([] { throw std::runtime_error("Error opening com port"); });
    after = true;
  });
  EXPECT_FALSE(after);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "Error opening com port");
  // The next action runs normally.
  runHandler([&] { after = true; });
  EXPECT_TRUE(after);
  setErrorReporter(nullptr);
}

TEST(HandlerErrors, AFailureInAnEventPumpedByARunningHandlerIsReportedThereAndTheHandlerGoesOn) {
  std::vector<std::string> reports;
  setErrorReporter([&](const std::exception& e) { reports.push_back(e.what()); });
  ScrollBar bar(Qt::Horizontal);
  bar.onChange = [] { throw std::runtime_error("timer failed"); };
  bool finished = false;
  runHandler([&] {
    QMetaObject::invokeMethod(&bar, [&] { bar.setValue(bar.value() + 1); }, Qt::QueuedConnection);
    processEventsInHandler();
    finished = true;
  });
  EXPECT_TRUE(finished);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "timer failed");
  setErrorReporter(nullptr);
}

TEST(ErrorReport, TitleAndFullStopFollowTheProgramsRules) {
  EXPECT_EQ(programTitle(QStringLiteral("/usr/bin/vorlandex")), QStringLiteral("vorlandex"));
  EXPECT_EQ(programTitle(QStringLiteral("C/VORLANDEX.EXE")), QStringLiteral("Vorlandex"));
  EXPECT_EQ(programTitle(QStringLiteral("./Config.Tool.bin")), QStringLiteral("Config"));
  // Started from Windows's own kind of path (Qt gives argv[0] so there).
  if (QDir::separator() == u'\\') {
    EXPECT_EQ(programTitle(QStringLiteral("C:\\Program Files\\VORLANDEX\\vorlandex.exe")),
              QStringLiteral("vorlandex"));
  }
  EXPECT_EQ(reportText(QStringLiteral("Error opening com port")), QStringLiteral("Error opening com port."));
  EXPECT_EQ(reportText(QStringLiteral("File handle is not a comm handle. ")),
            QStringLiteral("File handle is not a comm handle. "));
  EXPECT_EQ(reportText(QStringLiteral("List index out of bounds (0)")),
            QStringLiteral("List index out of bounds (0)"));  // ')' sorts before '.'
  EXPECT_EQ(reportText(QStringLiteral("'x' is not a valid integer value")),
            QStringLiteral("'x' is not a valid integer value."));
}

// The file dialogs open on the folder of the name last chosen and offer that name; when
// the folder has gone they offer the bare name in the folder they start in, never a path
// cut down to a relative one.
TEST(FileDialogs, TheLastNameIsOfferedWhereItResolves) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString kept = dir.filePath(QStringLiteral("sala.cfg"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sumiu")));
  const QString vanished = dir.filePath(QStringLiteral("sumiu/sala.cfg"));
  ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("sumiu"))).removeRecursively());

  const std::unique_ptr<Dialogs> dialogs = makeQtDialogs(nullptr);
  // What the dialog would return if the operator confirmed it at once, and its folder.
  auto offered = [&](FileDialogKind kind, const QString& lastName) {
    QString name;
    QString folder;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      name = dialog->selectedFiles().value(0);
      folder = dialog->directory().absolutePath();
      dialog->reject();
    });
    EXPECT_EQ(dialogs->fileDialog(kind, QStringLiteral("Salvar"), QStringLiteral("Arquivo de configuração (*.cfg)|*.cfg"),
                                  lastName),
              QString());
    return std::pair{name, folder};
  };
  for (FileDialogKind kind : {FileDialogKind::SaveConfig, FileDialogKind::OpenConfig}) {
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(offered(kind, kept).first, kept);
    const auto [name, folder] = offered(kind, vanished);
    EXPECT_EQ(name, QDir(folder).filePath(QStringLiteral("sala.cfg")));
    EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
  }
}

}  // namespace
}  // namespace vx
