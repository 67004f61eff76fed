// The main window: its regions, the wiring of the handlers, the start-up sequence and the close.

#include "app/window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeySequence>
#include <QShortcut>

#include "app/dialogs/error_report.h"
#include "app/dialogs/progress_dialog.h"
#include "app/help/help_topics.h"
#include "app/help/help_window.h"
#include "app/widgets/accessibility.h"
#include "app/widgets/control_factory.h"
#include "app/widgets/fonts.h"
#include "app/widgets/pictures.h"
#include "editor/button_numbering.h"
#include "logo/default_picture.h"
#include "serial/open_failure.h"
#include "serial/serial_backend.h"
#include "serial/serial_error.h"

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
  disconnect(focusWatch_);
  HelpWindow::discard();
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

  watchDevices();
}

void MainWindow::wireHandlers() {
  // A command runs as a handler: what it throws is reported.
  const auto onClicked = [this](QAbstractButton* button, Handler command) {
    connect(button, &QAbstractButton::clicked, this, [command = std::move(command)] { runHandler(command); });
  };
  onClicked(openButton, [this] { chooseFileAndOpen(); });
  onClicked(saveButton, [this] { chooseFileAndSave(); });
  onClicked(sendAllButton, [this] { sendAll(true); });
  onClicked(sendAllWithoutLogoButton, [this] { sendAll(false); });
  onClicked(setClockButton, [this] { sendClock(); });
  onClicked(sendSettingsButton, [this] { sendButtonSettings(); });
  onClicked(sendTextsButton, [this] { sendButtonTexts(); });
  onClicked(sendLogoButton, [this] { sendLogo(); });
  onClicked(updatePictureButton, recorded(EditedControl::UpdateLogo, 0, [this] { updateLogoRaster(); }));
  onClicked(openPictureButton, recorded(EditedControl::LogoPicture, 0, [this] { choosePicture(); }));
  onClicked(serialPortsButton, [this] { chooseSerialDevices(); });
  onClicked(suggestButton, recorded(EditedControl::SuggestContrast, 0, [this] { suggestContrast(); }));
  onClicked(undoButton, [this] { undoEdit(); });
  onClicked(redoButton, [this] { redoEdit(); });
  connect(helpButton, &QToolButton::clicked, this,
          [] { HelpWindow::open(QString::fromLatin1(kContentsTopic)); });
  installHelpKey(this);
  logoDrop = new LogoDropTarget(this);
  for (QWidget* w : {static_cast<QWidget*>(logoSettingsGroup), static_cast<QWidget*>(logoBackdrop),
                     static_cast<QWidget*>(logoPicture)})
    logoDrop->watch(w);
  logoDrop->onFile = [this](const QString& name) {
    recorded(EditedControl::LogoPicture, 0, [this, name] { openPictureFile(name); })();
  };
  logoDrop->onRefused = [this](const QString& reason) {
    dialogs().messageBox(tr("Abrir imagem"), reason, MessageIcon::Warning, MessageButtons::Ok);
  };

  portList->onChange = recorded(EditedControl::Port, 0, [this] { choosePort(); });
  // The options' value is their control's state: the history alone takes note of a change.
  resetAtDayEndBox->onClick = recorded(EditedControl::ResetAtDayEnd, 0, {});
  twoCopiesBox->onClick = recorded(EditedControl::TwoCopies, 0, {});
  beepBox->onClick = recorded(EditedControl::Beep, 0, {});
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
  firstNumberBox->onChange = recorded(EditedControl::FirstNumber, 0, [this] { storeNumbering(); });
  lastNumberBox->onChange = recorded(EditedControl::LastNumber, 0, [this] { storeNumbering(); });
  letterList->onChange = recorded(EditedControl::Letter, 0, [this] { storeNumbering(); });
  printLetterList->onChange = recorded(EditedControl::PrintLetter, 0, [this] { storeNumbering(); });
  partialCutButton->onClick = recorded(EditedControl::PaperCut, 0, {});
  totalCutButton->onClick = recorded(EditedControl::PaperCut, 0, {});

  for (int l = 1; l <= kLines; ++l) {
    lines[l].text->onChange = recorded(EditedControl::LineText, l, [this] { storeAndPreviewLines(); });
    lines[l].enabled->onClick = recorded(EditedControl::LineEnabled, l, [this, l] { applyLineEnabled(l); });
    lines[l].expanded->onClick =
        recorded(EditedControl::LineExpanded, l, [this, l] { applyLineExpanded(l); });
  }

  logoHeightBar->onChange = recorded(EditedControl::LogoHeight, 0, [this] { applyLogoHeight(); });
  logoWidthBar->onChange = recorded(EditedControl::LogoWidth, 0, [this] { showLogoBox(); });
  // The contrast takes effect at the next "Atualizar imagem": its bar only makes a step.
  contrastBar->onChange = recorded(EditedControl::Contrast, 0, {});
  printLogoBox->onClick = recorded(EditedControl::PrintLogo, 0, [this] { applyPrintLogo(); });

  const auto onTimeout = [this](QTimer* timer, Handler tick) {
    connect(timer, &QTimer::timeout, this, [tick = std::move(tick)] { runHandler(tick); });
  };
  onTimeout(previewClock, [this] { updatePreviewClock(); });
  onTimeout(firstRasterTimer, [this] { computeFirstRaster(); });

  // Undo and redo from anywhere in the window: the keys reach the history, never a field's
  // own undo (see eventFilter).
  const auto historyShortcut = [this](const QList<QKeySequence>& keys, const Handler& action) {
    auto* s = new QShortcut(this);
    s->setKeys(keys);
    connect(s, &QShortcut::activated, this, [action] { runHandler(action); });
  };
  historyShortcut({QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { undoEdit(); });
  historyShortcut({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                  [this] { redoEdit(); });
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  // Leaving a control ends its step: typing in the next field is a step of its own.
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this] { history_.seal(); });
}

void MainWindow::startUp() {
  model.printerChanged = false;
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
  updatePreviewClock();
  // What start-up filled in is no edit: the history starts here, clean.
  startHistory();
  recording_ = true;
}

QString MainWindow::ticketDescription() const {
  // The ticket as the printer prints it: the enabled lines around the word and the number,
  // then the date. None of it depends on the operator's language.
  QStringList printed;
  for (int l = 1; l <= kLines; ++l) {
    if (l == 5) {
      const int b = model.currentButton;
      printed << ticketWordLabel->text() + QLatin1Char(' ') +
                     ticketNumberText(model.firstNumber[b], model.printLetter[b], model.letter[b])
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
    const auto* comms = dynamic_cast<const SerialError*>(&e);
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
  // The handbook goes with the window it helps with.
  HelpWindow::discard();
  event->accept();
}

}  // namespace vx
