// Draws the handbook's pictures of one language with the program's own window, dialogs and
// virtual printer, offscreen:
//   vorlandex-handbook-pictures LANGUAGE EXAMPLE_FOLDER OUTPUT_FOLDER
// EXAMPLE_FOLDER holds the example pair (clinica.cfg with clinica.bmp) and picture.bmp, the
// picture opened as the logo; render.sh beside this file makes them and runs this for pt, en
// and es. The window runs on a virtual clock stopped at a fixed moment, over a scripted serial
// line that the virtual printer decodes afterwards: no serial port is opened.
//
// The same bytes on every run: the locale, time zone, style and settings folders are this
// program's own whatever the environment says, and the pictures are written without time,
// gamma or text chunks (picture_file.h).

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <stdexcept>
#include <utility>

#include "app/dialogs/dialogs.h"
#include "app/dialogs/progress_dialog.h"
#include "app/dialogs/serial_ports_dialog.h"
#include "app/translations.h"
#include "app/window/main_window.h"
#include "fake_backend.h"
#include "handbook_pictures/picture_file.h"
#include "printer/ticket.h"
#include "printer/virtual_printer.h"
#include "protocol/virtual_pacer.h"
#include "serial/port_choices.h"

namespace {

using vx::MessageAnswer;

// The moment every picture shows: the preview's clock, the ticket's date.
const QDateTime kShownMoment(QDate(2025, 3, 14), QTime(9, 41, 27));

// The locale each language's pictures are drawn in (its date and time formats).
QByteArray localeOf(const QString& language) {
  if (language == QLatin1String("en")) return "en_US.UTF-8";
  if (language == QLatin1String("es")) return "es_ES.UTF-8";
  return "pt_BR.UTF-8";
}

// Nothing of the user's desktop, settings or serial choices reaches the pictures.
void fixEnvironment(const QString& language, const QString& home) {
  for (const char* name :
       {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE",
        "QT_QPA_PLATFORMTHEME", "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "LANGUAGE",
        "VORLANDEX_TRACE", "VORLANDEX_COM1", "VORLANDEX_COM2", "VORLANDEX_COM3", "VORLANDEX_COM4"})
    qunsetenv(name);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("TZ", "UTC");
  qputenv("LC_ALL", localeOf(language));
  qputenv("LANG", localeOf(language));
  for (const char* name :
       {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
    qputenv(name, QFile::encodeName(home));
}

using vx::handbook::writePicture;

// The offscreen platform says of every dialog shown that it cannot pass size hints on.
QtMessageHandler standardMessages = nullptr;
void dropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.contains(QLatin1String("propagateSizeHints"))) standardMessages(type, context, message);
}

void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

// Lets the window do what is due within `ms` of real time (its first raster, repaints).
void settle(int ms = 120) {
  QElapsedTimer t;
  t.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (t.elapsed() < ms);
}

// The window's message boxes and file dialogs: the real message box, drawn and answered at
// once for the one question the pictures show; any other box means the window did not get
// what it was given, and the run fails. File dialogs are answered from a list.
class PictureDialogs : public vx::Dialogs {
 public:
  void setParent(QWidget* parent) { real_ = vx::makeQtDialogs(parent); }
  // The next question box is drawn into `picture` and answered Yes.
  void expectQuestion(QImage* picture) { questionPicture_ = picture; }
  std::deque<QString> fileAnswers;

  MessageAnswer messageBox(const QString& title, const QString& text, vx::MessageIcon icon,
                           vx::MessageButtons buttons) override {
    return messageBoxWithDetail(title, text, QString(), icon, buttons);
  }

  MessageAnswer messageBoxWithDetail(const QString& title, const QString& text, const QString& detail,
                                     vx::MessageIcon icon, vx::MessageButtons buttons) override {
    QImage* picture = icon == vx::MessageIcon::Question ? std::exchange(questionPicture_, nullptr) : nullptr;
    if (!picture) {
      unexpected_ += title + QLatin1String(": ") + text + QLatin1Char(' ') + detail + QLatin1Char('\n');
      return MessageAnswer::Cancel;
    }
    QTimer::singleShot(0, qApp, [picture] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      *picture = box->grab().toImage();
      box->button(QMessageBox::Yes)->click();
    });
    return real_->messageBoxWithDetail(title, text, detail, icon, buttons);
  }

  QString fileDialog(vx::FileDialogKind, const QString&, const QString&, const QString&) override {
    if (fileAnswers.empty()) return {};
    QString name = fileAnswers.front();
    fileAnswers.pop_front();
    return name;
  }

  void checkNothingUnexpected() const {
    if (!unexpected_.isEmpty()) fail(QStringLiteral("the window showed a box: ") + unexpected_);
  }

 private:
  std::unique_ptr<vx::Dialogs> real_;
  QImage* questionPicture_ = nullptr;
  QString unexpected_;
};

template <class W>
W* child(QObject& parent, const char* name) {
  auto* found = parent.findChild<W*>(QString::fromLatin1(name));
  if (!found) fail(QStringLiteral("the window has no %1").arg(QString::fromLatin1(name)));
  return found;
}

