// libFuzzer target for the configuration file reader: any bytes must give either the
// complete contents or a ConfigReadError with one of the reader's two messages, and
// contents that were read must be written back and read again unchanged. The file name
// rules get a short prefix of the input as a name.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "config/config_file_names.h"
#include "config/config_text.h"
#include "model/cp1252.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

void checkNames(const QByteArray& prefix) {
  const QString name = vx::cp1252::decode(prefix);
  const vx::ConfigFileNames names = vx::configFileNamesForSave(name);
  check(names.bmp.endsWith(QStringLiteral(".bmp")), "logo name ends in .bmp");
  check(names.cfg == name || names.cfg == name + QStringLiteral(".cfg"),
        "configuration name is the chosen one");
  check(vx::logoFileNameForOpen(names.cfg) == names.bmp, "open finds the saved logo");
  check(vx::logoFileNameForOpen(name).endsWith(QStringLiteral(".bmp")), "open's logo name ends in .bmp");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  checkNames(bytes.left(12));

  try {
    const vx::ConfigFileContents contents = vx::parseConfigText(bytes);
    vx::ConfigModel model;
    vx::applyConfigButtons(model, contents);
    const QByteArray written = vx::writeConfigText(model, contents.globals);
    check(written.count("\r\n") == vx::kConfigFileLines, "a written file has 183 lines");
    check(vx::parseConfigText(written) == contents, "written contents read back unchanged");
  } catch (const vx::ConfigReadError& e) {
    const QString& m = e.message();
    const bool missing = m == QStringLiteral("List index out of bounds (0)");
    const bool number = m.startsWith(u'\'') && m.endsWith(QStringLiteral("' is not a valid integer value"));
    check(missing || number, "the error is one of the reader's two messages");
  }
  return 0;
}
