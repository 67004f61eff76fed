#include "app/regions/command_row.h"

#include "app/widgets/control_factory.h"

#include <QKeySequence>

namespace vx {

void CommandRow::createCommandRow(ControlFactory& make) {
  BitBtn5 = make.button("BitBtn5", tr("Abrir"), QStyle::SP_DialogOpenButton, {6, 8, 80, 34});
  BitBtn4 = make.button("BitBtn4", tr("Salvar"), QStyle::SP_DialogSaveButton, {90, 8, 80, 34});
  BitBtn2 = make.button("BitBtn2", tr("Enviar Todas as Configurações Para Impressora"),
                        QStyle::SP_ArrowUp, {176, 8, 252, 34});
  BitBtn6 = make.button("BitBtn6", tr("Enviar sem logo"), QStyle::SP_ArrowUp, {432, 8, 112, 34});
  // The send-all pair's captions fill their buttons: a smaller arrow leaves the words room.
  BitBtn2->setIconSize(QSize(10, 10));
  BitBtn6->setIconSize(QSize(10, 10));
  // The captions stay as they are; the standard shortcuts are named in the tool tips.
  const auto withShortcut = [](const QString& tip, QKeySequence::StandardKey key) {
    return tip + QStringLiteral(" (") + QKeySequence(key).toString(QKeySequence::NativeText) + QLatin1Char(')');
  };
  BitBtn5->setToolTip(withShortcut(tr("Abrir um arquivo de configuração"), QKeySequence::Open));
  BitBtn4->setToolTip(withShortcut(tr("Salvar as configurações num arquivo"), QKeySequence::Save));
  BitBtn3 = make.button("BitBtn3", tr("Configurar Hora e Data"), QStyle::SP_BrowserReload,
                        {548, 8, 150, 34});

  Label27 = make.label("Label27", tr("Porta Serial:"), {706, 6, 76, 15});
  ComboBox1 = make.make<ComboBox>(QStringLiteral("ComboBox1"), {706, 22, 58, 22}, true);
  ComboBox1->addItems({QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"),
                       QStringLiteral("COM4")});
  ComboBox1->setItemIndex(0);
  serialPortsButton = make.make<QPushButton>(QStringLiteral("serialPortsButton"), {765, 22, 22, 22}, QStringLiteral("…"));
  serialPortsButton->setToolTip(tr("Portas seriais"));
  serialPortsButton->setAccessibleName(tr("Portas seriais"));
  Label27->setBuddy(ComboBox1);
  // The focus goes to the list's text field, which a screen reader names on its own.
  ComboBox1->lineEdit()->setAccessibleName(tr("Porta Serial"));

  CheckBox4 = make.make<CheckBox>(QStringLiteral("CheckBox4"), {792, 1, 284, 16},
                                  tr("Emitir bip ao imprimir"));
  CheckBox2 = make.make<CheckBox>(QStringLiteral("CheckBox2"), {792, 17, 284, 16},
                                  tr("Zerar todas senhas automaticamente ao fim do dia"));
  CheckBox7 = make.make<CheckBox>(QStringLiteral("CheckBox7"), {792, 33, 284, 16}, tr("Imprime 2 vias"));
  CheckBox4->setChecked(true);
  CheckBox2->setChecked(true);
}

}  // namespace vx
