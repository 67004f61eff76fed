// The copy of unsaved work: kept off the editing path, removed once the work is saved or given
// up, offered to the next start after a kill and recovered to save what "Salvar" would have
// saved; damaged copies and unwritable folders are told, never fatal.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include "config/config_text.h"
#include "config/recovery_slot.h"
#include "logo/default_picture.h"
#include "programs.h"
#include "recovery_edits.h"
#include "support/picture_files.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WindowRecoveryTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    settleStartUp();
  }
  // The notes of every copy under the recovery folder, live or not.
  int copies() const {
    int n = 0;
    for (QDirIterator it(root, {QStringLiteral("note.json")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext(); it.next())
      ++n;
    return n;
  }
  void writeCopy() const {
    ui.keepRecoveryCopy();
    ui.waitForRecoveryWrites();
  }
  // A copy a killed run left: written, then let go without removing it.
  void leaveCopy(const QByteArray& text, const QString& file) const {
    RecoverySlot::create(root)->write(text, defaultSourcePicture().bitmapFileBytes(), {file, leftAt});
  }
  // Another window of this process, answering the boxes with `answers`.
  std::unique_ptr<MainWindow> otherWindow(ScriptedDialogs** boxes, std::deque<MessageAnswer> answers = {}) {
    auto d = std::make_unique<ScriptedDialogs>();
    d->answers = std::move(answers);
    *boxes = d.get();
    auto w = std::make_unique<MainWindow>(std::move(d), std::make_unique<VirtualPacer>());
    WindowDriver(*w).previewClock()->stop();
    return w;
  }

  QTemporaryDir dir;
  QString root = dir.filePath(QStringLiteral("data/recovery"));
  const QString sala = dir.filePath(QStringLiteral("sala.cfg"));
  const QDateTime leftAt = QDateTime(QDate(2026, 3, 4), QTime(15, 6), Qt::LocalTime);
};

TEST_F(WindowRecoveryTest, CopyFollowsTheWorkOffTheEditingPathAndGoesWhenItIsSavedOrGivenUp) {
  ASSERT_FALSE(window->startRecovery(root));
  EXPECT_EQ(boxCount(), 0);
  typeText(ui.lineText(1), QStringLiteral("x"));
  EXPECT_TRUE(ui.recoveryTimer()->isActive());
  EXPECT_EQ(copies(), 0) << "written on the keystroke's path";
  writeCopy();
  EXPECT_EQ(copies(), 1);
  EXPECT_TRUE(RecoverySlot::claimLeftBehind(root).empty()) << "a live window's copy is offered";

  dialogs->fileAnswers.push_back(sala);
  click(ui.saveButton());
  EXPECT_EQ(copies(), 0) << "saving keeps the copy";

  typeText(ui.lineText(1), QStringLiteral("y"));
  writeCopy();
  ASSERT_EQ(copies(), 1);
  dialogs->answers.push_back(MessageAnswer::No);
  EXPECT_TRUE(ui.confirmClose());
  EXPECT_EQ(copies(), 0) << "closing with \"Não\" keeps the copy";

  typeText(ui.lineText(1), QStringLiteral("z"));
  writeCopy();
  ui.forgetChanges();  // as a second after opening a file: nothing unsaved
  EXPECT_EQ(copies(), 0);
}

TEST_F(WindowRecoveryTest, ChangeStillWaitingForItsCopyGetsItWhenTheWindowEnds) {
  ScriptedDialogs* boxes = nullptr;
  {
    auto closing = otherWindow(&boxes);
    closing->startRecovery(root);
    const WindowDriver other(*closing);
    other.forgetChanges();
    typeText(other.lineText(1), QStringLiteral("w"));
    EXPECT_EQ(copies(), 0);
  }
  EXPECT_EQ(copies(), 1) << "the last changes before the window ended were lost";
}

TEST_F(WindowRecoveryTest, LeftCopyIsOfferedByNameAndDateAndIsKeptForLaterOrDiscarded) {
  leaveCopy(writeConfigText(ui.model(), {}), sala);
  const ConfigModel before = ui.model();
  ScriptedDialogs* boxes = nullptr;
  {
    auto later = otherWindow(&boxes, {MessageAnswer::Cancel});
    EXPECT_FALSE(later->startRecovery(root));
    ASSERT_EQ(boxes->boxes.size(), 1u);
    const ShownBox& offer = boxes->boxes[0];
    EXPECT_EQ(offer.title, QStringLiteral("Recuperar alterações"));
    EXPECT_EQ(offer.icon, MessageIcon::Question);
    EXPECT_EQ(offer.buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(offer.text.contains(QDir::toNativeSeparators(sala))) << offer.text.toStdString();
    EXPECT_TRUE(offer.text.contains(QLocale::system().toString(leftAt, QLocale::ShortFormat)))
        << offer.text.toStdString();
  }
  EXPECT_EQ(copies(), 1) << "\"Cancelar\" lost the copy";

  auto discarding = otherWindow(&boxes, {MessageAnswer::No});
  EXPECT_FALSE(discarding->startRecovery(root));
  EXPECT_EQ(boxes->boxes.size(), 1u);
  EXPECT_EQ(copies(), 0) << "\"Não\" kept the copy";
  ConfigModel after = WindowDriver(*discarding).model();
  after.unsavedChanges = before.unsavedChanges;  // its start-up's marks are not a second old
  EXPECT_EQ(after, before);
}

// A pair the file manager passed waits for the answer to the offer of left work: it opens after
// "Não"; after "Sim" it goes to a window of its own and never over the recovered work.
TEST_F(WindowRecoveryTest, PairFromTheCommandLineWaitsForTheOfferAndLeavesRecoveredWorkAlone) {
  const QString porta = dir.filePath(QStringLiteral("porta.cfg"));
  ui.lineText(1)->setFocus();
  typeText(ui.lineText(1), QStringLiteral("Pa"));
  dialogs->fileAnswers = {porta};
  click(ui.saveButton());
  const QString saved = ui.model().lineText[1][1];
  ConfigModel left = ui.model();
  left.lineText[1][1] = QStringLiteral("Recuperado");

  int elsewhere = 0;
  ScriptedDialogs* boxes = nullptr;
  leaveCopy(writeConfigText(left, {}), sala);
  auto discarding = otherWindow(&boxes, {MessageAnswer::No});
  discarding->beginSession(root, porta, [&] { ++elsewhere; });
  EXPECT_EQ(boxes->boxes.size(), 1u) << "no offer before the file";
  EXPECT_EQ(elsewhere, 0);
  EXPECT_EQ(WindowDriver(*discarding).model().lineText[1][1], saved)
      << "the file did not open after the answer";

  leaveCopy(writeConfigText(left, {}), sala);
  auto recovering = otherWindow(&boxes, {MessageAnswer::Yes});
  recovering->beginSession(root, porta, [&] { ++elsewhere; });
  EXPECT_EQ(boxes->boxes.size(), 1u);
  EXPECT_EQ(elsewhere, 1) << "the file was not handed to a window of its own";
  EXPECT_EQ(WindowDriver(*recovering).model().lineText[1][1], QStringLiteral("Recuperado"));
  EXPECT_TRUE(WindowDriver(*recovering).model().unsavedChanges);
}

TEST_F(WindowRecoveryTest, DamagedCopyIsToldAndSetAsideNotOffered) {
  leaveCopy("not a configuration", sala);
  const ConfigModel before = ui.model();
  EXPECT_FALSE(window->startRecovery(root));
  ASSERT_EQ(boxCount(), 1);
  const ShownBox& told = dialogs->boxes[0];
  EXPECT_EQ(told.icon, MessageIcon::Warning);
  const QString damaged = QDir::toNativeSeparators(QDir(root).filePath(QStringLiteral("damaged")));
  EXPECT_TRUE(told.text.contains(damaged)) << told.text.toStdString();
  EXPECT_EQ(copies(), 1) << "the damaged copy was deleted";
  EXPECT_EQ(ui.model(), before);
  EXPECT_TRUE(RecoverySlot::claimLeftBehind(root).empty());
}

TEST_F(WindowRecoveryTest, UnwritableDataFolderIsToldOnceAndEditingGoesOn) {
  ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("data")), "a file, not a folder"));
  ASSERT_FALSE(window->startRecovery(root));
  for (const QString& typed : {QStringLiteral("x"), QStringLiteral("y")}) {
    typeText(ui.lineText(1), typed);
    writeCopy();
    pump(20);  // the notice is posted from the writer's thread
  }
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(QStringLiteral("data")))
      << dialogs->boxes[0].text.toStdString();
  EXPECT_TRUE(ui.lineText(1)->text().endsWith(QStringLiteral("xy")));
  EXPECT_TRUE(ui.model().unsavedChanges);
}

