#pragma once
// The numbering rules of the button page, without a window: what the page's letter, print
// choice and first and last number make of one button's numbering (independent, following
// an earlier button with the same letter, or inactive), and what the page must then show.
// Pure functions of the model and the operator's input; the numbering handler reads its
// controls into a NumberingInput, stores the result and writes the view back.

#include "model/config_model.h"

#include <QString>

#include <cstdint>

namespace vx {

// What the page's controls hold when the numbering handler runs.
struct NumberingInput {
  bool inactive = false;    // the letter list's "Inativo" item is selected
  QString letterText;       // the letter list's text; its first character is the letter
  bool printLetter = true;  // "Imprimir" (true) or "Não imprimir"
  int start = 0;            // the first number as typed (a spin edit clamps only when it loses the focus)
  int end = 0;              // the last number as typed
};

// The numbering tables of one button.
struct ButtonNumbering {
  std::uint8_t letter = 0;
  bool printLetter = true;
  std::int32_t firstNumber = 0;
  std::int32_t lastNumber = 0;
  std::uint8_t sameAsButton = 0;
  bool operator==(const ButtonNumbering&) const = default;
};

ButtonNumbering numberingOf(const ConfigModel& model, int button);
void setNumbering(ConfigModel& model, int button, const ButtonNumbering& numbering);

enum class ButtonState {
  Independent,  // its own range; the page's editing controls are enabled
  Following,    // shares an earlier button's sequence; the editing controls are disabled
  Inactive,  // "Botão Inativo"; the controls and the other tables stay as they were
};

// What the page shows after the rule has run. For an inactive button only rangeText counts:
// nothing else on the page changes.
struct NumberingView {
  ButtonState state = ButtonState::Independent;
  int follows = 0;  // the followed button, when Following
  QString rangeText;               // "De: A00 a A99", or the button's state
  bool warnStartAboveEnd = false;  // the "Valor inválido" warning is due (once)
  int start = 0;  // the spin edits' values after lowering, clamping or following
  int end = 0;
  int maxValue = kMaxPrintedNumber;  // both spin edits' maximum
  bool printLetter = true;           // changes only when following
  bool operator==(const NumberingView&) const = default;

  static constexpr int kMaxPrintedNumber = 99;  // with the letter printed: letter and two digits
  static constexpr int kMaxUnprintedNumber = 999;  // without it: three digits
};

struct NumberingResult {
  ButtonNumbering numbering;  // the button's tables as they must be stored
  NumberingView view;
};

// The numbering rule for `button` (1..4) and the page's values. Only buttons before
// `button` are compared: button 1 is always independent, and a letter shared with several
// earlier buttons follows the lowest of them. An empty letter text keeps the stored letter.
NumberingResult applyNumbering(const ConfigModel& model, int button, const NumberingInput& input);

// Ticket number n as the printer prints it: three digits, zero-padded, the first replaced by
// the letter when it is printed (7 with 'A' → "A07"; without the letter "007").
QString ticketNumberText(int n, bool printLetter, std::uint8_t letter);

// The range text "De: A00 a A99": both numbers zero-padded to three digits; with the letter
// printed its character replaces the first digit.
QString rangeText(int start, int end, bool printLetter, std::uint8_t letter);

}  // namespace vx
