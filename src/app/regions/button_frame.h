#pragma once
// The button selector and the frame "Configurações do Botão": the tab bar, the picture of the
// printer's four buttons with the current one's highlight, the page title, the range label and
// the letter, print, start and end controls, and the settings command.

#include "app/regions/button_panel.h"
#include "app/widgets/controls.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace vx {

class ControlFactory;

struct ButtonFrame {
  Q_DECLARE_TR_FUNCTIONS(ButtonFrame)

 public:
  TabBar* PageControl1 = nullptr;  // TabSheet1..TabSheet4, no pages of their own
  QGroupBox* GroupBox1 = nullptr;  // "Configurações do Botão"
  ButtonPanel* Image10 = nullptr;  // the printer's four buttons
  Image* Image11 = nullptr;  // button 1..4 pressed; only the current one is visible
  Image* Image12 = nullptr;
  Image* Image13 = nullptr;
  Image* Image14 = nullptr;
  QLabel* Label35 = nullptr;  // "Funcionamento do botão n:"
  QLabel* Label30 = nullptr;  // the range text or the button's state
  QLabel* Label31 = nullptr;  // "Atendimento"
  ComboBox* ComboBox5 = nullptr;  // the letter, or "Inativo"
  QLabel* Label32 = nullptr;  // "Imprimir letra:"
  ComboBox* ComboBox6 = nullptr;  // "Imprimir", "Não imprimir"
  QLabel* Label33 = nullptr;  // "Inicia em :"
  SpinEdit* SpinEdit12 = nullptr;
  QLabel* Label34 = nullptr;  // "Termina em :"
  SpinEdit* SpinEdit13 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // "Enviar Todas Configurações de Botões e Atendimento"

  // Image11..Image14 by button number 1..4.
  Image* highlight(int button) const;

  void createButtonFrame(ControlFactory& make);
};

}  // namespace vx
