#pragma once
// The main window "Configurações da impressora VORLANDEX". It owns the configuration model,
// every control, the progress dialog Form2, the serial port, the timers and the logo pictures.
// Its handlers are thin: they read controls, call the core (editor, protocol, logo, config)
// and write controls. The controls are built region by region (command_row, button_frame,
// logo_frame, text_frame, preview_frame) and carry the system's names as object names, by
// which the tests find them (tests/app/window_driver.h). The handlers live in files by region:
// tform1.cpp (start-up and close), tform1_editor.cpp (button page, ticket lines, preview),
// tform1_jobs.cpp (transmissions), tform1_devices.cpp (the serial devices and their choice),
// tform1_logo.cpp (logo box and raster), tform1_file.cpp (configuration files, close prompt).

#include "app/regions/button_frame.h"
#include "app/regions/command_row.h"
#include "app/dialogs/dialogs.h"
#include "app/regions/logo_drop.h"
#include "app/regions/logo_frame.h"
#include "app/regions/preview_frame.h"
#include "app/regions/text_frame.h"
#include "config/config_text.h"
#include "logo/logo_raster.h"
#include "logo/source_picture.h"
#include "model/config_model.h"
#include "protocol/frames.h"
#include "protocol/job_port.h"
#include "protocol/pacer.h"
#include "serial/comm_types.h"
#include "serial/serial_backend.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace vx {

class TForm2;
class TQRTComm32;
class SerialDeviceWatch;
struct NumberingView;
struct RunPlan;
struct RunReport;

namespace test {
class WindowDriver;
}

