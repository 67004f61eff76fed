// The configuration file pair: save, open, and the close prompt.

#include "app/window/main_window.h"
#include "config/config_file_names.h"
#include "config/config_io.h"
#include "config/config_pair.h"
#include "config/config_text.h"
#include "editor/button_links.h"
#include "logo/source_picture.h"

namespace vx {
namespace {

QString configFilter() {
  return MainWindow::tr("Arquivo de configuração") + QStringLiteral(" (*.cfg)|*.cfg");
}
QString openFailureTitle() { return MainWindow::tr("Carregue suas configurações"); }

// Reads the file's text; a malformed or short file ends the open command through the
// general error report. Both of its texts are shown as full sentences ("'x' is not a valid
// integer value.", "List index out of bounds (0).").
ConfigFileContents parseFileOrThrowReport(const QByteArray& bytes) {
  try {
    return parseConfigText(bytes);
  } catch (const ConfigReadError& e) {
    QString text = e.message();
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    throw std::runtime_error(text.toStdString());
  }
}

}  // namespace

void MainWindow::chooseFileAndSave() {
  const QString name = dialogs().fileDialog(FileDialogKind::SaveConfig, tr("Salvar"),
                                            configFilter(), saveDialogName);
  if (name.isEmpty()) return;
  saveDialogName = name;
  // The unsaved-changes mark is cleared only once the pair is written: a failed save keeps
  // the close prompt protecting the operator's work.
  saveConfiguration();
  history_.setClean();
  pairChanged();
  pairFileName = configFileNamesForSave(name).cfg;
  discardRecoveryCopy();
}

void MainWindow::chooseFileAndOpen() {
  const QString name = dialogs().fileDialog(FileDialogKind::OpenConfig, tr("Abrir"),
                                            configFilter(), openDialogName);
  if (name.isEmpty()) return;
  openPair(name);
}

void MainWindow::openPair(const QString& path) {
  openDialogName = path;
  // An opened pair starts a new history; a failed open changed nothing and keeps it.
  if (loadConfiguration()) {
    pairFileName = path;
    startHistory();
  }
}

void MainWindow::openFromCommandLine(const QString& path) {
  // A failure is reported as any handler's: the window stays up with its defaults.
  runHandler([this, path] { openPair(path); });
}

GlobalSettings MainWindow::globalSettingsFromControls() const {
  GlobalSettings g;
  g.port_index = portList->itemIndex();
  g.logo_height = logoHeightBar->value();
  g.logo_width = logoWidthBar->value();
  g.threshold = contrastBar->value();
  g.print_logo = printLogoBox->isChecked();
  g.reset_at_day_end = resetAtDayEndBox->isChecked();
  g.beep = beepBox->isChecked();
  g.partial_cut = partialCutButton->isChecked();
  g.total_cut = totalCutButton->isChecked();
  return g;
}

void MainWindow::saveConfiguration() {
  // A later button keeps the link it had when it was last shown: the file gets the links
  // the page would show for each button.
  updateButtonLinks(model);
  const ConfigFileNames names = configFileNamesForSave(saveDialogName);
  savePair(names.cfg, names.bmp, configTextToSave(), sourcePicture.bitmapFileBytes());
}

QByteArray MainWindow::configTextToSave() const {
  // What the save writes without changing what the page keeps (see saveConfiguration).
  ConfigModel linked = model;
  updateButtonLinks(linked);
  return writeConfigText(linked, globalSettingsFromControls());
}

void MainWindow::showOpenFailure() {
  dialogs().messageBox(
      openFailureTitle(),
      tr("Não foi possível encontrar o arquivo especificado , por favor clique em "
         "\"Abrir Configurações\" e carregue suas configurações novamente."),
      MessageIcon::Warning, MessageButtons::Ok);
}

bool MainWindow::loadConfiguration() {
  ConfigPairFiles files = readConfigPairFiles(openDialogName);
  const FileReadResult& cfg = files.cfg;
  if (cfg.status == FileReadResult::Status::kTooLarge) {
    dialogs().messageBox(openFailureTitle(), cfg.error, MessageIcon::Warning, MessageButtons::Ok);
  } else if (!cfg.ok()) {
    showOpenFailure();
  }
  if (!files.picture) showOpenFailure();
  // A pair that cannot be read applies nothing, not even a logo file that loaded: the
  // next save would write that picture under settings it does not belong to.
  if (!files.ok()) return false;

  // The whole file is checked before anything is applied: a malformed or short file is
  // reported and changes nothing, not even the picture.
  applyConfiguration(parseFileOrThrowReport(cfg.bytes), std::move(*files.picture));
  return true;
}

void MainWindow::applyConfiguration(const ConfigFileContents& contents, SourcePicture picture) {
  setSourcePicture(std::move(picture));
  {
    LoadingScope loading(model);
    applyConfigButtons(model, contents);
    applyGlobalSettings(contents.globals);
  }
  updateLogoRaster();
  showSelectedButton();
}

void MainWindow::applyGlobalSettings(const GlobalSettings& g) {
  // The port in use is the one the list shows: a list showing the file's port while the jobs
  // went to the port picked before would send a printer's settings to another printer. A file
  // without a port keeps the port in use.
  portList->setItemIndex(g.port_index >= 0 && g.port_index < portList->count() ? g.port_index : -1);
  choosePort();
  logoHeightBar->setValue(g.logo_height);  // each clamped to the bar's current range
  logoWidthBar->setValue(g.logo_width);
  contrastBar->setValue(g.threshold);
  printLogoBox->setChecked(g.print_logo);
  resetAtDayEndBox->setChecked(g.reset_at_day_end);
  beepBox->setChecked(g.beep);
  partialCutButton->setChecked(g.partial_cut);
  totalCutButton->setChecked(g.total_cut);
  // Switching the logo on restores the height kept while it was off; the file's own
  // height prevails, so a file opens with the logo it was saved with.
  if (g.print_logo) logoHeightBar->setValue(g.logo_height);
}

bool MainWindow::confirmClose() {
  if (history_.isClean()) {
    discardRecoveryCopy();
    return true;
  }
  const MessageAnswer answer = dialogs().messageBox(tr("Salvar alterações"),
                                                    tr("Deseja salvar alterações efetuadas ?"),
                                                    MessageIcon::Question, MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::Yes) {
    // The window closes also when the operator cancels the save dialog; a save that
    // fails keeps it open (the failure is reported and nothing is lost).
    chooseFileAndSave();
    return true;
  }
  if (answer != MessageAnswer::No) return false;
  discardRecoveryCopy();
  return true;
}

}  // namespace vx
