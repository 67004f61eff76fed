#include <gtest/gtest.h>

#include <QList>
#include <random>

#include "config/config_text.h"
#include "config_test_support.h"
#include "model/cp1252.h"

namespace vx {
namespace {

// Runs parseConfigText and returns the error's message, or "" when it parsed.
QString parseError(const QByteArray& bytes) {
  try {
    parseConfigText(bytes);
  } catch (const ConfigReadError& e) {
    return e.message();
  }
  return QString();
}

QByteArray defaultFile() { return writeConfigText(startupModel(), GlobalSettings{}); }

// The default file with line `n` (1-based) replaced by `text`.
QByteArray withLine(int n, const QByteArray& text) {
  QList<QByteArray> lines = fileLines(defaultFile());
  lines[n] = text;
  return joinCrLf(lines);
}

TEST(ConfigText, DefaultModelGivesExactlyTheExpectedBytes) {
  auto block = [](const char* sameAs, const char* letter) {
    return QByteArray(sameAs) + "\r\n0\r\n0\r\n99\r\n" + letter +
           "\r\n"
           "  AGUARDE SUA VEZ PARA SER ATENDIDO !\r\n"
           "Linha 2\r\nLinha 3\r\nLinha 4\r\nLinha 5\r\nLinha 6\r\nLinha 7\r\nLinha 8\r\n"
           "TRUE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\n"
           "FALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\n";
  };
  const QByteArray expected = block("1", "65") + block("2", "98") + block("3", "67") + block("4", "100") +
                              block("5", "0") + block("6", "0") +
                              "0\r\n90\r\n300\r\n127\r\nTRUE\r\nTRUE\r\nTRUE\r\nTRUE\r\nFALSE\r\n";
  ASSERT_EQ(expected.count("\r\n"), 183);
  EXPECT_EQ(defaultFile(), expected);
}

TEST(ConfigText, LinkedInactiveAndUnprintedButtonsGiveTheExpectedBytes) {
  ConfigModel m = startupModel();
  m.letter[2] = 'A';  // follows button 1
  m.sameAsButton[2] = 1;
  m.printLetter[3] = false;
  m.firstNumber[3] = 100;
  m.lastNumber[3] = 900;
  m.lineEnabled[2][3] = true;
  m.lineExpanded[8][3] = true;
  m.setInactive(4);
  const QList<QByteArray> lines = fileLines(writeConfigText(m, GlobalSettings{}));
  const auto block = [&](int b, int first, int count) { return lines.mid(29 * (b - 1) + first, count); };
  EXPECT_EQ(block(2, 1, 5), (QList<QByteArray>{"1", "0", "0", "99", "65"}));
  EXPECT_EQ(block(3, 1, 5), (QList<QByteArray>{"3", "1", "100", "900", "67"}));
  EXPECT_EQ(block(3, 14, 2), (QList<QByteArray>{"TRUE", "TRUE"}));
  EXPECT_EQ(block(3, 29, 1), QList<QByteArray>{"TRUE"});
  EXPECT_EQ(block(4, 1, 5), (QList<QByteArray>{"7", "0", "0", "99", "73"}));

  ConfigModel read = startupModel();
  applyConfigButtons(read, parseConfigText(joinCrLf(lines)));
  EXPECT_TRUE(read.isInactive(4));
  EXPECT_EQ(read, m);
}

ConfigModel unusualModel() {
  ConfigModel m = startupModel();
  const QString odd[] = {
      QStringLiteral("  dois brancos antes"),
      QStringLiteral("depois   "),
      QString(),
      QStringLiteral("Atenção: próxima senha é já! ÀÉÎÕÜ çñ ÿ"),
      QStringLiteral("€ „“”‘’ • – — ™ š œ Ÿ"),
      QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D indefinidos"),
      QStringLiteral(" "),
      QStringLiteral("TRUE"),
  };
  for (int b = 1; b <= kButtons; ++b) {
    m.sameAsButton[b] = static_cast<std::uint8_t>(b == 6 ? 255 : 7);
    m.printLetter[b] = b % 2 == 0;
    m.firstNumber[b] = b == 1 ? -2147483647 - 1 : -b * 13;
    m.lastNumber[b] = b == 1 ? 2147483647 : 900 + b;
    m.letter[b] = static_cast<std::uint8_t>(b == 2 ? 0xFF : 'I');
    for (int l = 1; l <= kLines; ++l) {
      m.lineText[l][b] = odd[(l + b) % 8];
      m.lineEnabled[l][b] = (l + b) % 2 == 1;
      m.lineExpanded[l][b] = (l * b) % 3 == 0;
    }
  }
  return m;
}

TEST(ConfigText, WriteThenParseGivesBackEveryButtonAndGlobal) {
  const ConfigModel written = unusualModel();
  const GlobalSettings globals{-1, 0, 20, 255, false, false, true, false, true};
  const ConfigFileContents read = parseConfigText(writeConfigText(written, globals));
  for (int b = 1; b <= kButtons; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(read.buttons[b], buttonSettings(written, b));
  }
  EXPECT_EQ(read.globals, globals);

  ConfigModel loaded = startupModel();
  loaded.currentButton = 3;
  applyConfigButtons(loaded, read);
  ConfigModel expected = written;
  expected.currentButton = 3;
  EXPECT_EQ(loaded, expected);
}

TEST(ConfigText, EveryByteOfATextSurvivesParseAndWrite) {
  // All non-line-break bytes, the five bytes Windows-1252 leaves undefined included,
  // spread over the text lines of button 1.
  QByteArray all;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') all += static_cast<char>(c);
  all += '\0';
  QList<QByteArray> lines = fileLines(defaultFile());
  for (int l = 0; l < 8; ++l) lines[6 + l] = all.mid(l * 32, 32);
  lines[6] = QByteArray("\x81\x8D\x8F\x90\x9D", 5);
  const QByteArray file = joinCrLf(lines);

  const ConfigFileContents c = parseConfigText(file);
  EXPECT_EQ(c.buttons[1].lineText[1], QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
  ConfigModel m = startupModel();
  applyConfigButtons(m, c);
  EXPECT_EQ(writeConfigText(m, c.globals), file);
}

TEST(ConfigText, LineBreaksInsideATextAreWrittenAsBlanksSoTheFileKeepsItsShape) {
  ConfigModel m = startupModel();
  m.lineText[2][1] = QStringLiteral("a\r\nb\rc\nd");
  const QByteArray file = writeConfigText(m, GlobalSettings{});
  EXPECT_EQ(file.count("\r\n"), 183);
  const ConfigFileContents c = parseConfigText(file);
  EXPECT_EQ(c.buttons[1].lineText[2], QStringLiteral("a  b c d"));
  EXPECT_EQ(c.buttons[1].lineText[3], QStringLiteral("Linha 3"));
}

TEST(ConfigText, AFlagIsTrueOnlyForExactlyUpperCaseTrue) {
  const std::pair<const char*, bool> rows[] = {
      {"TRUE", true},   {"true", false},  {"True", false},  {"1", false},     {"", false},
      {" TRUE", false}, {"TRUE ", false}, {"FALSE", false}, {"TRUEX", false},
  };
  for (const auto& [text, expected] : rows) {
    SCOPED_TRACE(text);
    const ConfigFileContents c = parseConfigText(withLine(14 + 29, text));  // button 2, line 1 enabled
    EXPECT_EQ(c.buttons[2].lineEnabled[1], expected);
    const ConfigFileContents g = parseConfigText(withLine(183, text));  // "Corte Total"
    EXPECT_EQ(g.globals.total_cut, expected);
  }
}

TEST(ConfigText, LoneCrLoneLfAndMixedEndingsSplitLinesAlike) {
  const QByteArray crlf = withLine(7, "");  // an empty text line must stay a line
  const ConfigFileContents expected = parseConfigText(crlf);
  QByteArray lf = crlf, cr = crlf;
  lf.replace("\r\n", "\n");
  cr.replace("\r\n", "\r");
  // Mixed: alternate the three endings line by line.
  QList<QByteArray> lines = fileLines(crlf);
  QByteArray mixed;
  const char* endings[] = {"\r\n", "\r", "\n"};
  for (qsizetype i = 1; i < lines.size(); ++i) mixed += lines[i] + endings[i % 3];
  const QByteArray no_final_ending = crlf.chopped(2);

  for (const QByteArray& file : {lf, cr, mixed, no_final_ending}) {
    const ConfigFileContents c = parseConfigText(file);
    EXPECT_EQ(c, expected);
    EXPECT_EQ(c.buttons[1].lineText[2], QString());
  }
}

TEST(ConfigText, CrCrLfIsALineEndFollowedByAnEmptyLine) {
  // "Linha 2" CR, then CR LF: line 7 ends at the lone CR and line 8 is empty, so the
  // texts after it move down by one; "Linha 8" is dropped to keep the count.
  QList<QByteArray> lines = fileLines(defaultFile());
  lines[7] = "Linha 2\r";
  lines.removeAt(13);
  const ConfigFileContents c = parseConfigText(joinCrLf(lines));
  EXPECT_EQ(c.buttons[1].lineText[2], QStringLiteral("Linha 2"));
  EXPECT_EQ(c.buttons[1].lineText[3], QString());
  EXPECT_EQ(c.buttons[1].lineText[4], QStringLiteral("Linha 3"));
  EXPECT_EQ(c.buttons[1].lineText[8], QStringLiteral("Linha 7"));
  EXPECT_TRUE(c.buttons[1].lineEnabled[1]);
}

TEST(ConfigText, LinesAfterLine183AreIgnored) {
  const QByteArray file = defaultFile();
  const ConfigFileContents expected = parseConfigText(file);
  EXPECT_EQ(parseConfigText(file + "abc\r\n\r\n-1\r\nTRUE\r\n" + QByteArray(5000, '\0')), expected);
}

TEST(ConfigText, NumbersInTheSigned32BitRangeAreRead) {
  const std::pair<const char*, std::int32_t> rows[] = {
      {"0", 0},
      {"-0", 0},
      {"007", 7},
      {"999", 999},
      {"-5", -5},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"0000000000000000000042", 42},
  };
  for (const auto& [text, value] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseConfigText(withLine(3, text)).buttons[1].firstNumber, value);    // firstNumber of button 1
    EXPECT_EQ(parseConfigText(withLine(178, text)).globals.threshold, value);       // the contrast
  }
}

TEST(ConfigText, ByteFieldsKeepTheLowEightBits) {
  const std::pair<const char*, std::uint8_t> rows[] = {
      {"65", 65}, {"321", 65}, {"256", 0}, {"-1", 255}, {"-191", 65}, {"2147483647", 255}, {"-2147483648", 0},
  };
  for (const auto& [text, value] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseConfigText(withLine(29 + 5, text)).buttons[2].letter, value);
    EXPECT_EQ(parseConfigText(withLine(29 * 3 + 1, text)).buttons[4].sameAsButton, value);
  }
  // The print choice likewise: only a low byte of 1 is "Não imprimir".
  const std::pair<const char*, bool> choices[] = {{"0", true}, {"1", false},  {"257", false}, {"-255", false},
                                                  {"5", true}, {"256", true}, {"-1", true}};
  for (const auto& [text, printed] : choices) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseConfigText(withLine(29 * 5 + 2, text)).buttons[6].printLetter, printed);
  }
}

