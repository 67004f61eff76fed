#include "editor/preview_layout.h"

#include <QRegularExpression>

namespace vx {
namespace {

constexpr int kLinePitch = 18;
constexpr int kFirstLineBelowPaperTop = 5;
constexpr int kTicketWordBelowHeader = 7;
constexpr int kNumberBelowHeader = 32;
constexpr int kDateBelowHeader = 92;
constexpr int kFooterBelowHeader = 112;
constexpr int kPaperBelowFooter = 10;

}  // namespace

QString clockTimeFormat(const QString& longTimeFormat) {
  static const QRegularExpression zone(QStringLiteral("\\s*[(\\[]?\\bt+\\b[)\\]]?"));
  return QString(longTimeFormat).remove(zone).trimmed();
}

int previewLogoHeight(int dots) {
  // Exact integer arithmetic: 0.7225 = 7225 / 10000, rounded half to even.
  const long long n = static_cast<long long>(dots) * 7225;
  long long q = n / 10000;
  long long r = n % 10000;
  if (r < 0) {
    r += 10000;
    --q;
  }
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  return static_cast<int>(q);
}

PreviewLayout previewLayout(const std::array<bool, kLines + 1>& lineOn, int logoHeight) {
  PreviewLayout p;
  p.paperTop = kPreviewLogoTop + previewLogoHeight(logoHeight);
  int y = p.paperTop + kFirstLineBelowPaperTop;
  auto placeLines = [&](int first, int last) {
    for (int l = first; l <= last; ++l) {
      if (!lineOn[l]) continue;
      p.lineTop[l] = y;
      y += kLinePitch;
    }
  };
  placeLines(1, 4);
  p.ticketWordTop = y + kTicketWordBelowHeader;
  p.numberTop = y + kNumberBelowHeader;
  p.dateTop = y + kDateBelowHeader;
  y += kFooterBelowHeader;
  placeLines(5, 8);
  p.paperHeight = y + kPaperBelowFooter - p.paperTop;
  return p;
}

}  // namespace vx
