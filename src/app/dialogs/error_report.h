#pragma once
// The program's general error report: what an operator sees of any failure that no
// handler catches (a port that cannot be opened, a malformed configuration file).

#include <QString>

namespace vx {

// The report's title: the executable's file name without its directory, cut at its first
// full stop, every character after the first in lower case ("VORLANDEX.EXE" → "Vorlandex",
// "vorlandex" → "vorlandex").
QString programTitle(const QString& executablePath);

// The message with a full stop appended when its last character sorts after the full stop
// ("Error opening com port" → "Error opening com port."; a text ending in a blank or a
// full stop is shown unchanged).
QString reportText(const QString& message);

// `message` in the operator's language when it is one of the fixed texts of the serial port
// and the picture reader ("Error opening com port", "Bitmap image is not valid"); any other
// message as it is. Without a translation installed, every message as it is.
QString translatedReport(const char* message);

}  // namespace vx
