#pragma once
// Shared helpers of the configuration file tests: the model as the window leaves it after
// start-up, and readable printing of the file's value types.

#include <QByteArray>
#include <QString>
#include <ostream>

#include "config/config_text.h"

namespace vx {

// Buttons 1..6 as after start-up: line 1 "  AGUARDE SUA VEZ PARA SER ATENDIDO !" enabled,
// lines 2..8 "Linha n" disabled, nothing expanded, letters A b C d and 0 for 5 and 6.
ConfigModel startupModel();

// The model's lines split the way a file's lines are numbered, 1-based (element 0 empty).
QList<QByteArray> fileLines(const QByteArray& crlf_text);
QByteArray joinCrLf(const QList<QByteArray>& lines_from_1);

void PrintTo(const ButtonSettings& s, std::ostream* os);
void PrintTo(const GlobalSettings& g, std::ostream* os);
void PrintTo(const ConfigFileContents& c, std::ostream* os);

}  // namespace vx

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QByteArray& b, std::ostream* os);
QT_END_NAMESPACE
