// vorlandex-send feeding four virtual printers on four pseudo-terminals at once, with a pair
// whose logo is 20 rows high. The run's wall time is set against the protocol minimum of one
// printer (the planned length of the run: the sum of its pauses), the program's CPU time
// against its wall time per port, and the spacing of the writes to each port is judged where
// the bytes are written: stamps taken on each writer thread right after its write returned.
// The far ends are decoded by the virtual printer, which must find every transfer and no
// fault but arrival jitter. Their reader threads run in this process: the CPU figure counts
// them against the sender, so it can only be too high.

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "bench_timing.h"
#include "config/config_pair.h"
#include "printer/virtual_printer.h"
#include "protocol/job_plan.h"
#include "protocol/frames.h"
#include "pty_line.h"
#include "send/sender.h"

namespace {

using vx::bench::cpuMs;
using vx::bench::monotonicUs;

constexpr int kPorts = 4;
constexpr int kLogoHeight = 20;
constexpr double kWallGate = 1.01;
constexpr double kCpuGatePerPort = 0.02;
constexpr double kDataGapGateMs = 11.9;
constexpr double kRegisterGapGateMs = 99.9;
// The far end of a pty adds the kernel's own jitter of up to 4 ms to what the printer sees.
constexpr std::int64_t kFarEndSlackUs = 4'000;

struct Stamp {
  std::int64_t ns;
  std::size_t count;
};

QString writePair(const QString& dir) {
  vx::ConfigModel m;
  vx::applyNumberingDefaults(m);
  for (int b = 1; b <= vx::kButtons; ++b) {
    m.lineText[1][b] = QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !");
    m.lineEnabled[1][b] = true;
  }
  vx::GlobalSettings g;
  g.logo_height = kLogoHeight;
  QImage picture(200, 60, QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixelColor(x, y, ((x / 7 + y / 5) % 2) ? Qt::black : Qt::white);
  const QString cfg = dir + QStringLiteral("/bench.cfg");
  QFile c(cfg), b(dir + QStringLiteral("/bench.bmp"));
  if (!c.open(QIODevice::WriteOnly) || !b.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the pair");
  c.write(vx::writeConfigText(m, g));
  b.write(vx::encodeBitmap(picture));
  return cfg;
}

// Spacing of the writes of one port against the plan: where the plan spaces two writes by
// 12 ms (a data byte and what follows it) the writes must be >= 11.9 ms apart, where it
// spaces them by 100 ms or more (after a register frame, around a block's word) >= 99.9 ms.
bool checkSpacing(int port, const std::vector<Stamp>& stamps, const vx::RunPlan& plan) {
  if (stamps.size() != plan.writes.size()) {
    std::printf("  port %d: %zu writes stamped, %zu planned\n", port, stamps.size(), plan.writes.size());
    return false;
  }
  int dataGaps = 0, shortData = 0, registerGaps = 0, shortRegister = 0;
  double smallestData = 1e9, smallestRegister = 1e9;
  for (std::size_t i = 1; i < stamps.size(); ++i) {
    const std::int64_t planned = plan.writes[i].offsetMs - plan.writes[i - 1].offsetMs;
    const double gapMs = (stamps[i].ns - stamps[i - 1].ns) / 1e6;
    if (planned == 12) {
      ++dataGaps;
      smallestData = std::min(smallestData, gapMs);
      shortData += gapMs < kDataGapGateMs;
    } else if (planned >= 100) {
      ++registerGaps;
      smallestRegister = std::min(smallestRegister, gapMs);
      shortRegister += gapMs < kRegisterGapGateMs;
    }
  }
  std::printf("  port %d: %d data gaps, %d under %.1f ms (smallest %.3f ms); %d register gaps, %d under %.1f ms "
              "(smallest %.3f ms)\n",
              port, dataGaps, shortData, kDataGapGateMs, smallestData, registerGaps, shortRegister,
              kRegisterGapGateMs, smallestRegister);
  return shortData == 0 && shortRegister == 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString cfg = writePair(dir.path());

  std::vector<std::unique_ptr<vx::test::PtyLine>> ends;
  for (int i = 0; i < kPorts; ++i) ends.push_back(std::make_unique<vx::test::PtyLine>());
  std::vector<std::vector<Stamp>> stamps(kPorts);
  vx::SendOptions options;
  options.pairPath = cfg;
  for (const auto& end : ends) options.ports << end->devicePath();
  options.quiet = true;

  vx::Sender sender(options, vx::Sender::Output{stdout, stderr, false});
  sender.writeStamps = [&stamps](int index) {
    return [&list = stamps[index]](std::int64_t ns, std::size_t count) { list.push_back({ns, count}); };
  };
  // The sender's own plan, to judge the spacing and the wall time by.
  vx::RunPlan plan;
  sender.planned = [&plan](const vx::RunPlan& p) { plan = p; };

  const double cpu0 = cpuMs(RUSAGE_SELF);
  const std::int64_t t0 = monotonicUs();
  const int status = sender.exec();
  const double wallMs = (monotonicUs() - t0) / 1e3;
  const double senderCpuMs = cpuMs(RUSAGE_SELF) - cpu0;

  bool ok = status == 0;
  std::printf("%d printers, logo of %d rows: exit status %d\n", kPorts, kLogoHeight, status);
  const double ratio = wallMs / static_cast<double>(plan.totalMs);
  std::printf("wall time %.1f ms against the protocol minimum of one printer %lld ms: ratio %.4f (gate %.2f)\n",
              wallMs, static_cast<long long>(plan.totalMs), ratio, kWallGate);
  ok = ratio <= kWallGate && ok;
  const double share = senderCpuMs / wallMs / kPorts;
  std::printf("CPU of the sender (and the far ends' readers) %.1f ms over %.1f ms wall: %.2f %% per port (gate %.0f %%)\n", senderCpuMs, wallMs,
              100 * share, 100 * kCpuGatePerPort);
  ok = share <= kCpuGatePerPort && ok;
  for (int i = 0; i < kPorts; ++i) ok = checkSpacing(i + 1, stamps[i], plan) && ok;
  for (int i = 0; i < kPorts; ++i) {
    const vx::printer::DecodeResult r = vx::printer::decodeStream(ends[i]->received(), kFarEndSlackUs);
    int jitter = 0;
    for (const vx::printer::Problem& p : r.problems) {
      if (p.kind == vx::printer::Problem::Kind::Pacing) {
        ++jitter;
      } else {
        std::printf("  printer %d reports: %s\n", i + 1, p.text.c_str());
        ok = false;
      }
    }
    std::printf("  printer %d: %zu transfers of %zu planned%s\n", i + 1, r.transfers.size(), plan.transfers.size(),
                jitter ? (", " + std::to_string(jitter) + " blocks with arrival jitter beyond 4 ms").c_str() : "");
    ok = r.transfers.size() == plan.transfers.size() && ok;
  }
  std::printf(ok ? "all gates met\n" : "GATE MISSED\n");
  return ok ? 0 : 1;
}
