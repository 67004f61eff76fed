// Writes recovery copies into a new slot under the folder given as its argument, one after
// another until it is killed; after each whole write it prints the write's number. Write n holds
// n as button 1's first line and as the note's file name, and a logo whose first dot is red n.
// For test_recovery_slot's kill test.

#include <QCoreApplication>
#include <QImage>
#include <cstdio>

#include "config/config_text.h"
#include "config/recovery_slot.h"
#include "logo/source_picture.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) return 2;
  auto slot = vx::RecoverySlot::create(QString::fromLocal8Bit(argv[1]));
  QImage logo(800, 400, QImage::Format_RGB32);
  for (int n = 0;; ++n) {
    vx::ConfigModel model;
    model.lineText[1][1] = QString::number(n);
    logo.fill(qRgb(n % 256, 0, 0));
    slot->write(vx::writeConfigText(model, {}), vx::encodeBitmap(logo),
                {QString::number(n), QDateTime::currentDateTimeUtc()});
    std::printf("%d\n", n);
    std::fflush(stdout);
  }
}
