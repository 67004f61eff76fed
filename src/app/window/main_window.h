#pragma once
// The main window "Configurações da impressora VORLANDEX". It owns the configuration model,
// every control, the progress dialog, the serial port, the timers and the logo pictures.
// Its handlers are thin: they read controls, call the core (editor, protocol, logo, config)
// and write controls. The controls are built region by region (src/app/regions) and carry
// object names, by which the tests find them (tests/app/window_driver.h). The handlers live
// in files by area: main_window.cpp (start-up and close), main_window_button_page.cpp,
// main_window_ticket_lines.cpp (the lines and the preview), main_window_logo.cpp,
// main_window_transmissions.cpp, main_window_serial_devices.cpp,
// main_window_config_files.cpp (configuration files, close prompt) and
// main_window_history.cpp (undo and redo), main_window_recovery.cpp (the copy of unsaved work a
// killed run leaves behind).

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QContextMenuEvent;

#include "app/dialogs/dialogs.h"
#include "app/regions/button_frame.h"
#include "app/regions/command_row.h"
#include "app/regions/logo_drop.h"
#include "app/regions/logo_frame.h"
#include "app/regions/preview_frame.h"
#include "app/regions/text_frame.h"
#include "config/config_text.h"
#include "config/recovery_writer.h"
#include "editor/edit_history.h"
#include "logo/logo_raster.h"
#include "logo/source_picture.h"
#include "model/config_model.h"
#include "protocol/frames.h"
#include "protocol/job_port.h"
#include "protocol/pacer.h"
#include "serial/line_settings.h"
#include "serial/serial_backend.h"

namespace vx {

class ProgressDialog;
class SerialLink;
class SerialDeviceWatch;
struct NumberingView;
struct RunPlan;
struct RunReport;

namespace test {
class WindowDriver;
}

class MainWindow : public QWidget,
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
  // clock and this computer's serial devices (DeviceBackend). Creates the controls, runs the start-up, then
  // creates the progress dialog, hidden.
  explicit MainWindow(std::unique_ptr<Dialogs> dialogs = nullptr, std::unique_ptr<Pacer> pacer = nullptr,
                      std::unique_ptr<SerialBackend> serialBackend = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows what no handler catches in an error box titled after the executable's name.
  void installErrorReport(const QString& executablePath);

  // Opens the pair at `path` as "Abrir" does once the operator has chosen it (the program's
  // command line: what the file manager passes).
  void openFromCommandLine(const QString& path);

  // Keeps a copy of the unsaved work in a slot of its own under `folder`, written a moment
  // after each change and removed once the work is saved or given up. First offers, one by
  // one, the copies that runs which ended without closing their window left there: true when
  // the operator recovered one, which the window then holds as unsaved changes. Call once,
  // after the window is shown and before it opens a file. Without this call the window keeps
  // no copy.
  bool startRecovery(const QString& folder);
  // A session's start once the window is shown: the left copies are offered first (startRecovery);
  // then the configuration file the command line named, if any, opens here, or, when
  // recovered work took this window, `openElsewhere` is called for it (main() starts another
  // window on it).
  void beginSession(const QString& recoveryFolder, const QString& configFile,
                    const std::function<void()>& openElsewhere);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Takes the undo and redo keys from every control, text fields included: one history.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The tests' and benchmarks' one way in.
  friend class test::WindowDriver;

  // The progress dialog "Comunicação", a child window of this one for the whole run.
  ProgressDialog& progressDialog() const { return *progressDialog_; }

  ConfigModel model;

  // --- Not visible ---
  QTimer* previewClock;      // every second
  QTimer* firstRasterTimer;  // once, 50 ms after start-up
  // Follows the serial devices for the port list's tip and "Portas seriais"; tests point its
  // by-id folder elsewhere.
  SerialDeviceWatch* deviceWatch = nullptr;
  LogoDropTarget* logoDrop;  // drops on the logo frame and box

  // Logo: the source picture the logo box shows (with the bytes of the file it came from, if
  // any) and the logo raster the preview shows.
  SourcePicture sourcePicture;
  LogoRaster logoRaster;

  // Replaces the source picture and shows it in the logo box.
  void setSourcePicture(SourcePicture picture);
  // Reads a picture file into the source picture and updates the raster, as "Abrir imagem"
  // does once its dialog is confirmed; a file that cannot be used throws before anything
  // changes. Also run for a file dropped on the logo.
  void openPictureFile(const QString& name);

  // Handlers the tests also run through their driver: a press at a point of the button
  // picture, the timers' ticks, the close query, the picture update.
  void chooseButtonAt(int x, int y);
  void updatePreviewClock();
  bool confirmClose();      // may refuse
  void updateLogoRaster();  // "Atualizar imagem"

  // What a screen reader reads of the ticket preview: the ticket's lines as printed, one per
  // line (header lines, "SENHA" with the first number, the date, footer lines).
  QString ticketDescription() const;
  // The names the file dialogs offer next: the last one chosen in each.
  QString openDialogName;
  QString saveDialogName;
  QString pictureDialogName;

  // --- Start-up and close ---
  void createControls();
  void wireHandlers();
  void startUp();
  void showPrinterChangedNotice();

  // --- Button page ---
  // Makes the selected tab's button the current one and fills the page from its tables.
  void showSelectedButton();
  // Stores the page's letter, print choice and numbers into the current button and shows
  // what the numbering rule makes of them.
  void storeNumbering();
  void showNumbering(const NumberingView& view);
  // A button that follows an earlier one takes its numbers: its page is disabled.
  void enableButtonPage();
  void disableButtonPage();

  // --- Ticket lines and preview ---
  void storeAndPreviewLines();
  // A line's "Habilitar linha" or "Expandido" box changed.
  void applyLineEnabled(int line);
  void applyLineExpanded(int line);
  // Copies the eight lines of the page into the current button's tables, unless the window
  // itself is filling the page.
  void storeLines();
  void copyLinesToModel(int button);
  // Lays the ticket preview out from the page's lines and the logo height.
  void updateTicketPreview();

  // --- Logo ---
  void showLogoBox();
  void applyLogoHeight();
  // Holds the logo height at 0 while the logo is off, and restores it when it is on again.
  void applyPrintLogo();
  void choosePicture();
  void computeFirstRaster();
  // "Sugerir": sets the contrast control to the threshold suggested for the picture as the
  // box shows it; nothing else changes.
  void suggestContrast();
  // Shows the share of black dots of the raster's rows 0..H − 1.
  void showBlackShare();

  // --- Recovery ---
  // A change to the pair's content or to its unsaved state (marked, saved, forgotten): the
  // copy follows within kRecoveryDelayMs, never on the changing handler's own path, and is
  // removed instead when the tick finds nothing unsaved. The one call every such change makes.
  void scheduleRecoveryWrite();
  // The delay's end: hands the work to the recovery writer while it is unsaved, else removes
  // the copy.
  void keepRecoveryCopy();
  // The work was saved or given up.
  void discardRecoveryCopy();
  // The window ends: changes still waiting for their copy get it, so that work closed unsaved
  // (a save cancelled at the close prompt) is whole at the next start.
  void finishRecovery();
  // Offers the copy in `slot`; returns the slot when the operator recovered it.
  std::unique_ptr<RecoverySlot> offerRecovery(std::unique_ptr<RecoverySlot> slot);
  void showRecoveryFailure(const QString& failure);
  static constexpr int kRecoveryDelayMs = 1500;
  QTimer* recoveryTimer = nullptr;  // single-shot; made by startRecovery
  std::unique_ptr<RecoveryWriter> recoveryWriter_;
  bool recoveryFailureShown_ = false;
  // The pair last opened or saved, which a recovery copy names.
  QString pairFileName;

  // --- Transmissions ---
  void createPort(std::unique_ptr<SerialBackend> backend);
  void destroyPort();
  static std::unique_ptr<Pacer> makeSteadyPacerForWindow();
  void choosePort();
  // Keeps the port list's tip and "Portas seriais" up with the devices.
  void watchDevices();
  void chooseSerialDevices();
  void sendButtonSettings();
  void sendClock();
  void sendButtonTexts();
  void sendLogo();
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
  void openPort() override;
  void closePort() override;
  void showProgress() override;
  void hideProgress() override;
  void setProgressMax(int maximum) override;
  void setProgressPosition(int position) override;
  void processMessages() override;
  [[nodiscard]] bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) override;
  bool lineLost() override;