TEST(ConfigText, MalformedNumbersAreNamedInTheError) {
  const char* rows[] = {
      "abc",
      "",
      " 5",
      "5 ",
      "+5",
      "$1F",
      "0x1F",
      "-",
      "--5",
      "5-",
      "1e3",
      "1.0",
      "١٢",
      "2147483648",
      "-2147483649",
      "4294967296",
      "99999999999999999999999999999999999999",
      "\t7",
  };
  for (const char* text : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseError(withLine(3, text)),
              QStringLiteral("'%1' is not a valid integer value").arg(cp1252::decode(text)));
  }
  EXPECT_EQ(parseError(withLine(3, "abc")), QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(parseError(withLine(175, "\xC9\x80")), QString::fromUtf8("'É€' is not a valid integer value"));
}

TEST(ConfigText, AnOverlongMalformedLineIsQuotedByItsStart) {
  const QString message = parseError(withLine(3, QByteArray(100000, 'x')));
  EXPECT_EQ(message, QStringLiteral("'%1…' is not a valid integer value").arg(QString(200, u'x')));
}

// Every front end shows the message whole: a NUL quoted from the file would cut it short.
TEST(ConfigText, ANulInAMalformedLineIsQuotedAsABlank) {
  try {
    parseConfigText(withLine(1, QByteArray("1\0002", 3)));
    FAIL() << "no error";
  } catch (const ConfigReadError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("'1 2' is not a valid integer value"));
    EXPECT_STREQ(e.what(), "'1 2' is not a valid integer value");
  }
}

