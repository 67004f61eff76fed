#pragma once
// The window's command row (top 49 pixels): open and save, the send-all and clock commands,
// the serial port list with the button of the serial ports dialog, and the three option
// boxes stacked at the right.

#include "app/widgets/controls.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace vx {

class ControlFactory;

struct CommandRow {
  Q_DECLARE_TR_FUNCTIONS(CommandRow)

 public:
  QPushButton* BitBtn5 = nullptr;  // "Abrir"
  QPushButton* BitBtn4 = nullptr;  // "Salvar"
  QPushButton* BitBtn2 = nullptr;  // "Enviar Todas as Configurações Para Impressora"
  QPushButton* BitBtn6 = nullptr;  // "Enviar sem logo"
  QPushButton* BitBtn3 = nullptr;  // "Configurar Hora e Data"
  QLabel* Label27 = nullptr;  // "Porta Serial:"
  ComboBox* ComboBox1 = nullptr;  // "COM1".."COM4"
  QPushButton* serialPortsButton = nullptr;  // opens "Portas seriais"
  CheckBox* CheckBox4 = nullptr;  // "Emitir bip ao imprimir"
  CheckBox* CheckBox2 = nullptr;  // "Zerar todas senhas automaticamente ao fim do dia"
  CheckBox* CheckBox7 = nullptr;  // "Imprime 2 vias"

  void createCommandRow(ControlFactory& make);
};

}  // namespace vx
