// Draws the fixed pictures of the main window into a folder:
//   vorlandex-gen-pictures <resources/pictures>
// button_panel.png (the printer's four buttons), pressed_button1..4.png (button 1..4 pressed,
// each cut to the button's quadrant of the panel) and icon.png (the window icon).
// The output is the same on every run; the files are kept in the repository.

#include <QBuffer>
#include <QDir>
#include <QSaveFile>
#include <QString>
#include <cstdio>

#include "app/widgets/pictures.h"
#include "panel_art.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
  }
  return true;
}

// Stored without loss, so that each pressed picture matches the panel dot for dot where it is
// laid over it.
bool writePng(const QString& path, const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) {
    std::fprintf(stderr, "cannot encode %s\n", qPrintable(path));
    return false;
  }
  return writeFile(path, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }

  bool ok = writePng(out.filePath(QStringLiteral("button_panel.png")), vx::art::renderButtonPanel(0));
  for (int button = 1; button <= 4; ++button) {
    // Cut from a whole panel so the background matches the panel exactly around the button.
    const QImage pressed = vx::art::renderButtonPanel(button).copy(vx::pressedButtonRect(button));
    ok = writePng(out.filePath(QStringLiteral("pressed_button%1.png").arg(button)), pressed) && ok;
  }

  ok = writePng(out.filePath(QStringLiteral("icon.png")), vx::art::renderWindowIcon()) && ok;
  return ok ? 0 : 1;
}