// A real window process, killed by force after its edits reached the copy (SIGKILL on Linux,
// TerminateProcess on Windows): the next start offers the copy under the file it had open, and
// what it recovers saves byte for byte what "Salvar" saves after the same edits.
TEST_F(WindowRecoveryTest, KilledWindowsWorkIsRecoveredAndSavesWhatSalvarWould) {
  const QString picture = writeFileIn(dir.path(), QStringLiteral("logo.png"),
                                      encodedPicture(QImage(QSize(800, 400), QImage::Format_RGB32), "PNG"));
  dialogs->fileAnswers = {sala, dir.filePath(QStringLiteral("expected.cfg"))};
  click(ui.saveButton());  // the pair the killed window opens
  makeRecoveryEdits(ui, picture);
  click(ui.saveButton());
  ASSERT_TRUE(fileBytes(dir.filePath(QStringLiteral("expected.cfg"))).contains("Sala 3"))
      << "the edits were lost";

  QProcess child;
  startProgram(child, QCoreApplication::applicationDirPath() + QStringLiteral("/" RECOVERY_WINDOW_CHILD),
               {root, sala, picture});
  ASSERT_TRUE(child.waitForStarted(20000)) << child.errorString().toStdString();
  while (!child.canReadLine() && child.waitForReadyRead(60000)) {
  }
  ASSERT_EQ(child.readLine().trimmed(), "ready") << child.readAllStandardError().toStdString();
  child.kill();
  ASSERT_TRUE(child.waitForFinished(20000));

  ScriptedDialogs* boxes = nullptr;
  auto next = otherWindow(&boxes, {MessageAnswer::Yes});
  EXPECT_TRUE(next->startRecovery(root));
  ASSERT_EQ(boxes->boxes.size(), 1u);
  EXPECT_TRUE(boxes->boxes[0].text.contains(QDir::toNativeSeparators(sala)))
      << boxes->boxes[0].text.toStdString();
  const WindowDriver recovered(*next);
  EXPECT_TRUE(recovered.model().unsavedChanges);

  boxes->fileAnswers.push_back(dir.filePath(QStringLiteral("recovered.cfg")));
  recovered.saveButton()->click();
  EXPECT_EQ(boxes->fileDialogs.back().lastName, sala) << "recovered under another name";
  EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("recovered.cfg"))),
            fileBytes(dir.filePath(QStringLiteral("expected.cfg"))));
  EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("recovered.bmp"))),
            fileBytes(dir.filePath(QStringLiteral("expected.bmp"))));
  EXPECT_EQ(copies(), 0) << "the recovered copy outlived its save";
}

}  // namespace
}  // namespace vx::test
