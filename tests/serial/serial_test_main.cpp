// The serial tests need an application object: the component's messages reach its owner's
// thread through the event loop, which the tests drive with QCoreApplication::processEvents.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
