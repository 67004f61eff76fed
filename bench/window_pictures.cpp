// Logo pictures in the real window, each figure a median:
// - a 4000 × 3000 PNG photo opened as the logo, as "Abrir imagem" does once its dialog is
//   confirmed (read, decode, flatten, scale into the box, threshold, preview) and the
//   repaint that follows: gate 150 ms. Qt's PNG decoding of the same bytes alone is
//   reported beside it for comparison: the photo goes through the program's own reader
//   for common PNG files (logo/png_decoder.h);
// - a typical SVG logo (paths, a gradient, text, about 3 KB) opened the same way: 50 ms;
// - "Sugerir" on the default picture at the start-up size: 5 ms.
// Exits non-zero when a gate is missed or a result is wrong.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "app/tform1.h"
#include "logo/default_picture.h"
#include "protocol/steady_pacer.h"
#include "window_bench_support.h"

namespace {

using vx::bench::AnsweringDialogs;
using vx::bench::Clock;
using vx::bench::median;
using vx::bench::msSince;

// Smooth light and colour with fine grain, as a camera gives: what makes a photo large and
// slow to decode as PNG.
QByteArray photoPng() {
  QImage image(4000, 3000, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y) {
    auto* px = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grain = static_cast<int>(random() % 9) - 4;
      const int r = std::clamp(40 + x / 20 + grain, 0, 255);
      const int g = std::clamp(60 + y / 15 + grain, 0, 255);
      const int b = std::clamp(200 - (x + y) / 40 + grain, 0, 255);
      px[x] = qRgb(r, g, b);
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

const char kSvgLogo[] = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 600 200" width="600" height="200">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d3557"/><stop offset="1" stop-color="#457b9d"/>
    </linearGradient>
  </defs>
  <rect x="4" y="4" width="592" height="192" rx="24" fill="none" stroke="#1d3557" stroke-width="8"/>
  <circle cx="100" cy="100" r="70" fill="url(#sky)"/>
  <path d="M60 130 L100 50 L140 130 Z" fill="#f1faee"/>
  <path d="M75 120 C90 95 110 95 125 120 S150 150 170 120" fill="none" stroke="#e63946" stroke-width="6"/>
  <g font-family="DejaVu Sans, sans-serif" font-weight="bold">
    <text x="200" y="95" font-size="56" fill="#1d3557">CLÍNICA</text>
    <text x="200" y="160" font-size="44" fill="#457b9d">São Lucas</text>
  </g>
  <g fill="#a8dadc">
    <rect x="200" y="172" width="40" height="8"/><rect x="250" y="172" width="40" height="8"/>
    <rect x="300" y="172" width="40" height="8"/><rect x="350" y="172" width="40" height="8"/>
  </g>
</svg>
)svg";

struct Figure {
  double median = 0;
  double max = 0;
};

Figure timeRuns(int runs, int warmUp, const std::function<void()>& run) {
  std::vector<double> ms;
  for (int i = 0; i < warmUp + runs; ++i) {
    const auto start = Clock::now();
    run();
    const double t = msSince(start);
    if (i >= warmUp) ms.push_back(t);
  }
  return {median(ms), *std::max_element(ms.begin(), ms.end())};
}

bool report(const char* what, Figure f, double gateMs) {
  const bool ok = f.median <= gateMs;
  std::printf("%s: median %.2f ms, max %.2f ms; gate %.0f ms: ratio %.3f (%s)\n", what, f.median, f.max, gateMs,
              f.median / gateMs, ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString pngPath = dir.filePath(QStringLiteral("photo.png"));
  const QString svgPath = dir.filePath(QStringLiteral("logo.svg"));
  const QByteArray pngBytes = photoPng();
  for (const auto& [path, bytes] : {std::pair{pngPath, pngBytes}, std::pair{svgPath, QByteArray(kSvgLogo)}}) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
  }

  auto owned = std::make_unique<AnsweringDialogs>();
  AnsweringDialogs* dialogs = owned.get();
  vx::TForm1 form(std::move(owned), std::make_unique<vx::SteadyPacer>());
  form.show();
  QApplication::processEvents();
  form.Timer1->stop();
  form.Timer2->stop();

  bool ok = true;
  // Opening and Qt's decoding alone alternate, so that the load of the machine weighs on
  // both alike.
  std::vector<double> decodeMs;
  std::vector<double> openMs;
  for (int i = 0; i < 10; ++i) {
    auto start = Clock::now();
    QImage::fromData(pngBytes, "PNG");
    const double d = msSince(start);
    start = Clock::now();
    form.openPictureFile(pngPath);
    QApplication::processEvents();
    const double o = msSince(start);
    if (i == 0) continue;  // warm-up
    decodeMs.push_back(d);
    openMs.push_back(o);
  }
  const Figure decode{median(decodeMs), *std::max_element(decodeMs.begin(), decodeMs.end())};
  const Figure photo{median(openMs), *std::max_element(openMs.begin(), openMs.end())};
  const bool photoRight = form.sourcePicture.image.size() == QSize(4000, 3000);
  std::printf("4000x3000 PNG photo, %lld bytes:\n", static_cast<long long>(pngBytes.size()));
  ok &= report("  opened as the logo (read, decode, scale, raster, preview)", photo, 150);
  std::printf("  Qt's PNG decoding alone, for comparison: median %.2f ms (%.2f times the whole opening)\n",
              decode.median, decode.median / photo.median);

  const Figure svg = timeRuns(31, 3, [&] {
    form.openPictureFile(svgPath);
    QApplication::processEvents();
  });
  const bool svgRight = form.sourcePicture.image.size() == QSize(400, 133);
  ok &= report("typical SVG logo opened as the logo", svg, 50);

  form.setSourcePicture(vx::defaultSourcePicture());
  form.ScrollBar3->setValue(127);
  int suggested = 0;
  const Figure suggest = timeRuns(101, 5, [&] {
    form.suggestButton->click();
    suggested = form.ScrollBar3->value();
    form.ScrollBar3->setValue(127);
  });
  ok &= report("\"Sugerir\" on the default picture at 300x90", suggest, 5);
  std::printf("  suggested contrast: %d\n", suggested);

  if (!photoRight || !svgRight) std::printf("a picture did not open as expected\n");
  if (dialogs->shown != 0) std::printf("%d unexpected boxes\n", dialogs->shown);
  return ok && photoRight && svgRight && dialogs->shown == 0 ? 0 : 1;
}
