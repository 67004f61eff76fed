#pragma once
// The button selector and the frame "Configurações do Botão": the tab bar, the picture of the
// printer's four buttons with the current one's highlight, the page title, the range label and
// the letter, print, start and end controls, and the settings command.

#include "app/regions/button_panel.h"
#include "app/widgets/controls.h"
#include "model/config_model.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace vx {

class ControlFactory;

struct ButtonFrame {
  Q_DECLARE_TR_FUNCTIONS(ButtonFrame)

 public:
  TabBar* buttonTabs = nullptr;  // one tab per button, no pages of their own
  QGroupBox* buttonSettingsGroup = nullptr;
  ButtonPanel* buttonPicture = nullptr;  // the printer's four buttons
  // Button 1..4 drawn pressed over the button picture (element 0 unused); only the current
  // button's is visible.
  std::array<Image*, kPrinterButtons + 1> pressedButtons{};
  QLabel* pageTitleLabel = nullptr;  // "Funcionamento do botão n:"
  QLabel* rangeLabel = nullptr;      // the range of ticket numbers, or the button's state
  QLabel* letterLabel = nullptr;
  ComboBox* letterList = nullptr;  // the letter, or "Inativo"
  QLabel* printLetterLabel = nullptr;
  ComboBox* printLetterList = nullptr;  // "Imprimir", "Não imprimir"
  QLabel* firstNumberLabel = nullptr;
  SpinEdit* firstNumberBox = nullptr;
  QLabel* lastNumberLabel = nullptr;
  SpinEdit* lastNumberBox = nullptr;
  QPushButton* sendSettingsButton = nullptr;

  void createButtonFrame(ControlFactory& make);
};

}  // namespace vx
