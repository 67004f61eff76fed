// Draws the fixed pictures of the main window into a folder:
//   vorlandex-gen-pictures <resources/pictures>
// image10.jpg (the printer's four buttons), image11..image14.jpg (button 1..4 pressed,
// each cut to the button's quadrant of image10) and icon.png (the window icon).
// The output is the same on every run; the files are kept in the repository.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <cstdio>

#include "app/pictures.h"
#include "panel_art.h"

namespace {

// High enough that the pressed pictures blend with image10 where they are laid over it.
constexpr int kJpegQuality = 95;

bool writeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
  }
  return true;
}

// Qt's JPEG writer: baseline, Huffman tables optimised for the picture.
bool writeJpeg(const QString& path, const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(kJpegQuality);
  writer.setOptimizedWrite(true);
  if (!writer.write(picture)) {
    std::fprintf(stderr, "cannot encode %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
  }
  return writeFile(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  // Qt's image writers are plug-ins, found through the application object.
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  bool ok = writeJpeg(out.filePath(QStringLiteral("image10.jpg")), vx::art::renderButtonPanel(0));
  for (int button = 1; button <= 4; ++button) {
    // Cut from a whole panel so the background matches image10 exactly around the button.
    const QImage pressed = vx::art::renderButtonPanel(button).copy(vx::pressedButtonRect(button));
    ok = writeJpeg(out.filePath(QStringLiteral("image%1.jpg").arg(10 + button)), pressed) && ok;
  }

  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ok = vx::art::renderWindowIcon().save(&buffer, "PNG") && ok;
  }
  ok = writeFile(out.filePath(QStringLiteral("icon.png")), png) && ok;
  return ok ? 0 : 1;
}
