#include "editor/button_numbering.h"

#include "editor/button_links.h"
#include "model/cp1252.h"

#include <QCoreApplication>

#include <algorithm>

namespace vx {
namespace {

// The ticket number as the printer shows it: three digits, zero-padded.
QString numberText(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

}  // namespace

QString ticketNumberText(int n, bool printLetter, std::uint8_t letter) {
  QString text = numberText(n);
  if (printLetter) text[0] = QChar(cp1252::decodeByte(letter));
  return text;
}

ButtonNumbering numberingOf(const ConfigModel& model, int button) {
  return {model.letter[button], model.printLetter[button], model.firstNumber[button], model.lastNumber[button],
          model.sameAsButton[button]};
}

void setNumbering(ConfigModel& model, int button, const ButtonNumbering& numbering) {
  model.letter[button] = numbering.letter;
  model.printLetter[button] = numbering.printLetter;
  model.firstNumber[button] = numbering.firstNumber;
  model.lastNumber[button] = numbering.lastNumber;
  model.sameAsButton[button] = numbering.sameAsButton;
}

QString rangeText(int start, int end, bool printLetter, std::uint8_t letter) {
  return QCoreApplication::translate("ButtonNumbering", "De: %1 a %2")
      .arg(ticketNumberText(start, printLetter, letter), ticketNumberText(end, printLetter, letter));
}

NumberingResult applyNumbering(const ConfigModel& model, int button, const NumberingInput& input) {
  ButtonNumbering n = numberingOf(model, button);
  NumberingView v;
  v.start = input.start;
  v.end = input.end;
  v.printLetter = input.printLetter;

  if (input.inactive) {
    // Only the letter and the link change: the numbers and the controls stay as they are.
    ConfigModel off = model;
    off.setInactive(button);
    n = numberingOf(off, button);
    v.state = ButtonState::Inactive;
    v.rangeText = QCoreApplication::translate("ButtonNumbering", "Botão Inativo");
    return {n, v};
  }

  // The only refused input: the start is lowered to the end, never the end raised.
  if (v.start > v.end) {
    v.start = v.end;
    v.warnStartAboveEnd = true;
  }
  // With the letter field empty there is no letter to store: the button keeps its own.
  if (!input.letterText.isEmpty())
    n.letter = static_cast<std::uint8_t>(cp1252::encode(input.letterText.left(1)).at(0));
  n.printLetter = input.printLetter;
  if (input.printLetter) {
    v.maxValue = NumberingView::kMaxPrintedNumber;
    v.start = std::min(v.start, v.maxValue);
    v.end = std::min(v.end, v.maxValue);
  } else {
    v.maxValue = NumberingView::kMaxUnprintedNumber;
  }
  n.firstNumber = v.start;
  n.lastNumber = v.end;
  n.sameAsButton = static_cast<std::uint8_t>(button);
  v.rangeText = rangeText(v.start, v.end, input.printLetter, n.letter);

  // The links' rule, on a copy: the button may follow an earlier one and take over its
  // numbering as it stands.
  ConfigModel linked = model;
  setNumbering(linked, button, n);
  const int m = linkButton(linked, button);
  if (m == button) return {n, v};

  n = numberingOf(linked, button);
  v.state = ButtonState::Following;
  v.follows = m;
  v.rangeText = QCoreApplication::translate("ButtonNumbering", "Igual Botão %1").arg(m);
  v.printLetter = n.printLetter;
  v.maxValue = v.printLetter ? NumberingView::kMaxPrintedNumber : NumberingView::kMaxUnprintedNumber;
  v.start = n.firstNumber;
  v.end = n.lastNumber;
  return {n, v};
}

}  // namespace vx
