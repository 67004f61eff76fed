#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // file name encoding and Qt's error strings need one
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
