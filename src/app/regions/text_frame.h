#pragma once
// The frame "Configurações de Texto": the eight ticket lines of the current button (text,
// "Habilitar linha", "Expandido"), four under "Informações do Cabeçalho" and four under
// "Informações do Rodapé", the paper cut choice and the text command.

#include "app/widgets/controls.h"
#include "model/config_model.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace vx {

class ControlFactory;

// One ticket line's controls: its text and, under it, its two boxes.
struct TicketLineControls {
  LineEdit* text = nullptr;
  CheckBox* enabled = nullptr;   // "Habilitar linha"
  CheckBox* expanded = nullptr;  // "Expandido": double width, half the characters
};

struct TextFrame {
  Q_DECLARE_TR_FUNCTIONS(TextFrame)

 public:
  QGroupBox* textSettingsGroup = nullptr;
  QLabel* textTitleLabel = nullptr;                    // "Senha Emitida Pelo Botão n"
  QLabel* headerLabel = nullptr;                       // over lines 1..4
  QLabel* footerLabel = nullptr;                       // over lines 5..8
  std::array<TicketLineControls, kLines + 1> lines{};  // lines 1..8 (element 0 unused)
  QGroupBox* paperCutGroup = nullptr;
  RadioButton* partialCutButton = nullptr;
  RadioButton* totalCutButton = nullptr;
  QPushButton* sendTextsButton = nullptr;

  void createTextFrame(ControlFactory& make);

 private:
  void createLine(ControlFactory& make, int line);
};

}  // namespace vx