TEST(ConfigText, ShortFilesAreMissingALine) {
  const QList<QByteArray> lines = fileLines(defaultFile());
  const QString missing = QStringLiteral("List index out of bounds (0)");
  for (int count : {0, 1, 100, 174, 182}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(parseError(joinCrLf(lines.first(count + 1))), missing);
  }
  EXPECT_EQ(parseError(QByteArray()), missing);
  // A final line break does not start another line, but a second one ends an empty line.
  EXPECT_EQ(parseError(joinCrLf(lines.first(183)) + "\r\n"), QString());
}

TEST(ConfigText, TheFirstOffendingLineDecidesTheError) {
  QList<QByteArray> lines = fileLines(defaultFile());
  lines[3] = "abc";
  lines[150] = "xyz";
  EXPECT_EQ(parseError(joinCrLf(lines.first(101))), QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(parseError(joinCrLf(lines)), QStringLiteral("'abc' is not a valid integer value"));
  lines[3] = "0";
  EXPECT_EQ(parseError(joinCrLf(lines)), QStringLiteral("'xyz' is not a valid integer value"));
  EXPECT_EQ(parseError(joinCrLf(lines.first(140))), QStringLiteral("List index out of bounds (0)"));
}

TEST(ConfigText, GarbageNeverCrashesAndOversizedTextIsRefused) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 200; ++round) {
    QByteArray junk(static_cast<qsizetype>(rng() % 4000), '\0');
    for (char& c : junk) c = static_cast<char>(rng() % 4 == 0 ? "\r\n0-"[rng() % 4] : rng());
    try {
      parseConfigText(junk);
    } catch (const ConfigReadError&) {
    }
  }
  EXPECT_EQ(parseError(QByteArray(kMaxConfigFileBytes + 1, '\n')), fileTooLargeMessage(QString()));
  EXPECT_EQ(parseError(QByteArray(kMaxConfigFileBytes, 'A')),
            QStringLiteral("'%1…' is not a valid integer value").arg(QString(200, u'A')));
}

}  // namespace
}  // namespace vx
