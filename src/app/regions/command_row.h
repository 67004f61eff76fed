#pragma once
// The window's command row (top 49 pixels): open and save, the send-all and clock commands,
// the serial port list with the button of the serial ports dialog, and the three option
// boxes stacked at the right.

#include "app/widgets/controls.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace vx {

class ControlFactory;

struct CommandRow {
  Q_DECLARE_TR_FUNCTIONS(CommandRow)

 public:
  QPushButton* openButton = nullptr;
  QPushButton* saveButton = nullptr;
  QPushButton* sendAllButton = nullptr;
  QPushButton* sendAllWithoutLogoButton = nullptr;
  QPushButton* setClockButton = nullptr;
  QLabel* portLabel = nullptr;
  ComboBox* portList = nullptr;              // COM1..COM4
  QPushButton* serialPortsButton = nullptr;  // opens "Portas seriais"
  CheckBox* beepBox = nullptr;
  CheckBox* resetAtDayEndBox = nullptr;
  CheckBox* twoCopiesBox = nullptr;
  // Help, undo and redo, at the right end of the button tabs' row.
  QToolButton* helpButton = nullptr;  // opens the handbook's contents
  QToolButton* undoButton = nullptr;
  QToolButton* redoButton = nullptr;

  void createCommandRow(ControlFactory& make);
};

}  // namespace vx
