#include <gtest/gtest.h>

#include <QDir>

#include "config/config_file_names.h"
#include "config_test_support.h"

namespace vx {
namespace {

struct SaveRow {
  const char* chosen;
  const char* cfg;
  const char* bmp;
};

TEST(ConfigFileNames, SaveNamesFollowTheFourthCharacterFromTheEnd) {
  const SaveRow rows[] = {
      {"sala.cfg", "sala.cfg", "sala.bmp"},
      {"sala", "sala.cfg", "sala.bmp"},
      {"sala.txt", "sala.txt", "sala.bmp"},
      {"sala.conf", "sala.conf.cfg", "sala.conf.bmp"},
      {"/home/op/Configurações/sala.cfg", "/home/op/Configurações/sala.cfg",
       "/home/op/Configurações/sala.bmp"},
      {"sala.c", "sala.c.cfg", "sala.c.bmp"},
      {".cfg", ".cfg", ".bmp"},
      {"abc", "abc.cfg", "abc.bmp"},
      {"a", "a.cfg", "a.bmp"},
      {"", ".cfg", ".bmp"},
      // The dot belongs to the folder "x.y", not to an extension: the logo stays in x.y.
      {"/tmp/x.y/c", "/tmp/x.y/c.cfg", "/tmp/x.y/c.bmp"},
      {"/tmp/x.y/cd", "/tmp/x.y/cd.cfg", "/tmp/x.y/cd.bmp"},
  };
  for (const SaveRow& row : rows) {
    SCOPED_TRACE(row.chosen);
    const ConfigFileNames names = configFileNamesForSave(QString::fromUtf8(row.chosen));
    EXPECT_EQ(names.cfg, QString::fromUtf8(row.cfg));
    EXPECT_EQ(names.bmp, QString::fromUtf8(row.bmp));
  }
}

// Windows names: a drive letter is part of the name, and a backslash parts folders only there
// (on Linux it is a character of the name like any other).
TEST(ConfigFileNames, DriveLettersAndTheSystemsOwnSeparator) {
  EXPECT_EQ(configFileNamesForSave(QStringLiteral("C:/Salas/recepcao")).cfg,
            QStringLiteral("C:/Salas/recepcao.cfg"));
  EXPECT_EQ(configFileNamesForSave(QStringLiteral("D:\\recepcao.cfg")).bmp,
            QStringLiteral("D:\\recepcao.bmp"));
  EXPECT_EQ(logoFileNameForOpen(QStringLiteral("C:\\Salas\\sala.cfg")),
            QStringLiteral("C:\\Salas\\sala.bmp"));
  const ConfigFileNames dotInFolder = configFileNamesForSave(QStringLiteral("C:\\x.\\ab"));
  if (QDir::separator() == u'\\') {
    EXPECT_EQ(dotInFolder.cfg, QStringLiteral("C:\\x.\\ab.cfg"));
    EXPECT_EQ(dotInFolder.bmp, QStringLiteral("C:\\x.\\ab.bmp"));
  } else {
    EXPECT_EQ(dotInFolder.cfg, QStringLiteral("C:\\x.\\ab"));
    EXPECT_EQ(dotInFolder.bmp, QStringLiteral("C:\\x.bmp"));
  }
}

TEST(ConfigFileNames, OpenDropsTheLastFourCharactersWhateverTheyAre) {
  const std::pair<const char*, const char*> rows[] = {
      {"sala.cfg", "sala.bmp"},
      {"sala.txt", "sala.bmp"},
      {"sala.conf", "sala..bmp"},
      {"salacfg", "sal.bmp"},
      {"abcd", ".bmp"},
      {"abc", ".bmp"},
      {"", ".bmp"},
      {"/d/ação.cfg", "/d/ação.bmp"},
  };
  for (const auto& [opened, logo] : rows) {
    SCOPED_TRACE(opened);
    EXPECT_EQ(logoFileNameForOpen(QString::fromUtf8(opened)), QString::fromUtf8(logo));
  }
}

TEST(ConfigFileNames, APairSavedUnderAnyNameIsFoundAgainWhenItsConfigurationFileIsOpened) {
  for (const char* chosen : {"sala", "sala.cfg", "sala.txt", "sala.conf", "/tmp/x.y/c", "ab"}) {
    SCOPED_TRACE(chosen);
    const ConfigFileNames names = configFileNamesForSave(QString::fromUtf8(chosen));
    EXPECT_EQ(logoFileNameForOpen(names.cfg), names.bmp);
  }
}

}  // namespace
}  // namespace vx
