#include <gtest/gtest.h>

#include <QDir>

#include "model/shown_path.h"

namespace vx {
namespace {

TEST(ShownPath, TheSystemsSeparatorsBetweenDoubleQuotes) {
  const QString separator = QDir::separator();
  EXPECT_EQ(shownPath(QStringLiteral("salas/sala 1.")), QStringLiteral("\"salas") + separator + "sala 1.\"");
  EXPECT_EQ(shownPath(QString()), QStringLiteral("\"\""));
}

}  // namespace
}  // namespace vx
