// Times the configuration file core: writing the start-up configuration to its 183 lines
// and reading them back. The window's save and open (≤ 50 ms, logo picture included) spend
// this much on the text; this benchmark holds the text to a tenth of that budget.

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "config/config_text.h"

namespace {

constexpr double kGateMs = 5.0;
constexpr int kRuns = 2000;

vx::ConfigModel startupModel() {
  vx::ConfigModel m;
  for (int b = 1; b <= vx::kButtons; ++b) {
    m.lineText[1][b] = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
    m.lineEnabled[1][b] = true;
    for (int l = 2; l <= vx::kLines; ++l) m.lineText[l][b] = QStringLiteral("Linha %1").arg(l);
  }
  vx::applyNumberingDefaults(m);
  return m;
}

double medianUs(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  using Clock = std::chrono::steady_clock;
  const vx::ConfigModel model = startupModel();
  const vx::GlobalSettings globals;
  std::vector<double> write_us, parse_us, both_us;
  std::size_t sink = 0;
  for (int i = 0; i < kRuns; ++i) {
    const auto t0 = Clock::now();
    const QByteArray text = vx::writeConfigText(model, globals);
    const auto t1 = Clock::now();
    const vx::ConfigFileContents contents = vx::parseConfigText(text);
    const auto t2 = Clock::now();
    sink += static_cast<std::size_t>(text.size()) + contents.buttons[1].lineText[1].size();
    write_us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    parse_us.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    both_us.push_back(std::chrono::duration<double, std::micro>(t2 - t0).count());
  }
  const double both_ms = medianUs(both_us) / 1000.0;
  std::printf("configuration file, %d runs (%zu bytes handled)\n", kRuns, sink / kRuns);
  std::printf("  write median  %8.1f us\n", medianUs(write_us));
  std::printf("  parse median  %8.1f us\n", medianUs(parse_us));
  std::printf("  write+parse   %8.3f ms  gate %.1f ms  ratio %.4f\n", both_ms, kGateMs, both_ms / kGateMs);
  return both_ms <= kGateMs ? 0 : 1;
}
