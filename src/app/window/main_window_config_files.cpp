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

QString configFilter() { return TForm1::tr("Arquivo de configuração") + QStringLiteral(" (*.cfg)|*.cfg"); }
QString openFailureTitle() { return TForm1::tr("Carregue suas configurações"); }

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

void TForm1::BitBtn4Click() {
  const QString name = dialogs().fileDialog(FileDialogKind::SaveConfig, tr("Salvar"),
                                            configFilter(), saveDialogName);
  if (name.isEmpty()) return;
  saveDialogName = name;
  // The unsaved-changes mark is cleared only once the pair is written: a failed save keeps
  // the close prompt protecting the operator's work.
  Salvardados();
  model.unsavedChanges = 0;
}

void TForm1::BitBtn5Click() {
  const QString name = dialogs().fileDialog(FileDialogKind::OpenConfig, tr("Abrir"),
                                            configFilter(), openDialogName);
  if (name.isEmpty()) return;
  openPair(name);
}

void TForm1::openPair(const QString& path) {
  openDialogName = path;
  // Timer3 forgets the marks the loading made through the controls' handlers; after a
  // failed open it must not forget the operator's own unsaved changes.
  if (CARREGARDADOS()) Timer3->start();
}

void TForm1::openFromCommandLine(const QString& path) {
  // A failure is reported as any handler's: the window stays up with its defaults.
  runHandler([this, path] { openPair(path); });
}

void TForm1::Timer3Timer() {
  Timer3->stop();
  model.unsavedChanges = 0;
}

GlobalSettings TForm1::globalSettingsFromControls() const {
  GlobalSettings g;
  g.port_index = ComboBox1->itemIndex();
  g.logo_height = ScrollBar1->value();
  g.logo_width = ScrollBar2->value();
  g.threshold = ScrollBar3->value();
  g.print_logo = CheckBox1->isChecked();
  g.reset_at_day_end = CheckBox2->isChecked();
  g.beep = CheckBox4->isChecked();
  g.partial_cut = RadioButton1->isChecked();
  g.total_cut = RadioButton2->isChecked();
  return g;
}

void TForm1::Salvardados() {
  // A later button keeps the link it had when it was last shown: the file gets the links
  // the page would show for each button.
  updateButtonLinks(model);
  const ConfigFileNames names = configFileNamesForSave(saveDialogName);
  savePair(names.cfg, names.bmp, writeConfigText(model, globalSettingsFromControls()),
           sourcePicture.bitmapFileBytes());
}

void TForm1::showOpenFailure() {
  dialogs().messageBox(
      openFailureTitle(),
      tr("Não foi possível encontrar o arquivo especificado , por favor clique em "
         "\"Abrir Configurações\" e carregue suas configurações novamente."),
      MessageIcon::Warning, MessageButtons::Ok);
}

bool TForm1::CARREGARDADOS() {
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
  const ConfigFileContents contents = parseFileOrThrowReport(cfg.bytes);

  setSourcePicture(std::move(*files.picture));
  {
    LoadingScope loading(model);
    applyConfigButtons(model, contents);
    applyGlobalSettings(contents.globals);
  }
  BitBtn11Click();
  PageControl1Change();
  return true;
}

void TForm1::applyGlobalSettings(const GlobalSettings& g) {
  // The port list shows the stored port without running its handler: the port in use
  // stays the one the operator last picked.
  ComboBox1->setItemIndex(g.port_index >= 0 && g.port_index < ComboBox1->count() ? g.port_index : -1);
  ScrollBar1->setValue(g.logo_height);  // each clamped to the bar's current range
  ScrollBar2->setValue(g.logo_width);
  ScrollBar3->setValue(g.threshold);
  CheckBox1->setChecked(g.print_logo);
  CheckBox2->setChecked(g.reset_at_day_end);
  CheckBox4->setChecked(g.beep);
  RadioButton1->setChecked(g.partial_cut);
  RadioButton2->setChecked(g.total_cut);
  // Switching the logo on restores the height kept while it was off; the file's own
  // height prevails, so a file opens with the logo it was saved with.
  if (g.print_logo) ScrollBar1->setValue(g.logo_height);
}

bool TForm1::FormCloseQuery() {
  if (model.unsavedChanges != 1) return true;
  const MessageAnswer answer = dialogs().messageBox(tr("Salvar alterações"),
                                                    tr("Deseja salvar alterações efetuadas ?"),
                                                    MessageIcon::Question, MessageButtons::YesNoCancel);
  if (answer == MessageAnswer::Yes) {
    // The window closes also when the operator cancels the save dialog; a save that
    // fails keeps it open (the failure is reported and nothing is lost).
    BitBtn4Click();
    return true;
  }
  return answer == MessageAnswer::No;
}

}  // namespace vx
