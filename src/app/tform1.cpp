// The main window: its regions, the wiring of the handlers, the start-up sequence and the close.

#include "app/tform1.h"

#include "app/accessibility.h"
#include "app/pictures.h"
#include "app/control_factory.h"
#include "app/error_report.h"
#include "app/fonts.h"
#include "app/tform2.h"
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

TForm1::TForm1(std::unique_ptr<Dialogs> dialogs, std::unique_ptr<Pacer> pacer,
               std::unique_ptr<SerialBackend> serialBackend, QWidget* parent)
    // A fixed single border with the system menu, the minimise box and the close button:
    // no maximise box, no resizing.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs ? std::move(dialogs) : makeQtDialogs(this)),
      pacer_(pacer ? std::move(pacer) : makeSteadyPacerForWindow()) {
  setObjectName(QStringLiteral("Form1"));
  installAccessibleInterfaces();
  createControls();
  createPort(std::move(serialBackend));
  wireHandlers();
  FormCreate();
  // The progress dialog exists, hidden, from right after the main window until its end.
  Form2_ = new TForm2(this);
}

TForm1::~TForm1() { destroyPort(); }

void TForm1::createControls() {
  setWindowTitle(tr("Configurações da impressora VORLANDEX"));
  setFixedSize(1078, 601);
  QFont base(QStringLiteral("Liberation Sans"));
  base.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  base.setStyleHint(QFont::SansSerif);
  base.setPointSize(8);
  setFont(base);

  // Region by region, top to bottom and left to right: each frame is made before the
  // controls it holds, so it lies behind them, and the keyboard focus follows this order.
  ControlFactory make(this);
  createCommandRow(make);
  createButtonFrame(make);
  createLogoFrame(make);
  sourcePicture = defaultSourcePicture();
  createTextFrame(make);
  createPreviewFrame(make, logoRaster.image());

  ListBox2 = new QListWidget(this);
  ListBox2->setObjectName(QStringLiteral("ListBox2"));
  ListBox2->setVisible(false);
  BitBtn17 = new QPushButton(this);
  BitBtn17->setObjectName(QStringLiteral("BitBtn17"));
  BitBtn17->setVisible(false);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(50);
  Timer3 = new QTimer(this);
  Timer3->setObjectName(QStringLiteral("Timer3"));
  Timer3->setInterval(1000);

  watchDevices();
}

void TForm1::wireHandlers() {
  connect(BitBtn5, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn5Click(); }); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn4Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn2Click(); }); });
  connect(BitBtn6, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn6Click(); }); });
  connect(BitBtn3, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn3Click(); }); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn1Click(); }); });
  connect(BitBtn14, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn14Click(); }); });
  connect(BitBtn12, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn12Click(); }); });
  connect(BitBtn11, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn11Click(); }); });
  connect(BitBtn15, &QPushButton::clicked, this, [this] { runHandler([this] { BitBtn15Click(); }); });
  connect(serialPortsButton, &QPushButton::clicked, this, [this] { runHandler([this] { serialPortsButtonClick(); }); });
  connect(suggestButton, &QPushButton::clicked, this, [this] { runHandler([this] { suggestButtonClick(); }); });
  logoDrop = new LogoDropTarget(this);
  for (QWidget* w : {static_cast<QWidget*>(Label28), static_cast<QWidget*>(Image3), static_cast<QWidget*>(Image1)})
    logoDrop->watch(w);
  logoDrop->onFile = [this](const QString& name) { openPictureFile(name); };
  logoDrop->onRefused = [this](const QString& reason) {
    dialogs().messageBox(tr("Abrir imagem"), reason, MessageIcon::Warning, MessageButtons::Ok);
  };

  ComboBox1->onChange = [this] { ComboBox1Change(); };
  CheckBox2->onClick = [this] { CheckBox2Click(); };
  CheckBox7->onClick = [this] { CheckBox2Click(); };
  // "Emitir bip ao imprimir" is saved in the file like the other options, so a change to
  // it alone is an unsaved change too.
  CheckBox4->onClick = [this] { CheckBox2Click(); };
  PageControl1->onChange = [this] { PageControl1Change(); };

  Image10->onMouseDown = [this](int x, int y) { Image10MouseDown(x, y); };
  Image11->onClick = [this] { Image11Click(); };
  Image12->onClick = [this] { Image12Click(); };
  Image13->onClick = [this] { Image13Click(); };
  Image14->onClick = [this] { Image14Click(); };
  // The keyboard's choice of a button is a click on it: on the shown button that click
  // lands on its pressed picture.
  Image10->currentButton = [this] { return model.currentButton; };
  Image10->onChoose = [this](int b) {
    if (b == model.currentButton) {
      runHandler(highlight(b)->onClick);
      return;
    }
    const QPoint p = pressedButtonRect(b).center();
    Image10MouseDown(p.x(), p.y());
  };
  Image4->describe = [this] { return ticketDescription(); };

  // Standard shortcuts for the commands an operator uses most; the captions stay as they are.
  const auto shortcut = [this](QKeySequence::StandardKey key, auto action) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence::Open, [this] { BitBtn5->click(); });
  shortcut(QKeySequence::Save, [this] { BitBtn4->click(); });
  // Not every platform names a quit key (the offscreen one names none): Ctrl+Q then.
  if (QKeySequence::keyBindings(QKeySequence::Quit).isEmpty())
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, [this] { close(); });
  else
    shortcut(QKeySequence::Quit, [this] { close(); });
  SpinEdit12->onChange = [this] { SpinEdit12Change(); };
  SpinEdit13->onChange = [this] { SpinEdit12Change(); };
  ComboBox5->onChange = [this] { SpinEdit12Change(); };
  ComboBox6->onChange = [this] { SpinEdit12Change(); };
  RadioButton1->onClick = [this] { RadioButton1Click(); };
  RadioButton2->onClick = [this] { RadioButton2Click(); };

  for (int l = 1; l <= 8; ++l) {
    lineEdit[l]->onChange = [this] { Edit6Change(); };
    lineEnabled[l]->onClick = [this, l] { lineEnabledClick(l); };
    lineExpanded[l]->onClick = [this, l] { lineExpandedClick(l); };
  }

  ScrollBar1->onChange = [this] { ScrollBar1Change(); };
  ScrollBar2->onChange = [this] { ScrollBar2Change(); };
  ScrollBar3->onChange = [this] { ScrollBar3Change(); };
  CheckBox1->onClick = [this] { CheckBox1Click(); };

  connect(Timer1, &QTimer::timeout, this, [this] { runHandler([this] { Timer1Timer(); }); });
  connect(Timer2, &QTimer::timeout, this, [this] { runHandler([this] { Timer2Timer(); }); });
  connect(Timer3, &QTimer::timeout, this, [this] { runHandler([this] { Timer3Timer(); }); });
}