// The dialog as it looks on a computer with an on-board port and one USB adapter, the adapter
// chosen for COM1.
QImage drawSerialPortsDialog(vx::Dialogs& dialogs, const QString& settingsFolder) {
  const QString adapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  std::vector<vx::SerialDevice> devices{
      {adapter, QStringLiteral("ttyUSB0"), QStringLiteral("FTDI FT232R USB UART")},
      {QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0"),
       QStringLiteral("Porta serial integrada (E/S 0x3f8)")}};
  vx::PortChoices choices(settingsFolder + QStringLiteral("/ports.conf"));
  if (!choices.store(1, adapter)) fail(QStringLiteral("cannot store the example's port choice"));
  vx::SerialPortsDialog dialog(
      choices, dialogs, nullptr, [&devices] { return devices; },
      [&devices](const QString& path) {
        return std::any_of(devices.begin(), devices.end(),
                           [&](const vx::SerialDevice& d) { return d.path == path; });
      });
  dialog.show();
  settle(30);
  return dialog.grab().toImage();
}

// Button 1's ticket as the virtual printer takes the bytes the window sent.
QImage drawTicket(const std::vector<std::uint8_t>& sent) {
  std::vector<vx::printer::TimedByte> stream;
  stream.reserve(sent.size());
  // Spacing is no matter here (the window's pacing has tests of its own): one byte each
  // millisecond, judged with a slack that lets every pause pass.
  std::int64_t us = 0;
  for (std::uint8_t byte : sent) stream.push_back({byte, us += 1000});
  const auto decoded = vx::printer::decodeStream(stream, std::int64_t{1} << 40);
  for (const auto& problem : decoded.problems)
    if (problem.kind != vx::printer::Problem::Kind::Pacing)
      fail(QStringLiteral("the virtual printer found a problem: ") + QString::fromStdString(problem.text));
  return vx::printer::renderTicket(decoded.state, 1, kShownMoment);
}

void drawPictures(const QString& exampleFolder, const QString& out, const QString& settingsFolder) {
  auto dialogsOwned = std::make_unique<PictureDialogs>();
  PictureDialogs& dialogs = *dialogsOwned;
  vx::FakeBackend line;
  vx::MainWindow window(std::move(dialogsOwned), std::make_unique<vx::VirtualPacer>(kShownMoment),
                        std::make_unique<vx::FakeBackend>(line));
  dialogs.setParent(&window);
  window.show();
  // The clock's ticks would move the preview with real time.
  child<QTimer>(window, "previewClock")->stop();
  settle();

  window.openFromCommandLine(QDir(exampleFolder).filePath(QStringLiteral("clinica.cfg")));
  settle();
  dialogs.checkNothingUnexpected();
  writePicture(QDir(out).filePath(QStringLiteral("window.png")), window.grab().toImage());

  // "Enviar Todas as Configurações Para Impressora" with the pair: its question, then the
  // progress dialog once a good part of the run is behind it, then what the printer took.
  QImage question;
  QImage progress;
  auto& progressDialog = *window.findChild<vx::ProgressDialog*>();
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
    const vx::ProgressBar& bar = *progressDialog.progressBar;
    if (progress.isNull() && progressDialog.isVisible() && bar.maximum() > 0 &&
        bar.value() * 5 >= bar.maximum() * 2)
      progress = progressDialog.grab().toImage();
  });
  watch.start();
  dialogs.expectQuestion(&question);
  child<QPushButton>(window, "sendAllButton")->click();
  watch.stop();
  dialogs.checkNothingUnexpected();
  if (question.isNull()) fail(QStringLiteral("the send-all question was not shown"));
  if (progress.isNull()) fail(QStringLiteral("the progress dialog was not shown during the send"));
  writePicture(QDir(out).filePath(QStringLiteral("confirm-send.png")), question);
  writePicture(QDir(out).filePath(QStringLiteral("progress.png")), progress);
  writePicture(QDir(out).filePath(QStringLiteral("ticket.png")), drawTicket(line.written()));

  dialogs.fileAnswers.push_back(QDir(exampleFolder).filePath(QStringLiteral("picture.bmp")));
  child<QPushButton>(window, "openPictureButton")->click();
  settle();
  dialogs.checkNothingUnexpected();
  writePicture(QDir(out).filePath(QStringLiteral("window-logo.png")), window.grab().toImage());

  writePicture(QDir(out).filePath(QStringLiteral("serial-ports.png")),
               drawSerialPortsDialog(dialogs, settingsFolder));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s LANGUAGE EXAMPLE_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QString language = QString::fromLocal8Bit(argv[1]);
  if (!vx::programLanguages().contains(language)) {
    std::fprintf(stderr, "unknown language %s\n", argv[1]);
    return 2;
  }
  QTemporaryDir home;
  if (!home.isValid()) {
    std::fprintf(stderr, "cannot make a temporary folder\n");
    return 1;
  }
  fixEnvironment(language, home.path());
  standardMessages = qInstallMessageHandler(dropPlatformNotes);
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (!vx::installTranslations(language)) {
    std::fprintf(stderr, "cannot load the %s translation\n", argv[1]);
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[3]);
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "cannot make %s\n", argv[3]);
    return 1;
  }
  try {
    drawPictures(QString::fromLocal8Bit(argv[2]), out, home.path());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorlandex-handbook-pictures (%s): %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}
