// What the tests ask of the programs they start (QProcess), on the build's own processor as
// under an emulator, where starting one took help (emulated_fork.cpp): input, both outputs, the
// exit code, a deadline, a kill, and the end seen by an event loop.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace vx::test {
namespace {

TEST(StartedPrograms, TalkThroughTheirPipesAndTellHowTheyEnded) {
  QProcess shell;
  shell.start(QStringLiteral("/bin/sh"),
              {QStringLiteral("-c"), QStringLiteral("read line; echo \"out:$line\"; echo err >&2; exit 3")});
  ASSERT_TRUE(shell.waitForStarted(20'000)) << shell.errorString().toStdString();
  shell.write("ping\n");
  shell.closeWriteChannel();
  ASSERT_TRUE(shell.waitForFinished(20'000));
  EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(shell.exitCode(), 3);
  EXPECT_EQ(shell.readAllStandardOutput(), "out:ping\n");
  EXPECT_EQ(shell.readAllStandardError(), "err\n");

  QProcess sleeper;
  sleeper.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec sleep 60")});
  ASSERT_TRUE(sleeper.waitForStarted(20'000));
  EXPECT_FALSE(sleeper.waitForFinished(200)) << "the deadline was not kept";
  QEventLoop loop;
  QObject::connect(&sleeper, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(20'000, &loop, &QEventLoop::quit);
  sleeper.kill();
  loop.exec();
  EXPECT_EQ(sleeper.state(), QProcess::NotRunning) << "the event loop did not see the end";
  EXPECT_EQ(sleeper.exitStatus(), QProcess::CrashExit);
}

}  // namespace
}  // namespace vx::test
