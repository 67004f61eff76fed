// The transmission commands: the port, the progress dialog around every job, the jobs'
// click handlers, the send-all commands and the change notice at exit.

#include "app/tform1.h"
#include "app/serial_ports_dialog.h"
#include "app/tform2.h"
#include "logo/logo_upload.h"
#include "protocol/steady_pacer.h"
#include "protocol/time_left.h"
#include "protocol/transmission.h"
#include "serial/printer_line.h"
#include "serial/qrtcomm32.h"

#include <optional>

namespace vx {
namespace {

const QString kSendAllQuestion = QStringLiteral("    Deseja enviar todas as configurações para impressora ?");
const QString kSendAllProcess =
    QStringLiteral("    Este processo irá enviar todas as configurações de todos os botões ");

// One run of jobs for the progress dialog's time left, however the jobs end.
class TimeLeftRun {
 public:
  TimeLeftRun(TimeLeft& timeLeft, std::int64_t plannedMs) : timeLeft_(timeLeft) { timeLeft_.begin(plannedMs); }
  ~TimeLeftRun() { timeLeft_.end(); }
  TimeLeftRun(const TimeLeftRun&) = delete;
  TimeLeftRun& operator=(const TimeLeftRun&) = delete;

 private:
  TimeLeft& timeLeft_;
};

}  // namespace

// The window's port keeps every pause after its previous write (sendAfterPause), so the jobs
// may hand over a little ahead of time.
std::unique_ptr<Pacer> TForm1::makeSteadyPacerForWindow() {
  return std::make_unique<SteadyPacer>(SteadyPacer::kPortKeepsPausesLeadMs);
}

void TForm1::createPort() {
  QRTComm321 = new TQRTComm32(this);
  QRTComm321->setObjectName(QStringLiteral("QRTComm321"));
  QRTComm321->setCommPort(TCommPort::Com1);
  setPrinterLine(*QRTComm321);
  // The port list's tip names the device of the shown port; while its text names none, of the
  // port the jobs open.
  installPortToolTip(ComboBox1, [this] {
    const int index = ComboBox1->itemIndex();
    return index >= 0 ? index + 1 : static_cast<int>(QRTComm321->commPort()) + 1;
  });
}

void TForm1::destroyPort() {
  if (QRTComm321) QRTComm321->ClosePort();
}

// --- What the jobs use of the window ---

void TForm1::OpenPort() {
  const bool alreadyOpen = QRTComm321->isOpen();
  try {
    // False means no close event could be made and the port is closed again: the job then runs
    // without a port, its frames are refused and lost, as every refused frame is.
    (void)QRTComm321->OpenPort();
  } catch (const ECommsError&) {
    // A reader or writer that could not be made leaves the device open; the job ends here, so
    // it is closed now, or every later job would find it taken until the program restarts.
    if (!alreadyOpen) QRTComm321->ClosePort();
    throw;
  }
}

bool TForm1::SendData(const std::uint8_t* data, std::uint16_t length) {
  return QRTComm321->SendData(data, length);
}

bool TForm1::sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) {
  return QRTComm321->SendData(data, length, static_cast<std::uint32_t>(std::max(0, pause_ms)));
}

bool TForm1::lineLost() { return QRTComm321->lineLost(); }

void TForm1::ClosePort() { QRTComm321->ClosePort(); }

void TForm1::showProgress() {
  jobRunning_ = true;
  Form2().show();
  showTimeLeft();
  setEnabled(false);
  // Disabling a window disables the windows it owns too; the dialog stays enabled so that
  // it is drawn, and reported to accessibility tools, as readable. It still offers no way
  // to close it.
  Form2().setEnabled(true);
  // Paint the dialog and the disabled window now, inside the job's first pause, rather than
  // at its first message pump, which falls between two hand-overs.
  Form2().repaint();
  repaint();
}

void TForm1::hideProgress() {
  Form2().hide();
  setEnabled(true);
  jobRunning_ = false;
}

void TForm1::setProgressMax(int maximum) { Form2().ProgressBar1->setMaximum(maximum); }

void TForm1::setProgressPosition(int position) {
  Form2().ProgressBar1->setValue(position);
  showTimeLeft();
}

void TForm1::processMessages() {
  showTimeLeft();
  processEventsInHandler();
}

