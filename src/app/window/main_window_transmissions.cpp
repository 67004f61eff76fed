// The transmission commands: the port, the progress dialog around every job, the jobs'
// click handlers, the send-all commands and the change notice at exit.

#include "app/window/main_window.h"
#include "app/window/job_texts.h"
#include "app/dialogs/serial_ports_dialog.h"
#include "app/dialogs/progress_dialog.h"
#include "editor/button_links.h"
#include "logo/logo_upload.h"
#include "protocol/plan_runner.h"
#include "protocol/steady_pacer.h"
#include "serial/printer_line.h"
#include "serial/qrtcomm32.h"

#include <stdexcept>

namespace vx {

// The window's port keeps every pause after its previous write (sendAfterPause), so the jobs
// may hand over a little ahead of time.
std::unique_ptr<Pacer> TForm1::makeSteadyPacerForWindow() {
  return std::make_unique<SteadyPacer>(SteadyPacer::kPortKeepsPausesLeadMs);
}

void TForm1::createPort(std::unique_ptr<SerialBackend> backend) {
  QRTComm321 = new TQRTComm32(this, std::move(backend));
  QRTComm321->setObjectName(QStringLiteral("QRTComm321"));
  QRTComm321->setCommPort(TCommPort::Com1);
  set19200Baud8N1(*QRTComm321);
  // The port list's tip names the device of the shown port; while its text names none, of the
  // port the jobs open.
  installPortToolTip(ComboBox1, [this] {
    const int index = ComboBox1->itemIndex();
    return index >= 0 ? index + 1 : static_cast<int>(QRTComm321->commPort()) + 1;
  });
}

TCommPort TForm1::jobsPort() const { return QRTComm321->commPort(); }

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
  const std::int64_t ms = runReport_ ? runReport_->timeLeftMs(*runPlan_) : -1;
  const std::int64_t seconds = ms < 0 ? -1 : timeLeftSeconds(ms);
  if (seconds == shownTimeLeft_) return;
  shownTimeLeft_ = seconds;
  Form2().Label4->setText(seconds < 0 ? QString() : timeLeftText(ms));
  // Between two pumps a block may run for a second; the line must not wait for them.
  if (Form2().isVisible()) Form2().Label4->repaint();
}

// --- Port choice and the change notice ---

void TForm1::ComboBox1Change() {
  model.unsavedChanges = 1;
  const int index = ComboBox1->itemIndex();
  if (index >= 0 && index <= 3) QRTComm321->setCommPort(static_cast<TCommPort>(index));
}

void TForm1::FormClose() {
  if (model.printerChanged != 1) return;
  dialogs().messageBox(
      tr("Configurações alteradas"),
      tr("    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros "
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

void TForm1::runJobs(const RunPlan& plan) {
  RunReport report;
  // The progress dialog reads the time left from the plan while the run goes on; whatever
  // happens, a run that opened the port leaves the change notice for the exit.
  struct Running {
    TForm1& form;
    RunReport& report;
    ~Running() {
      form.runPlan_ = nullptr;
      form.runReport_ = nullptr;
      if (report.portOpened) form.model.printerChanged = 1;
    }
  } running{*this, report};
  runPlan_ = &plan;
  runReport_ = &report;
  try {
    runPlan(*this, pacer(), plan, this, report);
  } catch (const ConnectionLost&) {
    throw std::runtime_error(connectionLostText(plan, report.job).toStdString());
  }
}

void TForm1::BitBtn1Click() {
  // The model keeps the links the printer is sent.
  updateButtonLinks(model);
  RunPlan plan;
  planSettingsJob(plan, model, readOptionByte());
  runJobs(plan);
}

void TForm1::BitBtn3Click() {
  RunPlan plan;
  planClockJob(plan, pacer().now());
  runJobs(plan);
}

void TForm1::BitBtn14Click() {
  RunPlan plan;
  planTextJob(plan, model, model.currentButton, readCutMode());
  runJobs(plan);
}

void TForm1::BitBtn12Click() {
  RunPlan plan;
  planLogoJob(plan, logoData());
  runJobs(plan);
}

void TForm1::BitBtn2Click() { sendAll(true); }

void TForm1::BitBtn6Click() { sendAll(false); }

void TForm1::sendAll(bool withLogo) {
  const QString title = withLogo ? tr("Enviar todas configurações") : tr("Enviar configurações sem logotipo");
  const QString scope = withLogo ? tr("e atendimentos à impressora, incluindo logotipo, e poderá demorar ")
                                 : tr("e atendimentos à impressora, menos o logotipo, e poderá demorar ");
  const QString text = tr("    Deseja enviar todas as configurações para impressora ?") + QLatin1Char('\n') +
                       tr("    Este processo irá enviar todas as configurações de todos os botões ") +
                       QLatin1Char('\n') + scope + QLatin1Char('\n') + tr("alguns minutos.");
  if (dialogs().messageBox(title, text, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) return;
  // Settings, clock, the texts of buttons 1..4 (the page keeps showing its button) and the
  // logo job when it is due.
  JobsToSend all;
  all.logo = sendAllSendsLogo(withLogo, CheckBox1->isChecked());
  updateButtonLinks(model);
  const ByteList logo = all.logo ? logoData() : ByteList();
  runJobs(planRun(model, all, readOptionByte(), readCutMode(), logo, pacer().now()));
}

}  // namespace vx
