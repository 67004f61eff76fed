#pragma once
// The two transfers of the printer protocol and the four transmission jobs built on them.
// Every function runs on the window's thread, sends through `host` and paces with `pacer`;
// the jobs follow the job frame: their own preparation, OpenPort, impressora_alterada := 1,
// progress dialog shown, sending, dialog hidden, ClosePort.
// Every hand-over carries the pause the printer needs before it (host.sendAfterPause), for
// the port to keep after its previous write.
// OpenPort's exception leaves a job before anything is shown, sent or marked; the caller
// reports it. A port that refuses bytes or loses its line (host.lineLost(), asked after every
// hand-over and after ClosePort) ends the job with ConnectionLost (connection_lost.h) naming
// it. Should anything throw while the dialog is shown, the dialog is hidden and the port
// closed on the way out.

#include <cstdint>
#include <functional>
#include <vector>
#include <span>

#include "model/config_model.h"
#include "protocol/frames.h"
#include "protocol/job_host.h"
#include "protocol/pacer.h"

namespace vx {

// Register write: "DIMP" and the frame back to back (one 4-byte write each), then 100 ms.
void envia_registro(JobHost& host, Pacer& pacer, std::uint8_t code, std::int32_t value, Width width);

// Block transfer: progress maximum n; 100 ms; "DIMP"; 100 ms when `pauseAfterWord`; the
// block header; each byte as a 1-byte write followed by 12 ms, with the progress position
// following it and the message pump run whenever the time of day (to the second, as the
// system's long time text kept in host.ultimo_segundo) has changed; then "F" at once.
// Throws std::length_error, before sending anything, for a block over kMaxBlockSize bytes.
void envia_bloco(JobHost& host, Pacer& pacer, std::uint8_t code, std::span<const std::uint8_t> bytes,
                 bool pauseAfterWord);

// BitBtn3Click "Configurar Hora e Data": the seven clock registers from one reading of
// pacer.now() taken before the port is opened. About 0.8 s.
void clockJob(JobHost& host, Pacer& pacer, ConfigModel& model);

// BitBtn1Click "Enviar Todas Configurações de Botões e Atendimento": brings the links of
// buttons 1..4 up to date in the model (updateButtonLinks), then sends their letters,
// links, first and last numbers, then the option byte, which `readOptionByte` gives at
// the moment it is sent (see optionByte()). About 1.8 s.
void settingsJob(JobHost& host, Pacer& pacer, ConfigModel& model,
                 const std::function<std::uint8_t()>& readOptionByte);

// BitBtn14Click "Enviar Configurações de Texto do Botão": the header-text block (collected
// before the port is opened, no pause after the word) and the footer-text block (collected
// after, with the cut mode `readCutMode` gives then; 100 ms after the word) of button
// model.botao_atual (1..4). Throws std::length_error before opening the port when a block
// would exceed kMaxBlockSize bytes, std::out_of_range for a button outside 1..4.
void textJob(JobHost& host, Pacer& pacer, ConfigModel& model, const std::function<CutMode()>& readCutMode);

// BitBtn12Click "Enviar Todas Configurações de Logotipo": the already built logo data as
// block 0x00, 100 ms after the word. Throws std::length_error before opening the port when
// the data exceeds kMaxBlockSize bytes.
void logoJob(JobHost& host, Pacer& pacer, ConfigModel& model, std::span<const std::uint8_t> logoData);

// The transmission jobs in the order the send-all commands run them.
enum class JobKind { Settings, Clock, Texts, Logo };

// Which jobs a run sends; the send-all commands send all of them (BitBtn6Click no logo).
struct JobSelection {
  bool settings = true;
  bool clock = true;
  bool texts = true;  // the text job of each button 1..4
  bool logo = true;
  std::uint8_t textButtons = 0x0F;  // with texts: the buttons whose text job runs, bit b-1 for button b
  bool operator==(const JobSelection&) const = default;
};

// Whether a send-all sends the logo job. "Enviar sem logo" (`withLogo` false) leaves it
// out, except while "Imprimir Logotipo" is off: the short logo of no rows then still goes
// last, or the printer would go on printing the logo it was last sent.
inline bool sendAllSendsLogo(bool withLogo, bool printLogo) { return withLogo || !printLogo; }

// One job of a run: its kind and, for a text job, its button (1..4; else 0).
struct RunJob {
  JobKind kind = JobKind::Settings;
  int button = 0;
};
// The jobs `selection` picks, in the order a run sends them: settings, clock, the texts of
// buttons 1..4, logo. The run, its plan and the report of a lost line all list them from here.
std::vector<RunJob> selectedJobs(const JobSelection& selection);

// The jobs `selection` picks, in the send-all order: the settings job, the clock job, the
// text job of buttons 1..4 (botao_atual moves and is given back its value, also when a job
// fails), the logo job (`buildLogoData` is called when it starts). Each job has its own
// frame; a job that throws (a port that cannot be opened, a lost line: ConnectionLost, which
// then also names the jobs that did not run) ends the run there.
void sendJobs(JobHost& host, Pacer& pacer, ConfigModel& model, const JobSelection& selection,
              const std::function<std::uint8_t()>& readOptionByte, const std::function<CutMode()>& readCutMode,
              const std::function<ByteList()>& buildLogoData);

// The jobs of the send-all commands after their confirmation (BitBtn2Click with the logo,
// BitBtn6Click without): the settings job, the clock job, the text job of buttons 1..4
// (botao_atual moves and is given back its value, also when a job fails), then the logo
// job when `buildLogoData` is set (it is called when the logo job starts; "Enviar sem logo"
// sets it too while the logo is switched off, so that the printer drops its old logo). Each
// job has its own frame; a port that cannot be opened ends the run there with its exception,
// a lost line with ConnectionLost, which then also names the jobs that did not run.
void sendAllJobs(JobHost& host, Pacer& pacer, ConfigModel& model,
                 const std::function<std::uint8_t()>& readOptionByte,
                 const std::function<CutMode()>& readCutMode, const std::function<ByteList()>& buildLogoData);

}  // namespace vx
