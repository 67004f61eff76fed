// The main window: its regions, the wiring of the handlers, the start-up sequence and the close.

#include "app/window/main_window.h"

#include "app/widgets/accessibility.h"
#include "app/widgets/pictures.h"
#include "app/widgets/control_factory.h"
#include "app/dialogs/error_report.h"
#include "app/widgets/fonts.h"
#include "app/dialogs/progress_dialog.h"
#include "logo/default_picture.h"
#include "editor/button_numbering.h"
#include "serial/serial_backend.h"
#include "serial/comms_error.h"
#include "serial/open_failure.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QFont>

namespace vx {

MainWindow::MainWindow(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Pacer> pacer,
                       std::unique_ptr<SerialBackend> serialBackend, QWidget* parent)
    // A fixed single border with the system menu, the minimise box and the close button:
    // no maximise box, no resizing.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs ? std::move(dialogs) : makeQtDialogs(this)),
      pacer_(pacer ? std::move(pacer) : makeSteadyPacerForWindow()) {
  setObjectName(QStringLiteral("mainWindow"));
  installAccessibleInterfaces();
  createControls();
  createPort(std::move(serialBackend));
  wireHandlers();
  startUp();
  // The progress dialog exists, hidden, from right after the main window until its end.
  progressDialog_ = new ProgressDialog(this);
}

MainWindow::~MainWindow() {
  finishRecovery();
  destroyPort();
}

void MainWindow::createControls() {
  setWindowTitle(tr("Configurações da impressora VORLANDEX"));
  setFixedSize(1078, 601);
  setFont(windowFont());

  // Region by region, top to bottom and left to right: each frame is made before the
  // controls it holds, so it lies behind them, and the keyboard focus follows this order.
  ControlFactory make(this);
  createCommandRow(make);
  createButtonFrame(make);
  createLogoFrame(make);
  sourcePicture = defaultSourcePicture();
  createTextFrame(make);
  createPreviewFrame(make, logoRaster.image());

  previewClock = new QTimer(this);
  previewClock->setObjectName(QStringLiteral("previewClock"));
  previewClock->setInterval(1000);
  firstRasterTimer = new QTimer(this);
  firstRasterTimer->setObjectName(QStringLiteral("firstRasterTimer"));
  firstRasterTimer->setInterval(50);
  forgetChangesTimer = new QTimer(this);
  forgetChangesTimer->setObjectName(QStringLiteral("forgetChangesTimer"));
  forgetChangesTimer->setInterval(1000);

  watchDevices();
}

void MainWindow::wireHandlers() {
  // A command runs as a handler: what it throws is reported.
  const auto onClicked = [this](QPushButton* button, Handler command) {
    connect(button, &QPushButton::clicked, this, [command] { runHandler(command); });
  };
  onClicked(openButton, [this] { chooseFileAndOpen(); });
  onClicked(saveButton, [this] { chooseFileAndSave(); });
  onClicked(sendAllButton, [this] { sendAll(true); });
  onClicked(sendAllWithoutLogoButton, [this] { sendAll(false); });
  onClicked(setClockButton, [this] { sendClock(); });
  onClicked(sendSettingsButton, [this] { sendButtonSettings(); });
  onClicked(sendTextsButton, [this] { sendButtonTexts(); });
  onClicked(sendLogoButton, [this] { sendLogo(); });
  onClicked(updatePictureButton, [this] { updateLogoRaster(); });
  onClicked(openPictureButton, [this] { choosePicture(); });
  onClicked(serialPortsButton, [this] { chooseSerialDevices(); });
  onClicked(suggestButton, [this] { suggestContrast(); });
  logoDrop = new LogoDropTarget(this);
  for (QWidget* w : {static_cast<QWidget*>(logoSettingsGroup), static_cast<QWidget*>(logoBackdrop),
                     static_cast<QWidget*>(logoPicture)})
    logoDrop->watch(w);
  logoDrop->onFile = [this](const QString& name) { openPictureFile(name); };
  logoDrop->onRefused = [this](const QString& reason) {
    dialogs().messageBox(tr("Abrir imagem"), reason, MessageIcon::Warning, MessageButtons::Ok);
  };

  portList->onChange = [this] { choosePort(); };
  resetAtDayEndBox->onClick = [this] { markUnsaved(); };
  twoCopiesBox->onClick = [this] { markUnsaved(); };
  // "Emitir bip ao imprimir" is saved in the file like the other options, so a change to
  // it alone is an unsaved change too.
  beepBox->onClick = [this] { markUnsaved(); };
  buttonTabs->onChange = [this] { showSelectedButton(); };

  buttonPicture->onMouseDown = [this](int x, int y) { chooseButtonAt(x, y); };
  // The keyboard's choice of a button is a press on it; the shown button is chosen already.
  buttonPicture->currentButton = [this] { return model.currentButton; };
  buttonPicture->onChoose = [this](int b) {
    if (b == model.currentButton) return;
    const QPoint p = pressedButtonRect(b).center();
    chooseButtonAt(p.x(), p.y());
  };
  ticketPaper->describe = [this] { return ticketDescription(); };

  // Standard shortcuts for the commands an operator uses most; the captions stay as they are.
  const auto shortcut = [this](QKeySequence::StandardKey key, auto action) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence::Open, [this] { openButton->click(); });
  shortcut(QKeySequence::Save, [this] { saveButton->click(); });
  // Not every platform names a quit key (the offscreen one names none): Ctrl+Q then.
  if (QKeySequence::keyBindings(QKeySequence::Quit).isEmpty())
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, [this] { close(); });
  else
    shortcut(QKeySequence::Quit, [this] { close(); });
  firstNumberBox->onChange = [this] { storeNumbering(); };
  lastNumberBox->onChange = [this] { storeNumbering(); };
  letterList->onChange = [this] { storeNumbering(); };
  printLetterList->onChange = [this] { storeNumbering(); };
  partialCutButton->onClick = [this] { markUnsaved(); };
  totalCutButton->onClick = [this] { markUnsaved(); };

  for (int l = 1; l <= kLines; ++l) {
    lines[l].text->onChange = [this] { storeAndPreviewLines(); };
    lines[l].enabled->onClick = [this, l] { applyLineEnabled(l); };
    lines[l].expanded->onClick = [this, l] { applyLineExpanded(l); };
  }

  logoHeightBar->onChange = [this] { applyLogoHeight(); };
  logoWidthBar->onChange = [this] { showLogoBox(); };
  // The contrast takes effect at the next "Atualizar imagem": its bar runs nothing.
  printLogoBox->onClick = [this] { applyPrintLogo(); };

  const auto onTimeout = [this](QTimer* timer, Handler tick) {
    connect(timer, &QTimer::timeout, this, [tick] { runHandler(tick); });
  };
  onTimeout(previewClock, [this] { updatePreviewClock(); });
  onTimeout(firstRasterTimer, [this] { computeFirstRaster(); });
  onTimeout(forgetChangesTimer, [this] { forgetChanges(); });
}

