#pragma once
// The main window "Configurações da impressora VORLANDEX". It owns the configuration model,
// every control, the serial port, the timers and the logo pictures. Its handlers are thin:
// they read controls, call the core (model, protocol, logo, config) and write controls.
// The handlers live in files by region: tform1.cpp (layout and start-up), tform1_editor.cpp
// (button page, ticket lines, preview), tform1_jobs.cpp (transmissions), tform1_logo.cpp
// (logo box and raster), tform1_file.cpp (configuration files and the close prompt).

#include "app/controls.h"
#include "app/dialogs.h"
#include "app/logo_drop.h"
#include "config/config_text.h"
#include "logo/logo_raster.h"
#include "logo/source_picture.h"
#include "model/config_model.h"
#include "protocol/frames.h"
#include "protocol/job_host.h"
#include "protocol/pacer.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

namespace vx {

class TForm2;
class TQRTComm32;
class TimeLeft;

class TForm1 : public QWidget, public JobHost {
  Q_OBJECT
 public:
  // `dialogs` and `pacer` default to the real message boxes and the steady clock.
  explicit TForm1(std::unique_ptr<Dialogs> dialogs = nullptr, std::unique_ptr<Pacer> pacer = nullptr,
                  QWidget* parent = nullptr);
  ~TForm1() override;

  // The progress dialog, created right after the main window.
  TForm2* Form2 = nullptr;

  ConfigModel model;

  // --- Command row ---
  QPushButton* BitBtn5;  // "Abrir"
  QPushButton* BitBtn4;  // "Salvar"
  QPushButton* BitBtn2;  // "Enviar Todas as Configurações Para Impressora"
  QPushButton* BitBtn6;  // "Enviar sem logo"
  QPushButton* BitBtn3;  // "Configurar Hora e Data"
  QLabel* Label27;  // "Porta Serial:"
  ComboBox* ComboBox1;
  QPushButton* serialPortsButton;  // opens "Portas seriais"
  CheckBox* CheckBox4;  // "Emitir bip ao imprimir"
  CheckBox* CheckBox2;  // "Zerar todas senhas automaticamente ao fim do dia"
  CheckBox* CheckBox7;  // "Imprime 2 vias"

  TabBar* PageControl1;

  // --- Button frame ---
  QGroupBox* GroupBox1;  // "Configurações do Botão"
  Image* Image10;
  Image* Image11;
  Image* Image12;
  Image* Image13;
  Image* Image14;
  QLabel* Label35;
  QLabel* Label30;
  QLabel* Label31;  // "Atendimento"
  ComboBox* ComboBox5;
  QLabel* Label32;  // "Imprimir letra:"
  ComboBox* ComboBox6;
  QLabel* Label33;  // "Inicia em :"
  SpinEdit* SpinEdit12;
  QLabel* Label34;  // "Termina em :"
  SpinEdit* SpinEdit13;
  QPushButton* BitBtn1;

  // --- Logo frame ---
  QGroupBox* Label28;  // "Configuração de Logotipo (Todos Botões)"
  QPushButton* BitBtn15;  // "Abrir imagem"
  QPushButton* BitBtn11;  // "Atualizar imagem"
  QLabel* Label24;  // "Contraste:"
  ScrollBar* ScrollBar3;
  QLabel* Label25;  // "Zoom"
  ScrollBar* ScrollBar1;
  ScrollBar* ScrollBar2;
  Image* Image3;
  Image* Image1;
  QPushButton* BitBtn12;
  CheckBox* CheckBox1;  // "Imprimir Logotipo"
  QLabel* blackShareLabel;  // "Preto: 18 %", beside the contrast control
  QPushButton* suggestButton;  // "Sugerir"
  LogoDropTarget* logoDrop;  // drops on the logo frame and box

  // --- Text frame ---
  QGroupBox* GroupBox3;  // "Configurações de Texto"
  QLabel* Label2;
  QLabel* Label3;  // "Informações do Cabeçalho"
  QLabel* Label4;  // "Informações do Rodapé"
  LineEdit* Edit6;
  LineEdit* Edit7;
  LineEdit* Edit8;
  LineEdit* Edit9;
  LineEdit* Edit10;
  LineEdit* Edit11;
  LineEdit* Edit12;
  LineEdit* Edit13;
  CheckBox* CheckBox5;
  CheckBox* CheckBox8;
  CheckBox* CheckBox11;
  CheckBox* CheckBox14;
  CheckBox* CheckBox17;
  CheckBox* CheckBox20;
  CheckBox* CheckBox23;
  CheckBox* CheckBox26;
  CheckBox* CheckBox3;
  CheckBox* CheckBox6;
  CheckBox* CheckBox9;
  CheckBox* CheckBox12;
  CheckBox* CheckBox15;
  CheckBox* CheckBox18;
  CheckBox* CheckBox21;
  CheckBox* CheckBox24;
  QGroupBox* GroupBox2;  // "Corte do papel"
  RadioButton* RadioButton1;  // "Corte Parcial"
  RadioButton* RadioButton2;  // "Corte Total"
  QPushButton* BitBtn14;

