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
std::unique_ptr<Pacer> MainWindow::makeSteadyPacerForWindow() {
  return std::make_unique<SteadyPacer>(SteadyPacer::kPortKeepsPausesLeadMs);
}

void MainWindow::createPort(std::unique_ptr<SerialBackend> backend) {
  serialPort = new TQRTComm32(this, std::move(backend));
  serialPort->setObjectName(QStringLiteral("serialPort"));
  serialPort->setCommPort(TCommPort::Com1);
  set19200Baud8N1(*serialPort);
  // The port list's tip names the device of the shown port; while its text names none, of the
  // port the jobs open.
  installPortToolTip(portList, [this] {
    const int index = portList->itemIndex();
    return index >= 0 ? index + 1 : static_cast<int>(serialPort->commPort()) + 1;
  });
}

void MainWindow::destroyPort() {
  if (serialPort) serialPort->ClosePort();
}

// --- What the jobs use of the window ---

void MainWindow::OpenPort() {
  const bool alreadyOpen = serialPort->isOpen();
  try {
    // False means no close event could be made and the port is closed again: the job then runs
    // without a port, its frames are refused and lost, as every refused frame is.
    (void)serialPort->OpenPort();
  } catch (const ECommsError&) {
    // A reader or writer that could not be made leaves the device open; the job ends here, so
    // it is closed now, or every later job would find it taken until the program restarts.
    if (!alreadyOpen) serialPort->ClosePort();
    throw;
  }
}

bool MainWindow::sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) {
  return serialPort->SendData(data, length, static_cast<std::uint32_t>(std::max(0, pause_ms)));
}

bool MainWindow::lineLost() { return serialPort->lineLost(); }

void MainWindow::ClosePort() { serialPort->ClosePort(); }

void MainWindow::showProgress() {
  jobRunning_ = true;
  progressDialog().show();
  showTimeLeft();
  setEnabled(false);
  // Disabling a window disables the windows it owns too; the dialog stays enabled so that
  // it is drawn, and reported to accessibility tools, as readable. It still offers no way
  // to close it.
  progressDialog().setEnabled(true);
  // Paint the dialog and the disabled window now, inside the job's first pause, rather than
  // at its first message pump, which falls between two hand-overs.
  progressDialog().repaint();
  repaint();
}

void MainWindow::hideProgress() {
  progressDialog().hide();
  setEnabled(true);
  jobRunning_ = false;
}

void MainWindow::setProgressMax(int maximum) { progressDialog().progressBar->setMaximum(maximum); }

void MainWindow::setProgressPosition(int position) {
  progressDialog().progressBar->setValue(position);
  showTimeLeft();
}

void MainWindow::processMessages() {
  showTimeLeft();
  processEventsInHandler();
}

void MainWindow::showTimeLeft() {
  // Asked for before every byte of a block: the text is made only when the second changes.
  const std::int64_t ms = runReport_ ? runReport_->timeLeftMs(*runPlan_) : -1;
  const std::int64_t seconds = ms < 0 ? -1 : timeLeftSeconds(ms);
  if (seconds == shownTimeLeft_) return;
  shownTimeLeft_ = seconds;
  progressDialog().timeLeftLabel->setText(seconds < 0 ? QString() : timeLeftText(ms));
  // Between two pumps a block may run for a second; the line must not wait for them.
  if (progressDialog().isVisible()) progressDialog().timeLeftLabel->repaint();
}

// --- Port choice and the change notice ---

void MainWindow::choosePort() {
  markUnsaved();
  const int index = portList->itemIndex();
  if (index >= 0 && index <= 3) serialPort->setCommPort(static_cast<TCommPort>(index));
}

void MainWindow::showPrinterChangedNotice() {
  if (model.printerChanged != 1) return;
  dialogs().messageBox(
      tr("Configurações alteradas"),
      tr("    As configurações da impressora foram alteradas, será necessário transmitir os parâmetros "
         "ao sistema do painel.\n    Para isso desligue a impressora e a ligue com 2 botões "
         "pressionados."),
      MessageIcon::Information, MessageButtons::Ok);
}

// --- The jobs ---

std::uint8_t MainWindow::readOptionByte() const {
  return optionByte(resetAtDayEndBox->isChecked(), beepBox->isChecked(), twoCopiesBox->isChecked());
}

CutMode MainWindow::readCutMode() const {
  return partialCutButton->isChecked() ? CutMode::Partial : CutMode::Total;
}

ByteList MainWindow::logoData() const {
  const QByteArray data = logoUploadData(logoRaster, logoHeightBar->value());
  return ByteList(data.begin(), data.end());
}

void MainWindow::runJobs(const RunPlan& plan) {
  RunReport report;
  // The progress dialog reads the time left from the plan while the run goes on; whatever
  // happens, a run that opened the port leaves the change notice for the exit.
  struct Running {
    MainWindow& window;
    RunReport& report;
    ~Running() {
      window.runPlan_ = nullptr;
      window.runReport_ = nullptr;
      if (report.portOpened) window.model.printerChanged = 1;
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

void MainWindow::sendButtonSettings() {
  // The model keeps the links the printer is sent.
  updateButtonLinks(model);
  RunPlan plan;
  planSettingsJob(plan, model, readOptionByte());
  runJobs(plan);
}

void MainWindow::sendClock() {
  RunPlan plan;
  planClockJob(plan, pacer().now());
  runJobs(plan);
}

void MainWindow::sendButtonTexts() {
  RunPlan plan;
  planTextJob(plan, model, model.currentButton, readCutMode());
  runJobs(plan);
}

void MainWindow::sendLogo() {
  RunPlan plan;
  planLogoJob(plan, logoData());
  runJobs(plan);
}

void MainWindow::sendAll(bool withLogo) {
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
  all.logo = sendAllSendsLogo(withLogo, printLogoBox->isChecked());
  updateButtonLinks(model);
  const ByteList logo = all.logo ? logoData() : ByteList();
  runJobs(planRun(model, all, readOptionByte(), readCutMode(), logo, pacer().now()));
}

}  // namespace vx
