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

struct TextFrame {
  Q_DECLARE_TR_FUNCTIONS(TextFrame)

 public:
  QGroupBox* GroupBox3 = nullptr;  // "Configurações de Texto"
  QLabel* Label2 = nullptr;  // "Senha Emitida Pelo Botão n"
  QLabel* Label3 = nullptr;  // "Informações do Cabeçalho"
  QLabel* Label4 = nullptr;  // "Informações do Rodapé"
  LineEdit* Edit6 = nullptr;  // lines 1..8: Edit6..Edit13
  LineEdit* Edit7 = nullptr;
  LineEdit* Edit8 = nullptr;
  LineEdit* Edit9 = nullptr;
  LineEdit* Edit10 = nullptr;
  LineEdit* Edit11 = nullptr;
  LineEdit* Edit12 = nullptr;
  LineEdit* Edit13 = nullptr;
  CheckBox* CheckBox5 = nullptr;  // "Habilitar linha" of lines 1..8: CheckBox5, 8, … 26
  CheckBox* CheckBox8 = nullptr;
  CheckBox* CheckBox11 = nullptr;
  CheckBox* CheckBox14 = nullptr;
  CheckBox* CheckBox17 = nullptr;
  CheckBox* CheckBox20 = nullptr;
  CheckBox* CheckBox23 = nullptr;
  CheckBox* CheckBox26 = nullptr;
  CheckBox* CheckBox3 = nullptr;  // "Expandido" of lines 1..8: CheckBox3, 6, … 24
  CheckBox* CheckBox6 = nullptr;
  CheckBox* CheckBox9 = nullptr;
  CheckBox* CheckBox12 = nullptr;
  CheckBox* CheckBox15 = nullptr;
  CheckBox* CheckBox18 = nullptr;
  CheckBox* CheckBox21 = nullptr;
  CheckBox* CheckBox24 = nullptr;
  QGroupBox* GroupBox2 = nullptr;  // "Corte do papel"
  RadioButton* RadioButton1 = nullptr;  // "Corte Parcial"
  RadioButton* RadioButton2 = nullptr;  // "Corte Total"
  QPushButton* BitBtn14 = nullptr;  // "Enviar Configurações de Texto do Botão"

  // The eight lines' controls, indexed 1..8 (element 0 unused).
  std::array<LineEdit*, kLines + 1> lineEdit{};
  std::array<CheckBox*, kLines + 1> lineEnabled{};
  std::array<CheckBox*, kLines + 1> lineExpanded{};

  void createTextFrame(ControlFactory& make);

 private:
  void createLine(ControlFactory& make, int line);
};

}  // namespace vx