void TForm1::showTimeLeft() {
  // Asked for before every byte of a block: the text is made only when the second changes.
  const std::int64_t seconds = timeLeft_->running() ? timeLeftSeconds(timeLeft_->remainingMs()) : -1;
  if (seconds == shownTimeLeft_) return;
  shownTimeLeft_ = seconds;
  Form2().Label4->setText(seconds < 0 ? QString() : timeLeftText(timeLeft_->remainingMs()));
  // Between two pumps a block may run for a second; the line must not wait for them.
  if (Form2().isVisible()) Form2().Label4->repaint();
}

// --- Port choice and the change notice ---

void TForm1::ComboBox1Change() {
  model.alterado = 1;
  const int index = ComboBox1->itemIndex();
  if (index >= 0 && index <= 3) QRTComm321->setCommPort(static_cast<TCommPort>(index));
}

void TForm1::FormClose() {
  if (model.impressora_alterada != 1) return;
  dialogs().messageBox(
      QStringLiteral("Configurações alteradas"),
      QStringLiteral("    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros "
                     "ao sistema do painel.\n    Para isso desligue a impressora e a ligue com 2 botões "
                     "pressionados."),
      MessageIcon::Information, MessageButtons::Ok);
}

// --- The jobs ---

std::uint8_t TForm1::readOptionByte() const {
  return optionByte(CheckBox2->isChecked(), CheckBox4->isChecked(), CheckBox7->isChecked());
}

CutMode TForm1::readCutMode() const { return RadioButton1->isChecked() ? CutMode::Partial : CutMode::Total; }

ByteList TForm1::logoData() const {
  const QByteArray data = logoUploadData(logoRaster, ScrollBar1->value());
  return ByteList(data.begin(), data.end());
}

void TForm1::BitBtn1Click() {
  TimeLeftRun run(*timeLeft_, settingsJobPausesMs());
  settingsJob(*this, *timeLeft_, model, [this] { return readOptionByte(); });
}

void TForm1::BitBtn3Click() {
  TimeLeftRun run(*timeLeft_, clockJobPausesMs());
  clockJob(*this, *timeLeft_, model);
}

void TForm1::BitBtn14Click() {
  // A button outside 1..4 is the job's own failure to report; it plans nothing.
  const int b = model.botao_atual;
  TimeLeftRun run(*timeLeft_, b >= 1 && b <= kPrinterButtons ? textJobPausesMs(model, b) : 0);
  textJob(*this, *timeLeft_, model, [this] { return readCutMode(); });
}

void TForm1::BitBtn12Click() {
  const ByteList data = logoData();
  TimeLeftRun run(*timeLeft_, logoJobPausesMs(data.size()));
  logoJob(*this, *timeLeft_, model, data);
}

void TForm1::BitBtn2Click() { sendAll(true); }

void TForm1::BitBtn6Click() { sendAll(false); }

void TForm1::sendAll(bool withLogo) {
  const QString title = withLogo ? QStringLiteral("Enviar todas configurações")
                                 : QStringLiteral("Enviar configurações sem logotipo");
  const QString scope = withLogo ? QStringLiteral("e atendimentos à impressora, incluindo logotipo, e poderá demorar ")
                                 : QStringLiteral("e atendimentos à impressora, menos o logotipo, e poderá demorar ");
  const QString text = kSendAllQuestion + QLatin1Char('\n') + kSendAllProcess + QLatin1Char('\n') + scope +
                       QLatin1Char('\n') + QStringLiteral("alguns minutos.");
  if (dialogs().messageBox(title, text, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) return;
  // Settings, clock, the texts of buttons 1..4 (only botao_atual moves: the page keeps
  // showing its button, also when a job fails) and the logo job when it is due.
  std::function<ByteList()> logo;
  std::optional<std::size_t> logoBytes;
  if (sendAllSendsLogo(withLogo, CheckBox1->isChecked())) {
    logo = [this] { return logoData(); };
    logoBytes = static_cast<std::size_t>(logoUploadLength(ScrollBar1->value()));
  }
  TimeLeftRun run(*timeLeft_, sendAllPausesMs(model, logoBytes));
  sendAllJobs(*this, *timeLeft_, model, [this] { return readOptionByte(); }, [this] { return readCutMode(); },
              logo);
}

}  // namespace vx