  // --- Preview frame ---
  QGroupBox* GroupBox4;  // "Pré-visualização da Senha"
  QLabel* Label1;
  Image* Image5;
  Image* Image2;
  Image* Image4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QLabel* Label9;
  QLabel* Label10;
  QLabel* Label11;
  QLabel* Label12;
  QLabel* Label13;  // "SENHA"
  Image* Image6;
  QLabel* Label15;

  // --- Not visible ---
  QListWidget* ListBox2;
  QPushButton* BitBtn17;
  QTimer* Timer1;
  QTimer* Timer2;
  QTimer* Timer3;
  TQRTComm32* QRTComm321;

  // The eight ticket lines' controls, indexed 1..8 (element 0 unused).
  std::array<LineEdit*, 9> lineEdit{};
  std::array<CheckBox*, 9> lineEnabled{};
  std::array<CheckBox*, 9> lineExpanded{};
  std::array<QLabel*, 9> lineLabel{};

  // Logo: the source picture held by Image1 (with the bytes of the file it came from,
  // if any) and the logo raster held by Image2.
  SourcePicture sourcePicture;
  LogoRaster logoRaster;
  // Replaces the source picture and shows it in the logo box.
  void setSourcePicture(SourcePicture picture);

  Dialogs& dialogs() { return *dialogs_; }
  // Shows what no handler catches in an error box titled after the executable's name.
  void installErrorReport(const QString& executablePath);
  Pacer& pacer() { return *pacer_; }

  // --- Start-up and close ---
  void FormCreate();
  // Close query (may refuse) then the close handler.
  bool FormCloseQuery();
  void FormClose();

  // --- Button page ---
  void PageControl1Change();
  void Image10MouseDown(int x, int y);
  void Image11Click();
  void Image12Click();
  void Image13Click();
  void Image14Click();
  void SpinEdit12Change();
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
  void atualiza_senha();
  void Timer1Timer();

  // --- Logo ---
  void ScrollBar1Change();
  void ScrollBar2Change();
  void ScrollBar3Change();
  void CheckBox1Click();
  void BitBtn11Click();
  void BitBtn15Click();
  void Timer2Timer();
  // Reads a picture file into the source picture and updates the raster, as "Abrir imagem"
  // does once its dialog is confirmed; a file that cannot be used throws before anything
  // changes. Also run for a file dropped on the logo.
  void openPictureFile(const QString& name);
  // "Sugerir": sets the contrast control to the threshold suggested for the picture as the
  // box shows it; nothing else changes.
  void suggestButtonClick();
  // Shows the share of black dots of the raster's rows 0..H − 1.
  void showBlackShare();

  // --- Transmissions ---
  void ComboBox1Change();
  void serialPortsButtonClick();
  void BitBtn1Click();
  void BitBtn3Click();
  void BitBtn14Click();
  void BitBtn12Click();
  void BitBtn2Click();
  void BitBtn6Click();
  bool jobRunning() const { return jobRunning_; }

  // --- Configuration files ---
  void BitBtn4Click();
  void BitBtn5Click();
  void Salvardados();
  // True when the pair was read and applied; false when it could not be read, which has
  // been shown to the operator and changed nothing. A malformed file throws.
  bool CARREGARDADOS();
  void Timer3Timer();
  // Opens the pair at `path` as "Abrir" does once the operator has chosen it (the program's
  // command line: what the file manager passes).
  void openFromCommandLine(const QString& path);
  QString openDialogName;  // OpenDialog1's last name
  QString saveDialogName;  // SaveDialog1's last name
  QString pictureDialogName;  // OpenPictureDialog1's last name

  // JobHost: what the transmission jobs use of the window.
  void OpenPort() override;
  bool SendData(const std::uint8_t* data, std::uint16_t length) override;
  void ClosePort() override;
  void showProgress() override;
  void hideProgress() override;
  void setProgressMax(int maximum) override;
  void setProgressPosition(int position) override;
  void processMessages() override;
  bool sendAfterPause(const std::uint8_t* data, std::uint16_t length, int pause_ms) override;
  bool lineLost() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  void createPort();
  void destroyPort();
  static std::unique_ptr<Pacer> makeSteadyPacerForWindow();
  void wireHandlers();
  void copyLinesToModel(int button);
  void sendAll(bool withLogo);
  // Brings the progress dialog's time left up to date (repainted at once when it changed).
  void showTimeLeft();
  // What the jobs read from the controls when they send it.
  std::uint8_t readOptionByte() const;
  CutMode readCutMode() const;
  ByteList logoData() const;
  GlobalSettings globalSettingsFromControls() const;
  void showOpenFailure();
  void showLogoBox();

  std::unique_ptr<Dialogs> dialogs_;
  std::unique_ptr<Pacer> pacer_;
  // The jobs' clock: pacer_, counting the pauses for the time left.
  std::unique_ptr<TimeLeft> timeLeft_;
  std::int64_t shownTimeLeft_ = -1;  // the seconds Label4 of the progress dialog shows; -1 none
  bool jobRunning_ = false;
};

}  // namespace vx
