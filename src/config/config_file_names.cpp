#include "config_file_names.h"

#include <QDir>

namespace vx {

ConfigFileNames configFileNamesForSave(const QString& chosen) {
  const qsizetype n = chosen.size();
  // A separator among the last three characters ("a.b/cd", or "a.b\\cd" on Windows) ends no extension.
  const bool has_extension =
      n >= 4 && chosen[n - 4] == u'.' && !QDir::fromNativeSeparators(chosen.right(3)).contains(u'/');
  if (has_extension) return {chosen, chosen.left(n - 4) + QStringLiteral(".bmp")};
  return {chosen + QStringLiteral(".cfg"), chosen + QStringLiteral(".bmp")};
}

QString logoFileNameForOpen(const QString& opened) {
  // QString::chopped requires n <= size(); left() with a negative count would give the
  // whole name, so clamp first.
  const qsizetype keep = opened.size() >= 4 ? opened.size() - 4 : 0;
  return opened.left(keep) + QStringLiteral(".bmp");
}

}  // namespace vx
