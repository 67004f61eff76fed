#include "app/command_row.h"

#include "app/control_factory.h"

namespace vx {

void CommandRow::createCommandRow(ControlFactory& make) {
  BitBtn5 = make.button("BitBtn5", QStringLiteral("Abrir"), QStyle::SP_DialogOpenButton, {6, 8, 80, 34});
  BitBtn4 = make.button("BitBtn4", QStringLiteral("Salvar"), QStyle::SP_DialogSaveButton, {90, 8, 80, 34});
  BitBtn2 = make.button("BitBtn2", QStringLiteral("Enviar Todas as Configurações Para Impressora"),
                        QStyle::SP_ArrowUp, {176, 8, 252, 34});
  BitBtn6 = make.button("BitBtn6", QStringLiteral("Enviar sem logo"), QStyle::SP_ArrowUp, {432, 8, 112, 34});
  BitBtn3 = make.button("BitBtn3", QStringLiteral("Configurar Hora e Data"), QStyle::SP_BrowserReload,
                        {548, 8, 150, 34});

  Label27 = make.label("Label27", QStringLiteral("Porta Serial:"), {706, 6, 76, 15});
  ComboBox1 = make.make<ComboBox>(QStringLiteral("ComboBox1"), {706, 22, 58, 22}, true);
  ComboBox1->addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                       QStringLiteral("COM4")});
  ComboBox1->setItemIndex(0);
  serialPortsButton = make.make<QPushButton>(QStringLiteral("serialPortsButton"), {765, 22, 22, 22}, QStringLiteral("…"));
  serialPortsButton->setToolTip(QStringLiteral("Portas seriais"));

  CheckBox4 = make.make<CheckBox>(QStringLiteral("CheckBox4"), {792, 1, 284, 16},
                                  QStringLiteral("Emitir bip ao imprimir"));
  CheckBox2 = make.make<CheckBox>(QStringLiteral("CheckBox2"), {792, 17, 284, 16},
                                  QStringLiteral("Zerar todas senhas automaticamente ao fim do dia"));
  CheckBox7 = make.make<CheckBox>(QStringLiteral("CheckBox7"), {792, 33, 284, 16}, QStringLiteral("Imprime 2 vias"));
  CheckBox4->setChecked(true);
  CheckBox2->setChecked(true);
}

}  // namespace vx
