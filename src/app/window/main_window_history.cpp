// One history for the whole window: every operator action that changes what the pair holds
// is a step; undo and redo put the window back in the state before or after it, through the
// same filling of the controls as opening a pair, and show where the step was made.

#include <QAbstractSpinBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "app/window/main_window.h"
#include "logo/logo_preview.h"

namespace vx {
namespace {

bool isButtonControl(EditedControl c) {
  switch (c) {
    case EditedControl::Letter:
    case EditedControl::PrintLetter:
    case EditedControl::FirstNumber:
    case EditedControl::LastNumber:
    case EditedControl::LineText:
    case EditedControl::LineEnabled:
    case EditedControl::LineExpanded:
      return true;
    default:
      return false;
  }
}

enum class HistoryKey { None, Undo, Redo };

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo on every platform, beside the platform's own keys.
HistoryKey historyKey(const QKeyEvent& e) {
  const QKeyCombination k(e.modifiers() & ~Qt::KeypadModifier, Qt::Key(e.key()));
  if (k == (Qt::CTRL | Qt::Key_Z)) return HistoryKey::Undo;
  if (k == (Qt::CTRL | Qt::Key_Y) || k == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) return HistoryKey::Redo;
  if (e.matches(QKeySequence::Undo)) return HistoryKey::Undo;
  if (e.matches(QKeySequence::Redo)) return HistoryKey::Redo;
  return HistoryKey::None;
}

// A caption of Qt's own, in Qt's own translation (not the program's catalogue).
QString qtText(const char* context, const char* text) { return QCoreApplication::translate(context, text); }

}  // namespace

PairState MainWindow::pairState() const {
  PairState s;
  s.model = pairTables(model);
  s.globals = globalSettingsFromControls();
  s.twoCopies = twoCopiesBox->isChecked();
  s.savedLogoHeight = savedLogoHeight;
  s.picture = sourcePicture;
  s.raster = logoRaster;
  return s;
}

Handler MainWindow::recorded(EditedControl control, int line, Handler handler) {
  return [this, control, line, handler = std::move(handler)] {
    // Only the operator's own action is a step; what the program sets off while it fills the
    // controls (a page switch, an open, an undo) belongs to that action.
    if (!recording_ || !isOutermostHandler()) {
      if (handler) handler();
      return;
    }
    const EditPlace place{control, isButtonControl(control) ? model.currentButton : 0, line};
    const PairState before = stateBeforeEdit();
    try {
      if (handler) handler();
    } catch (...) {
      // What changed before the failure stays in the window: it can be undone too.
      recordEdit(place, before);
      throw;
    }
    recordEdit(place, before);
  };
}

PairState MainWindow::stateBeforeEdit() const {
  PairState s = stepEnd_;
  s.model = pairTables(model);
  s.savedLogoHeight = savedLogoHeight;
  s.picture = sourcePicture;
  s.raster = logoRaster;
  return s;
}

void MainWindow::recordEdit(const EditPlace& place, const PairState& before) {
  stepEnd_ = pairState();
  if (history_.record(place, before, stepEnd_)) pairChanged();
}

void MainWindow::undoEdit() {
  if (jobRunning_) return;
  const EditStep* step = history_.undo();
  if (!step) return;
  const PairState state = step->before;
  const EditPlace place = step->place;
  applyPairState(state, place);
}

void MainWindow::redoEdit() {
  if (jobRunning_) return;
  const EditStep* step = history_.redo();
  if (!step) return;
  const PairState state = step->after;
  const EditPlace place = step->place;
  applyPairState(state, place);
}

void MainWindow::applyPairState(const PairState& state, const EditPlace& place) {
  const GlobalSettings& g = state.globals;
  {
    LoadingScope loading(model);
    applyPairTables(model, state);
    sourcePicture = state.picture;
    logoRaster = state.raster;

    if (portList->itemIndex() != g.port_index) {
      portList->setItemIndex(g.port_index >= 0 && g.port_index < portList->count() ? g.port_index : -1);
      choosePort();
    }
    resetAtDayEndBox->setChecked(g.reset_at_day_end);
    beepBox->setChecked(g.beep);
    twoCopiesBox->setChecked(state.twoCopies);
    partialCutButton->setChecked(g.partial_cut);
    totalCutButton->setChecked(g.total_cut);
    // The logo switch first: its handler moves the height bar and the kept height, which
    // are then set as they were.
    printLogoBox->setChecked(g.print_logo);
    logoHeightBar->setEnabled(g.print_logo);
    logoHeightBar->setMinimum(g.print_logo ? kMinLogoHeight : 0);
    savedLogoHeight = state.savedLogoHeight;
    logoHeightBar->setValue(g.logo_height);
    logoWidthBar->setValue(g.logo_width);
    contrastBar->setValue(g.threshold);
  }
  showLogoBox();
  logoPreview->setPicture(logoRaster.image());
  showBlackShare();

  // The page of the step's button comes forward (the current one for a global option) and
  // shows the tables as they now are.
  const int button =
      place.button >= 1 && place.button <= kPrinterButtons ? place.button : model.currentButton;
  buttonTabs->setTabIndex(button - 1);
  showSelectedButton();
  updateTicketPreview();
  if (QWidget* w = editedControl(place)) w->setFocus(Qt::OtherFocusReason);
  stepEnd_ = pairState();
  history_.seal();
  pairChanged();
}

QWidget* MainWindow::editedControl(const EditPlace& place) const {
  const int l = std::clamp(place.line, 1, kLines);
  switch (place.control) {
    case EditedControl::Letter:
      return letterList;
    case EditedControl::PrintLetter:
      return printLetterList;
    case EditedControl::FirstNumber:
      return firstNumberBox;
    case EditedControl::LastNumber:
      return lastNumberBox;
    case EditedControl::LineText:
      return lines[l].text;
    case EditedControl::LineEnabled:
      return lines[l].enabled;
    case EditedControl::LineExpanded:
      return lines[l].expanded;
    case EditedControl::Port:
      return portList;
    case EditedControl::Beep:
      return beepBox;
    case EditedControl::ResetAtDayEnd:
      return resetAtDayEndBox;
    case EditedControl::TwoCopies:
      return twoCopiesBox;
    case EditedControl::PaperCut:
      return totalCutButton->isChecked() ? totalCutButton : partialCutButton;
    case EditedControl::LogoPicture:
      return openPictureButton;
    case EditedControl::LogoWidth:
      return logoWidthBar;
    case EditedControl::LogoHeight:
      return logoHeightBar;
    case EditedControl::Contrast:
      return contrastBar;
    case EditedControl::SuggestContrast:
      return suggestButton;
    case EditedControl::UpdateLogo:
      return updatePictureButton;
    case EditedControl::PrintLogo:
      return printLogoBox;
  }
  return nullptr;
}

void MainWindow::startHistory() {
  stepEnd_ = pairState();
  history_.clear();
  pairChanged();
}

void MainWindow::pairChanged() {
  model.unsavedChanges = !history_.isClean();
  // Unsaved work is copied for recovery a moment later; a pair back at its saved state needs no copy.
  if (model.unsavedChanges) {
    scheduleRecoveryWrite();
  } else {
    discardRecoveryCopy();
  }
  const auto showStep = [](QToolButton* button, const EditStep* step, const QString& caption,
                           const QString& nothing) {
    button->setEnabled(step != nullptr);
    button->setToolTip(step ? caption.arg(describeEdit(step->place)) : nothing);
  };
  showStep(undoButton, history_.nextUndo(), tr("Desfazer: %1"), tr("Nada a desfazer"));
  showStep(redoButton, history_.nextRedo(), tr("Refazer: %1"), tr("Nada a refazer"));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
    const HistoryKey key = historyKey(*static_cast<QKeyEvent*>(event));
    if (key != HistoryKey::None) {
      // Taken from the control's own handling: a text field would undo its own typing
      // beside the window's history. The key press itself then comes here.
      event->accept();
      if (type == QEvent::KeyPress)
        runHandler([this, key] { key == HistoryKey::Undo ? undoEdit() : redoEdit(); });
      return true;
    }
  }
  if (type == QEvent::ContextMenu && showEditMenu(watched, *static_cast<QContextMenuEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

// A text or number field's own menu, but its "Undo" and "Redo" are the window's: the field's
// private history would undo behind the window's back. A number field keeps its steps.
bool MainWindow::showEditMenu(QObject* watched, const QContextMenuEvent& event) {
  auto* spin = qobject_cast<QAbstractSpinBox*>(watched);
  if (spin == nullptr && watched->parent() != nullptr)
    spin = qobject_cast<QAbstractSpinBox*>(watched->parent());
  auto* edit = spin != nullptr ? spin->findChild<QLineEdit*>() : qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr || !edit->isEnabled()) return false;
  const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
  // Qt names the field's own actions only from 6.5 on: before that, by their (translated) captions.
  const auto isFieldAction = [](const QAction* action, QLatin1String name, const QString& caption) {
    return action->objectName() == name || action->text().section(QLatin1Char('\t'), 0, 0) == caption;
  };
  for (QAction* action : menu->actions()) {
    const bool undo = isFieldAction(action, QLatin1String("edit-undo"), qtText("QLineEdit", "&Undo"));
    if (!undo && !isFieldAction(action, QLatin1String("edit-redo"), qtText("QLineEdit", "&Redo"))) continue;
    action->disconnect();
    action->setObjectName(undo ? QStringLiteral("edit-undo") : QStringLiteral("edit-redo"));
    action->setEnabled((undo ? history_.nextUndo() : history_.nextRedo()) != nullptr);
    connect(action, &QAction::triggered, this,
            [this, undo] { runHandler([this, undo] { undo ? undoEdit() : redoEdit(); }); });
  }
  if (spin != nullptr && !spin->isReadOnly()) {
    menu->addSeparator();
    QAction* up = menu->addAction(qtText("QAbstractSpinBox", "&Step up"), spin, &QAbstractSpinBox::stepUp);
    QAction* down =
        menu->addAction(qtText("QAbstractSpinBox", "Step &down"), spin, &QAbstractSpinBox::stepDown);
    if (const auto* numbers = qobject_cast<QSpinBox*>(spin)) {
      up->setEnabled(numbers->value() < numbers->maximum());
      down->setEnabled(numbers->value() > numbers->minimum());
    }
  }
  menu->exec(event.globalPos());
  return true;
}

}  // namespace vx