void MainWindow::startUp() {
  model.printerChanged = 0;
  model.currentButton = 1;
  {
    LoadingScope loading(model);
    // The line tables of all six slots come from the controls' initial state.
    for (int b = 1; b <= kButtons; ++b) copyLinesToModel(b);
    for (int b = 1; b <= kPrinterButtons; ++b) buttonTabs->setTabText(b - 1, tr("    Botão %1    ").arg(b));
    // Links to themselves, the letters A b C d, letters printed, numbers 0..99.
    applyNumberingDefaults(model);
  }
  // Line 8's field and "Expandido" box start enabled under an unticked "Habilitar linha": its
  // handler brings them in line with lines 2..7 (and stores the lines and lays out the preview).
  applyLineEnabled(8);
  storeNumbering();
  logoBoxLeft = logoPicture->x();
  previewLines[1]->setFont(ticketFont(8, false));
  logoHeightBar->setValue(90);
  logoWidthBar->setValue(300);

  previewClock->start();
  firstRasterTimer->setSingleShot(true);
  firstRasterTimer->start();
  forgetChangesTimer->setSingleShot(true);
  forgetChangesTimer->start();
  updatePreviewClock();
}

QString MainWindow::ticketDescription() const {
  // The ticket as the printer prints it: the enabled lines around the word and the number,
  // then the date. None of it depends on the operator's language.
  QStringList printed;
  for (int l = 1; l <= kLines; ++l) {
    if (l == 5) {
      const int b = model.currentButton;
      printed << ticketWordLabel->text() + QLatin1Char(' ') +
                     ticketNumberText(model.firstNumber[b], model.printLetter[b] != 1, model.letter[b])
              << clockLabel->text();
    }
    if (lines[l].enabled->isChecked()) printed << previewLines[l]->text();
  }
  return printed.join(QLatin1Char('\n'));
}

void MainWindow::installErrorReport(const QString& executablePath) {
  const QString title = programTitle(executablePath);
  setErrorReporter([this, title](const std::exception& e) {
    // A refused port also says which device and why.
    const auto* comms = dynamic_cast<const ECommsError*>(&e);
    dialogs().messageBoxWithDetail(title, reportText(translatedReport(e.what())),
                                   comms ? openFailureDetail(*comms) : QString(), MessageIcon::Error,
                                   MessageButtons::Ok);
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // While a job runs the window is disabled; a window manager's close request would
  // otherwise re-enter the running job through its message pump.
  if (jobRunning_) {
    event->ignore();
    return;
  }
  // A close query that fails (a save that could not be written) keeps the window open.
  bool canClose = false;
  runHandler([&] { canClose = confirmClose(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  runHandler([this] { showPrinterChangedNotice(); });
  event->accept();
}

}  // namespace vx
