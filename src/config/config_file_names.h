#pragma once
// Names of the configuration file pair: the .cfg text file and the .bmp logo file beside it.
// Pure functions on the names chosen in the save and open dialogs; any name, even an empty
// one, gives a result.

#include <QString>

namespace vx {

struct ConfigFileNames {
  QString cfg;  // the configuration text file
  QString bmp;  // the logo picture beside it

  bool operator==(const ConfigFileNames&) const = default;
};

// Names written by the save command for the name `chosen` in the save dialog. When the
// fourth character from the end is "." the name is kept and the logo takes its place before
// the last four characters ("sala.cfg" -> "sala.cfg", "sala.bmp"); otherwise ".cfg" and
// ".bmp" are appended ("sala" -> "sala.cfg", "sala.bmp"; "sala.conf" -> "sala.conf.cfg",
// "sala.conf.bmp"). A "." whose last three characters include a "/" belongs to a folder
// name, not to an extension, and counts as "otherwise", so the logo is never written into
// another folder than the configuration file.
ConfigFileNames configFileNamesForSave(const QString& chosen);

// Logo file read by the open command for the name `opened`: the name without its last four
// characters, whatever they are, then ".bmp". A name shorter than four characters gives
// just ".bmp".
QString logoFileNameForOpen(const QString& opened);

}  // namespace vx