  // --- History (main_window_history.cpp) ---
  // What the pair holds now, as the controls, the model and the logo hold it.
  PairState pairState() const;
  // Makes the window hold `state` (as opening a pair fills it), then brings forward the page
  // of `place` and puts the focus on its control.
  void applyPairState(const PairState& state, const EditPlace& place);
  // `handler` as the handler of the control at `control` (and `line`): run by the operator,
  // what it changes in the pair is a step of the history.
  Handler recorded(EditedControl control, int line, Handler handler);
  void recordEdit(const EditPlace& place, const PairState& before);
  void undoEdit();
  bool showEditMenu(QObject* watched, const QContextMenuEvent& event);
  void redoEdit();
  // The one place that follows every change of what the pair holds or of whether it is the
  // pair last saved or opened: run whenever a step is recorded, undone or redone, and when the
  // history starts again or is marked clean. Keeps the unsaved-changes mark and the undo and
  // redo buttons up; a crash copy of the pair belongs here too.
  void pairChanged();
  // Starts a new history from what the window holds now: after start-up and after opening.
  void startHistory();
  QWidget* editedControl(const EditPlace& place) const;

  // What the pair held when the last step ended (or the history started). The options
  // whose value is their control's state have changed already when their handler runs: a
  // step's before takes them from here, the rest (stored by the handlers) from the window.
  PairState stepEnd_;
  PairState stateBeforeEdit() const;
  EditHistory history_;
  bool recording_ = false;  // the operator's edits are steps (off during start-up)
  // The application's focus changes end steps; cut before the window's parts go, as the
  // application still reports the focus leaving them while the window is destroyed.
  QMetaObject::Connection focusWatch_;

  // --- Configuration files ---
  void chooseFileAndSave();
  void chooseFileAndOpen();
  // "Abrir" once the name is known: the dialog's answer or the name on the command line.
  void openPair(const QString& path);
  void saveConfiguration();
  // True when the pair was read and applied; false when it could not be read, which has
  // been shown to the operator and changed nothing. A malformed file throws.
  bool loadConfiguration();
  // Puts a pair that was read and checked in place: the model, the logo, the options, the page.
  void applyConfiguration(const ConfigFileContents& contents, SourcePicture picture);
  // The configuration file's bytes as "Salvar" writes them now.
  QByteArray configTextToSave() const;
  GlobalSettings globalSettingsFromControls() const;
  void applyGlobalSettings(const GlobalSettings& g);
  void showOpenFailure();

  Dialogs& dialogs() { return *dialogs_; }
  Pacer& pacer() { return *pacer_; }

  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<Pacer> pacer_;
  ProgressDialog* progressDialog_ = nullptr;
  SerialLink* serialPort = nullptr;
  // The run under way, for the progress dialog's time left; null between runs.
  const RunPlan* runPlan_ = nullptr;
  const RunReport* runReport_ = nullptr;
  std::int64_t shownTimeLeft_ = -1;  // the seconds the progress dialog shows; -1 none
  bool jobRunning_ = false;
};

}  // namespace vx
