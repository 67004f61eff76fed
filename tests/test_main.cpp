// The one main() of every test program: the application object its tests need, then the tests.
// VX_TEST_APPLICATION picks the object (see vorlandex_add_test's APPLICATION): 1 a
// QCoreApplication (posted events, file names, Qt's error texts), 2 a QGuiApplication (fonts,
// painting), 3 a QApplication (windows and widgets). Graphical ones run offscreen unless the
// environment asks for a platform. No test reads or writes the operator's own settings.

#include <QStandardPaths>
#include <gtest/gtest.h>

#if VX_TEST_APPLICATION == 3
#include <QApplication>
using TestApplication = QApplication;
#elif VX_TEST_APPLICATION == 2
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
  if (VX_TEST_APPLICATION >= 2 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  TestApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
