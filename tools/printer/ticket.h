#pragma once
// The ticket each button of the virtual printer would print, drawn from the printer's
// state: logo rows at the top, the header lines (expanded ones double width and bold),
// "SENHA", the letter and first number, the date and time, the footer lines, on a strip of
// paper 400 dots wide. Painting text needs a QGuiApplication.

#include <QDateTime>
#include <QImage>
#include <QString>
#include <optional>

#include "printer/printer_state.h"

namespace vx::printer {

inline constexpr QRgb kPaperColour = qRgb(255, 255, 160);

// The ticket's letter and number: "A00" (the letter in place of the first of three digits);
// "000" when the letter is not printed; the letter of the button followed when the button
// has none of its own; empty when inactive.
QString ticketLabel(const PrinterState& state, int button);

// `clock` is the date and time to print; without one the ticket shows dashes.
QImage renderTicket(const PrinterState& state, int button, const std::optional<QDateTime>& clock);

// Writes dir/button1.png .. dir/button4.png, each through a temporary file renamed into
// place so a reader never sees half a picture. False when one could not be written.
bool writeTickets(const PrinterState& state, const QString& dir, const std::optional<QDateTime>& clock);

}  // namespace vx::printer
