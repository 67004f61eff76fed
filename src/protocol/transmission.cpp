#include "protocol/transmission.h"

#include "editor/button_links.h"

#include <QLocale>
#include <QTime>
#include <stdexcept>
#include <string>

#include "protocol/connection_lost.h"

namespace vx {

namespace {

constexpr int kRegisterPauseMs = 100;  // the printer needs 100 ms after every register frame
constexpr int kBlockLeadMs = 100;
constexpr int kByteSpacingMs = 12;

// Hands bytes over with the pause that precedes them, for the port to keep on the line.
// The protocol has no recovery, so a port that refuses them or has lost its line ends the
// job: going on would only report a failed transmission as a success.
void send(JobHost& host, Pacer& pacer, const std::uint8_t* data, std::uint16_t length) {
  const bool queued = host.sendAfterPause(data, length, pacer.pauseOwedMs());
  pacer.handedOver();
  if (!queued || host.lineLost()) throw ConnectionLost();
}

void checkBlockSize(std::size_t size) {
  if (size > kMaxBlockSize)
    throw std::length_error("Bloco de " + std::to_string(size) + " bytes grande demais para a impressora");
}

// Steps 3 to 9 of the job frame around the sending. The constructor opens the port,
// marks that the printer is being written to and shows the dialog; finish() hides it and
// closes the port at the end of the sending and finds out whether everything handed over
// could reach the line; the destructor does the same on the way out of an exception, so
// the main window is never left disabled. Only a job that opened its port marks
// impressora_alterada: the change notice at exit asks the operator to restart the printer,
// which is pointless when nothing can have reached it.
class JobFrame {
 public:
  JobFrame(JobHost& host, Pacer& pacer, ConfigModel& model) : host_(host) {
    host_.OpenPort();
    model.impressora_alterada = 1;
    // The job's first pause is measured from the opening of the port, however long ago
    // the previous job handed over its last byte.
    pacer.portOpened();
    try {
      host_.showProgress();
    } catch (...) {
      host_.ClosePort();
      throw;
    }
  }
  void finish() {
    close();
    if (host_.lineLost()) throw ConnectionLost();
  }
  ~JobFrame() { close(); }
  JobFrame(const JobFrame&) = delete;
  JobFrame& operator=(const JobFrame&) = delete;

