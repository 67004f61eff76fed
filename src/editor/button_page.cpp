#include "editor/button_page.h"

#include "model/cp1252.h"

#include <QCoreApplication>

namespace vx {

const QStringList& letterItems() {
  static const QStringList items = {"A", "b", "C", "d", "E", "F", "G", "H", "i", "J",
                                    "L", "n", "o", "P", "q", "r", "t", "U", "Inativo"};
  return items;
}

int buttonAtPanelPoint(int x, int y) {
  const bool left = x < kButtonPanelSplitX;
  const bool top = y < kButtonPanelSplitY;
  return left ? (top ? 1 : 2) : (top ? 3 : 4);
}

QString pageTitle(int button) {
  return QCoreApplication::translate("ButtonPage", "Funcionamento do botão %1:").arg(button);
}

QString ticketTitle(int button) {
  return QCoreApplication::translate("ButtonPage", "Senha Emitida Pelo Botão %1").arg(button);
}

ButtonPageLoad buttonPage(const ConfigModel& model, int button) {
  ButtonPageLoad page;
  page.pageTitle = pageTitle(button);
  page.ticketTitle = ticketTitle(button);
  page.start = model.firstNumber[button];
  page.end = model.lastNumber[button];
  const std::uint8_t letter = model.letter[button];
  const QStringList& items = letterItems();
  for (int i = 0; i < items.size(); ++i)
    if (cp1252::encode(items[i].left(1)).at(0) == static_cast<char>(letter)) page.letterItem = i;
  // A letter typed by the operator that is not an item is shown as it is stored, so the
  // numbering rule stores it back instead of the previously shown button's letter.
  if (page.letterItem < 0 && letter != 0) page.letterText = QString(QChar(cp1252::decodeByte(letter)));
  page.printLetter = model.printLetter[button];
  return page;
}

}  // namespace vx