void TForm1::FormCreate() {
  model.printerChanged = 0;
  model.currentButton = 1;
  {
    LoadingScope loading(model);
    // The line tables of all six slots come from the controls' initial state.
    for (int b = 1; b <= kButtons; ++b) copyLinesToModel(b);
    for (int i = 0; i < 4; ++i) PageControl1->setTabText(i, tr("    Botão %1    ").arg(i + 1));
    // Links to themselves, the letters A b C d, letters printed, numbers 0..99.
    applyNumberingDefaults(model);
  }
  CheckBox26Click();
  SpinEdit12Change();
  logoBoxLeft = Image1->x();
  Label5->setFont(ticketFont(8, false));
  ScrollBar1->setValue(90);
  ScrollBar2->setValue(300);

  Timer1->start();
  Timer2->setSingleShot(true);
  Timer2->start();
  Timer3->setSingleShot(true);
  Timer3->start();
  Timer1Timer();
}

QString TForm1::ticketDescription() const {
  // The ticket as the printer prints it: the enabled lines around the word and the number,
  // then the date. None of it depends on the operator's language.
  QStringList lines;
  for (int l = 1; l <= kLines; ++l) {
    if (l == 5) {
      const int b = model.currentButton;
      lines << Label13->text() + QLatin1Char(' ') +
                   ticketNumberText(model.firstNumber[b], model.printLetter[b] != 1, model.letter[b])
            << Label15->text();
    }
    if (lineEnabled[l]->isChecked()) lines << lineLabel[l]->text();
  }
  return lines.join(QLatin1Char('\n'));
}

void TForm1::installErrorReport(const QString& executablePath) {
  const QString title = programTitle(executablePath);
  setErrorReporter([this, title](const std::exception& e) {
    // A refused port also says which device and why.
    const auto* comms = dynamic_cast<const ECommsError*>(&e);
    dialogs().messageBoxWithDetail(title, reportText(translatedReport(e.what())),
                                   comms ? openFailureDetail(*comms) : QString(), MessageIcon::Error,
                                   MessageButtons::Ok);
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // While a job runs the window is disabled; a window manager's close request would
  // otherwise re-enter the running job through its message pump.
  if (jobRunning_) {
    event->ignore();
    return;
  }
  // A close query that fails (a save that could not be written) keeps the window open.
  bool canClose = false;
  runHandler([&] { canClose = FormCloseQuery(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  runHandler([this] { FormClose(); });
  event->accept();
}

}  // namespace vx