class TForm1 : public QWidget,
               private JobPort,
               private JobProgress,
               private CommandRow,
               private ButtonFrame,
               private LogoFrame,
               private TextFrame,
               private PreviewFrame {
  Q_OBJECT
 public:
  // `dialogs`, `pacer` and `serialBackend` default to the real message boxes, the steady
  // clock and the POSIX serial devices. Creates the controls, runs the start-up (FormCreate),
  // then creates the progress dialog Form2, hidden.
  explicit TForm1(std::unique_ptr<Dialogs> dialogs = nullptr, std::unique_ptr<Pacer> pacer = nullptr,
                  std::unique_ptr<SerialBackend> serialBackend = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows what no handler catches in an error box titled after the executable's name.
  void installErrorReport(const QString& executablePath);

  // Opens the pair at `path` as "Abrir" does once the operator has chosen it (the program's
  // command line: what the file manager passes).
  void openFromCommandLine(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The tests' and benchmarks' one way in.
  friend class test::WindowDriver;

  // The progress dialog "Comunicação", a child window of this one for the whole run.
  TForm2& Form2() const { return *Form2_; }

  ConfigModel model;

  // --- Not visible ---
  QListWidget* ListBox2;  // scratch list
  QPushButton* BitBtn17;  // no action
  QTimer* Timer1;  // the preview clock, 1000 ms
  QTimer* Timer2;  // the first raster, 50 ms after start-up
  QTimer* Timer3;  // forgets start-up's or a file's changes, 1000 ms
  // Follows the serial devices for the port list's tip and "Portas seriais"; tests point its
  // by-id folder elsewhere.
  SerialDeviceWatch* deviceWatch = nullptr;
  LogoDropTarget* logoDrop;  // drops on the logo frame and box

  // Logo: the source picture held by Image1 (with the bytes of the file it came from,
  // if any) and the logo raster held by Image2.
  SourcePicture sourcePicture;
  LogoRaster logoRaster;

  // Replaces the source picture and shows it in the logo box.
  void setSourcePicture(SourcePicture picture);
  // Reads a picture file into the source picture and updates the raster, as "Abrir imagem"
  // does once its dialog is confirmed; a file that cannot be used throws before anything
  // changes. Also run for a file dropped on the logo.
  void openPictureFile(const QString& name);

  // Handlers with no control of their own (the tests run them through their driver): a press
  // at a point of the button picture, the timers' ticks, the close query, the picture update.
  void Image10MouseDown(int x, int y);
  void Timer1Timer();
  void Timer3Timer();
  bool FormCloseQuery();  // may refuse
  void BitBtn11Click();

  bool jobRunning() const { return jobRunning_; }
  // What a screen reader reads of the ticket preview: the ticket's lines as printed, one per
  // line (header lines, "SENHA" with the first number, the date, footer lines).
  QString ticketDescription() const;
  // The port the jobs open (ComboBox1's choice, or the last one it named).
  TCommPort jobsPort() const;
  QString openDialogName;  // OpenDialog1's last name
  QString saveDialogName;  // SaveDialog1's last name
  QString pictureDialogName;  // OpenPictureDialog1's last name

  // --- Start-up and close ---
  void createControls();
  void wireHandlers();
  void FormCreate();
  void FormClose();

  // --- Button page ---
  void PageControl1Change();
  void Image11Click();
  void Image12Click();
  void Image13Click();
  void Image14Click();
  void SpinEdit12Change();
  void showNumbering(const NumberingView& view);
  void Ativa();
  void Desativa();
  void RadioButton1Click();
  void RadioButton2Click();
  void CheckBox2Click();

  // --- Ticket lines and preview ---
  void Edit6Change();
  void lineEnabledClick(int line);  // CheckBox5Click, CheckBox8Click, … CheckBox26Click
  void lineExpandedClick(int line);  // CheckBox3Click, CheckBox6Click, … CheckBox24Click
  void CheckBox26Click() { lineEnabledClick(8); }
  void grava_texto();
  void copyLinesToModel(int button);
  void atualiza_senha();

  // --- Logo ---
  void showLogoBox();
  void ScrollBar1Change();
  void ScrollBar2Change();
  void ScrollBar3Change();
  void CheckBox1Click();
  void BitBtn15Click();
  void Timer2Timer();
  // "Sugerir": sets the contrast control to the threshold suggested for the picture as the
  // box shows it; nothing else changes.
  void suggestButtonClick();
  // Shows the share of black dots of the raster's rows 0..H − 1.
  void showBlackShare();

  // --- Transmissions ---
  void createPort(std::unique_ptr<SerialBackend> backend);
  void destroyPort();
  static std::unique_ptr<Pacer> makeSteadyPacerForWindow();
  void ComboBox1Change();
  // Keeps the port list's tip and "Portas seriais" up with the devices (tform1_devices.cpp).
  void watchDevices();
  void serialPortsButtonClick();
  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn14Click();
  void BitBtn12Click();
  void BitBtn2Click();
  void BitBtn6Click();
  void sendAll(bool withLogo);
  // Brings the progress dialog's time left up to date (repainted at once when it changed).
  void showTimeLeft();
  // What the jobs send, read from the controls.
  std::uint8_t readOptionByte() const;
  CutMode readCutMode() const;
  ByteList logoData() const;
  // Runs `plan` under the progress dialog; a run that opened the port sets printerChanged.
  // A lost line is reported as the operator reads it.
  void runJobs(const RunPlan& plan);

  // JobPort and JobProgress: the window's port and progress dialog for the jobs.
  void OpenPort() override;
  void ClosePort() override;
  void showProgress() override;
  void hideProgress() override;
  void setProgressMax(int maximum) override;
  void setProgressPosition(int position) override;
  void processMessages() override;
  [[nodiscard]] bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) override;
  bool lineLost() override;

  // --- Configuration files ---
  void BitBtn4Click();
  void BitBtn5Click();
  // "Abrir" once the name is known: the dialog's answer or the name on the command line.
  void openPair(const QString& path);
  void Salvardados();
  // True when the pair was read and applied; false when it could not be read, which has
  // been shown to the operator and changed nothing. A malformed file throws.
  bool CARREGARDADOS();
  GlobalSettings globalSettingsFromControls() const;
  void applyGlobalSettings(const GlobalSettings& g);
  void showOpenFailure();

  Dialogs& dialogs() { return *dialogs_; }
  Pacer& pacer() { return *pacer_; }

  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<Pacer> pacer_;
  TForm2* Form2_ = nullptr;
  TQRTComm32* QRTComm321 = nullptr;
  // The run under way, for the progress dialog's time left; null between runs.
  const RunPlan* runPlan_ = nullptr;
  const RunReport* runReport_ = nullptr;
  std::int64_t shownTimeLeft_ = -1;  // the seconds Label4 of the progress dialog shows; -1 none
  bool jobRunning_ = false;
};

}  // namespace vx