 private:
  void close() {
    if (closed_) return;
    closed_ = true;
    host_.hideProgress();
    host_.ClosePort();
  }
  JobHost& host_;
  bool closed_ = false;
};

// Runs a job's sending inside its frame; a lost line names the job.
template <typename Sending>
void runJob(JobHost& host, Pacer& pacer, ConfigModel& model, const JobItem& item, Sending sending) {
  try {
    JobFrame frame(host, pacer, model);
    sending();
    frame.finish();
  } catch (ConnectionLost& lost) {
    lost.setJob(item);
    throw;
  }
}

void progressStep(JobHost& host, int position) {
  host.processMessages();
  host.setProgressPosition(position);
}

}  // namespace

void envia_registro(JobHost& host, Pacer& pacer, std::uint8_t code, std::int32_t value, Width width) {
  send(host, pacer, kWord.data(), kWord.size());
  const Word frame = registerFrame(code, value, width);
  send(host, pacer, frame.data(), frame.size());
  pacer.wait(kRegisterPauseMs);
}

void envia_bloco(JobHost& host, Pacer& pacer, std::uint8_t code, std::span<const std::uint8_t> bytes,
                 bool pauseAfterWord) {
  // blockHeader refuses a count over kMaxBlockSize before anything is sent.
  const Word header = blockHeader(code, bytes.size());
  const int n = static_cast<int>(bytes.size());

  host.setProgressMax(n);
  pacer.wait(kBlockLeadMs);
  send(host, pacer, kWord.data(), kWord.size());
  if (pauseAfterWord) pacer.wait(kBlockLeadMs);
  send(host, pacer, header.data(), header.size());

  // Formatting the time costs microseconds that would add up over thousands of bytes, so
  // the text is made again only when the second changes; the comparison with
  // ultimo_segundo is still made for every byte.
  QTime shownSecond;
  QString shownText;
  for (int i = 1; i <= n; ++i) {
    const QTime t = pacer.now().time();
    const QTime second(t.hour(), t.minute(), t.second());
    if (shownText.isNull() || second != shownSecond) {
      shownSecond = second;
      shownText = QLocale::system().toString(second, QLocale::LongFormat);
    }
    if (shownText != host.ultimo_segundo) {
      host.ultimo_segundo = shownText;
      host.processMessages();
    }
    host.setProgressPosition(i);
    send(host, pacer, &bytes[i - 1], 1);
    pacer.wait(kByteSpacingMs);
  }
  send(host, pacer, &kTerminator, 1);
}

void clockJob(JobHost& host, Pacer& pacer, ConfigModel& model) {
  const ClockFields f = clockFields(pacer.now());  // one reading: never a mix of two days

  runJob(host, pacer, model, clockItem(), [&] {
    host.setProgressMax(100);
    progressStep(host, 30);
    pacer.wait(kRegisterPauseMs);
    envia_registro(host, pacer, reg::kSeconds, f.seconds, Width::Bits8);
    envia_registro(host, pacer, reg::kMinutes, f.minutes, Width::Bits8);
    envia_registro(host, pacer, reg::kHours, f.hours, Width::Bits8);
    envia_registro(host, pacer, reg::kDay, f.day, Width::Bits8);
    envia_registro(host, pacer, reg::kMonth, f.month, Width::Bits8);
    envia_registro(host, pacer, reg::kWeekday, f.weekday, Width::Bits8);
    progressStep(host, 100);
    envia_registro(host, pacer, reg::kYear, f.year, Width::Bits16);
  });
}

void settingsJob(JobHost& host, Pacer& pacer, ConfigModel& model,
                 const std::function<std::uint8_t()>& readOptionByte) {
  // A later button keeps the link it had when it was last shown; bring every link up to
  // date so that the printer numbers each button as its page would show it.
  updateButtonLinks(model);
  std::uint8_t letters[kPrinterButtons + 1] = {};
  for (int b = 1; b <= kPrinterButtons; ++b) letters[b] = letterValue(model, b);

  runJob(host, pacer, model, settingsItem(), [&] {
    host.setProgressMax(100);
    progressStep(host, 1);
    pacer.wait(kRegisterPauseMs);
    for (int b = 1; b <= kPrinterButtons; ++b)
      envia_registro(host, pacer, static_cast<std::uint8_t>(reg::kLetter + b - 1), letters[b], Width::Bits8);
    progressStep(host, 30);
    for (int b = 1; b <= kPrinterButtons; ++b)
      envia_registro(host, pacer, static_cast<std::uint8_t>(reg::kLink + b - 1), linkValue(model, b),
                     Width::Bits8);
    progressStep(host, 50);
    for (int b = 1; b <= kPrinterButtons; ++b)
      envia_registro(host, pacer, static_cast<std::uint8_t>(reg::kFirstNumber + b - 1), model.inicio[b],
                     Width::Bits16);
    progressStep(host, 80);
    for (int b = 1; b <= kPrinterButtons; ++b)
      envia_registro(host, pacer, static_cast<std::uint8_t>(reg::kLastNumber + b - 1), model.termino[b],
                     Width::Bits16);
    envia_registro(host, pacer, reg::kOptions, readOptionByte(), Width::Bits8);
    progressStep(host, 100);
  });
}

void textJob(JobHost& host, Pacer& pacer, ConfigModel& model, const std::function<CutMode()>& readCutMode) {
  const int b = model.botao_atual;
  const ByteList header = headerTextBlock(model, b);
  // A text longer than the editor allows (from a hand-made file) must not get half-way
  // through a job: both blocks are measured now, the cut byte takes one byte either way.
  checkBlockSize(header.size());
  checkBlockSize(footerTextBlock(model, b, CutMode::Partial).size());

  runJob(host, pacer, model, textItem(b), [&] {
    envia_bloco(host, pacer, headerBlockCode(b), header, false);
    const ByteList footer = footerTextBlock(model, b, readCutMode());
    envia_bloco(host, pacer, footerBlockCode(b), footer, true);
  });
}

void logoJob(JobHost& host, Pacer& pacer, ConfigModel& model, std::span<const std::uint8_t> logoData) {
  checkBlockSize(logoData.size());

  runJob(host, pacer, model, logoItem(), [&] { envia_bloco(host, pacer, kLogoBlock, logoData, true); });
}

std::vector<RunJob> selectedJobs(const JobSelection& selection) {
  std::vector<RunJob> jobs;
  if (selection.settings) jobs.push_back({JobKind::Settings, 0});
  if (selection.clock) jobs.push_back({JobKind::Clock, 0});
  if (selection.texts)
    for (int b = 1; b <= kPrinterButtons; ++b)
      if (selection.textButtons & (1u << (b - 1))) jobs.push_back({JobKind::Texts, b});
  if (selection.logo) jobs.push_back({JobKind::Logo, 0});
  return jobs;
}

namespace {

JobItem itemOf(const RunJob& job) {
  switch (job.kind) {
    case JobKind::Settings:
      return settingsItem();
    case JobKind::Clock:
      return clockItem();
    case JobKind::Texts:
      return textItem(job.button);
    case JobKind::Logo:
      break;
  }
  return logoItem();
}

}  // namespace

void sendJobs(JobHost& host, Pacer& pacer, ConfigModel& model, const JobSelection& selection,
              const std::function<std::uint8_t()>& readOptionByte, const std::function<CutMode()>& readCutMode,
              const std::function<ByteList()>& buildLogoData) {
  JobSelection run = selection;
  run.logo = selection.logo && buildLogoData;
  const std::vector<RunJob> jobs = selectedJobs(run);
  // The editor keeps showing its page: botao_atual comes back whatever happens.
  struct Restore {
    ConfigModel& model;
    const std::int32_t shown;
    ~Restore() { model.botao_atual = shown; }
  } restore{model, model.botao_atual};
  std::size_t next = 0;
  try {
    for (; next < jobs.size(); ++next) {
      const RunJob& job = jobs[next];
      switch (job.kind) {
        case JobKind::Settings:
          settingsJob(host, pacer, model, readOptionByte);
          break;
        case JobKind::Clock:
          clockJob(host, pacer, model);
          break;
        case JobKind::Texts:
          model.botao_atual = job.button;
          textJob(host, pacer, model, readCutMode);
          break;
        case JobKind::Logo:
          logoJob(host, pacer, model, buildLogoData());
          break;
      }
    }
  } catch (ConnectionLost& lost) {
    // The jobs after the one that lost the line will not run.
    for (std::size_t later = next + 1; later < jobs.size(); ++later) lost.addNotSent(itemOf(jobs[later]));
    throw;
  }
}

void sendAllJobs(JobHost& host, Pacer& pacer, ConfigModel& model,
                 const std::function<std::uint8_t()>& readOptionByte,
                 const std::function<CutMode()>& readCutMode,
                 const std::function<ByteList()>& buildLogoData) {
  JobSelection all;
  all.logo = static_cast<bool>(buildLogoData);
  sendJobs(host, pacer, model, all, readOptionByte, readCutMode, buildLogoData);
}

}  // namespace vx
