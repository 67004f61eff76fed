// Saving and opening the configuration file pair from the window ("Salvar", "Abrir"), and
// the question the window asks when it closes with unsaved changes.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <thread>

#include "app/command_line.h"
#include "config/config_text.h"
#include "logo/default_picture.h"
#include "logo/source_picture.h"
#include "model/shown_path.h"
#include "serial/serial_link.h"
#include "support/picture_files.h"
#include "support/platform.h"
#include "window_fixture.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace vx {

void PrintTo(const ButtonSettings& s, std::ostream* os) {
  *os << "{letter " << int(s.letter) << ", prints " << int(s.printLetter) << ", " << s.firstNumber << ".."
      << s.lastNumber << ", same as " << int(s.sameAsButton) << ", lines";
  for (int l = 1; l <= kLines; ++l)
    *os << " [" << s.lineText[l].toStdString() << "|" << int(s.lineEnabled[l]) << int(s.lineExpanded[l]) << "]";
  *os << "}";
}

void PrintTo(const GlobalSettings& g, std::ostream* os) {
  *os << "{port " << g.port_index << ", H " << g.logo_height << ", W " << g.logo_width << ", T "
      << g.threshold << ", logo " << g.print_logo << ", reset " << g.reset_at_day_end << ", beep " << g.beep
      << ", cut " << g.partial_cut << g.total_cut << "}";
}

namespace test {
namespace {

const QString kFilter = QStringLiteral("Arquivo de configuração (*.cfg)|*.cfg");

const QString kOpenFailureTitle = QStringLiteral("Carregue suas configurações");
const QString kOpenFailureText = QStringLiteral(
    "Não foi possível encontrar o arquivo especificado , por favor clique em \"Abrir Configurações\" e "
    "carregue suas configurações novamente.");

// Everything a configuration file holds, as the window shows it, plus the two-copies option
// that the file leaves alone.
struct WindowState {
  std::array<ButtonSettings, kButtons + 1> buttons{};
  GlobalSettings globals;
  bool twoCopies = false;
  bool operator==(const WindowState&) const = default;
};

void PrintTo(const WindowState& s, std::ostream* os) {
  for (int b = 1; b <= kButtons; ++b) {
    *os << "\n  button " << b << ": ";
    vx::PrintTo(s.buttons[b], os);
  }
  *os << "\n  globals ";
  vx::PrintTo(s.globals, os);
  *os << " two copies " << s.twoCopies;
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size());
}

// The lines of a CR LF text, without their endings.
QList<QByteArray> crlfLines(QByteArray text) {
  if (text.isEmpty()) return {};
  if (text.endsWith("\r\n")) text.chop(2);
  QList<QByteArray> lines = text.split('\n');
  for (QByteArray& line : lines)
    if (line.endsWith('\r')) line.chop(1);
  return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines, const QByteArray& ending = "\r\n") {
  QByteArray out;
  for (const QByteArray& l : lines) out += l + ending;
  return out;
}

quint32 le32(const QByteArray& b, int at) {
  return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16 |
         quint32(quint8(b[at + 3])) << 24;
}

void putLe32(QByteArray& b, int at, quint32 v) {
  for (int i = 0; i < 4; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
}

class FileCommands : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
  }

  QString path(const QString& name) const { return dir.filePath(name); }
  QStringList entries() const {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  }

  // The operator clicks "Salvar" / "Abrir" and chooses `name` (a name inside the test's
  // folder unless it is absolute); an empty name cancels the dialog.
  void save(const QString& name) {
    dialogs->fileAnswers.push_back(name.isEmpty() || QDir::isAbsolutePath(name) ? name : path(name));
    click(ui.saveButton());
  }
  void open(const QString& name) {
    dialogs->fileAnswers.push_back(name.isEmpty() || QDir::isAbsolutePath(name) ? name : path(name));
    click(ui.openButton());
  }

  // The changes made so far count as saved.
  void settle() {
    ui.forgetChanges();
    ASSERT_FALSE(ui.model().unsavedChanges);
  }

  WindowState state() const {
    WindowState s;
    for (int b = 1; b <= kButtons; ++b) s.buttons[b] = buttonSettings(ui.model(), b);
    GlobalSettings& g = s.globals;
    g.port_index = ui.portList()->itemIndex();
    g.logo_height = ui.logoHeightBar()->value();
    g.logo_width = ui.logoWidthBar()->value();
    g.threshold = ui.contrastBar()->value();
    g.print_logo = ui.printLogoBox()->isChecked();
    g.reset_at_day_end = ui.resetAtDayEndBox()->isChecked();
    g.beep = ui.beepBox()->isChecked();
    g.partial_cut = ui.partialCutButton()->isChecked();
    g.total_cut = ui.totalCutButton()->isChecked();
    s.twoCopies = ui.twoCopiesBox()->isChecked();
    return s;
  }

  // The page's controls show the tables of button `b`.
  void expectPageShows(int b) {
    SCOPED_TRACE(testing::Message() << "page of button " << b);
    const ConfigModel& m = ui.model();
    EXPECT_EQ(m.currentButton, b);
    EXPECT_EQ(ui.buttonTabs()->currentIndex(), b - 1);
    for (int l = 1; l <= kLines; ++l) {
      EXPECT_EQ(ui.lineText(l)->text(), m.lineText[l][b]) << "line " << l;
      EXPECT_EQ(ui.lineEnabled(l)->isChecked(), m.lineEnabled[l][b]) << "line " << l;
      EXPECT_EQ(ui.lineExpanded(l)->isChecked(), m.lineExpanded[l][b]) << "line " << l;
    }
    EXPECT_EQ(ui.firstNumberBox()->value(), m.firstNumber[b]);
    EXPECT_EQ(ui.lastNumberBox()->value(), m.lastNumber[b]);
    EXPECT_EQ(ui.printLetterList()->itemIndex(), m.printLetter[b] ? 0 : 1);
    EXPECT_EQ(ui.letterList()->text().left(1), QString(QChar(m.letter[b])));
    EXPECT_EQ(ui.pageTitleLabel()->text(), QStringLiteral("Funcionamento do botão %1:").arg(b));
  }

  // A configuration that differs from start-up in every kind of value, with the third
  // button's page open.
  void makeKnownChanges() {
    click(ui.lineEnabled(2));  // line 2 enabled
    retype(ui.lineText(2), QStringLiteral("  Guichê 2  "));
    click(ui.lineExpanded(2));  // line 2 expanded
    click(ui.lineEnabled(3));   // line 3 enabled and emptied
    retype(ui.lineText(3), QString());
    clickTab(2);
    choose(ui.printLetterList(), 1);  // "Não imprimir": three digits
    retype(ui.lastNumberBox(), QStringLiteral("750"));
    retype(ui.firstNumberBox(), QStringLiteral("120"));
    ui.lineText(1)->setFocus();
    ConfigModel& m = ui.model();  // slots 5 and 6 only change through a file
    m.letter[5] = 'Z';
    m.firstNumber[5] = -3;
    m.lastNumber[5] = 1234;
    m.lineText[1][5] = QString();
    m.lineEnabled[8][5] = true;
    m.lineExpanded[8][5] = true;
    m.letter[6] = 0xC7;
    m.sameAsButton[6] = 7;
    m.lineText[4][6] = QStringLiteral("   três   ");
    choose(ui.portList(), 2);
    ui.logoHeightBar()->setValue(150);
    ui.logoWidthBar()->setValue(222);
    ui.contrastBar()->setValue(40);
    click(ui.resetAtDayEndBox());
    click(ui.beepBox());
    click(ui.totalCutButton());
    ASSERT_EQ(boxCount(), 0);
    ASSERT_EQ(m.currentButton, 3);
    ASSERT_EQ(m.lastNumber[3], 750);
    ASSERT_EQ(m.lineText[2][1], QStringLiteral("  Guichê 2  "));
    ASSERT_EQ(m.lineText[3][1], QString());
  }

  // Changes every value that makeKnownChanges() set, through the controls and the model.
  void scramble() {
    clickTab(0);
    retype(ui.lineText(1), QStringLiteral("outro texto"));
    ConfigModel& m = ui.model();
    m.letter[5] = 1;
    m.firstNumber[5] = 0;
    m.lineText[4][6] = QStringLiteral("lixo");
    m.lineEnabled[8][5] = false;
    m.lastNumber[3] = 10;
    choose(ui.portList(), 0);
    ui.logoHeightBar()->setValue(60);
    ui.logoWidthBar()->setValue(100);
    ui.contrastBar()->setValue(200);
    click(ui.resetAtDayEndBox());
    click(ui.beepBox());
    click(ui.partialCutButton());
  }

  QTemporaryDir dir;
};

// --- Save then open ---

TEST_F(FileCommands, SavingThenOpeningWithNothingChangedKeepsEveryValue) {
  makeKnownChanges();
  click(ui.updatePictureButton());
  const LogoRaster raster = ui.logoRaster();
  const WindowState before = state();
  save(QStringLiteral("sala"));
  click(ui.twoCopiesBox());  // not in the file: keeps the state it has when the file is opened
  open(QStringLiteral("sala.cfg"));
  EXPECT_EQ(boxCount(), 0);
  WindowState expected = before;
  expected.twoCopies = true;
  EXPECT_EQ(state(), expected);
  expectPageShows(3);
  EXPECT_FALSE(ui.model().loading);
  EXPECT_EQ(ui.sourcePicture().image.convertToFormat(QImage::Format_RGB32),
            defaultLogoPicture().convertToFormat(QImage::Format_RGB32));
  EXPECT_TRUE(ui.logoRaster() == raster);
}

TEST_F(FileCommands, OpeningRestoresEveryValueTheFileHoldsAndShowsTheOpenPage) {
  makeKnownChanges();
  const WindowState saved = state();
  save(QStringLiteral("sala"));
  scramble();
  ASSERT_EQ(ui.jobsPort(), ComPort::Com1);
  WindowState scrambled = state();
  ASSERT_NE(scrambled.globals, saved.globals);
  for (int b : {1, 3, 5, 6}) ASSERT_NE(scrambled.buttons[b], saved.buttons[b]) << b;

  open(QStringLiteral("sala.cfg"));
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(state(), saved);
  // The first page is open now: it shows button 1 with its leading blanks and empty line.
  expectPageShows(1);
  EXPECT_EQ(ui.lineText(2)->text(), QStringLiteral("  Guichê 2  "));
  EXPECT_EQ(ui.lineText(3)->text(), QString());
  EXPECT_EQ(ui.lineText(1)->text(), QStringLiteral("  AGUARDE SUA VEZ PARA SER ATENDIDO !"));
  // The list shows the file's port, and the jobs use it.
  EXPECT_EQ(ui.portList()->itemIndex(), 2);
  EXPECT_EQ(ui.jobsPort(), ComPort::Com3);
  // The logo box follows the file's height and width.
  EXPECT_EQ(ui.logoPicture()->size(), QSize(222, 150));
}

// What a file manager does through the desktop entry: the program started with a pair's name (a
// path or a file: URL) opens it as "Abrir" would; a bad pair is reported and applies nothing.
TEST_F(FileCommands, APairNamedOnTheCommandLineOpensAsOpenWouldAndABadOneChangesNothing) {
  makeKnownChanges();
  const WindowState saved = state();
  save(QStringLiteral("sala"));
  scramble();
  settle();
  window->openFromCommandLine(
      configFileArgument(QUrl::fromLocalFile(path(QStringLiteral("sala.cfg"))).toString()));
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(state(), saved);
  expectPageShows(1);
  EXPECT_EQ(ui.openDialogName(), path(QStringLiteral("sala.cfg")));  // offered by the next "Abrir"
  EXPECT_FALSE(ui.model().unsavedChanges);  // an opened pair starts a new history, as after "Abrir"

  settle();
  QImage other(30, 12, QImage::Format_RGB32);
  other.fill(Qt::red);
  ASSERT_TRUE(other.save(path(QStringLiteral("ruim.bmp")), "BMP"));
  writeAll(path(QStringLiteral("ruim.cfg")), joinLines({"1", "0"}));
  const QString relative = QDir::current().relativeFilePath(path(QStringLiteral("ruim.cfg")));
  window->openFromCommandLine(configFileArgument(relative));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("vorlandex"));
  EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("List index out of bounds (0)."));
  EXPECT_EQ(state(), saved);
  EXPECT_FALSE(ui.model().unsavedChanges);
  EXPECT_NE(ui.sourcePicture().image.size(), other.size());  // not even the picture
}

// One button block as the file spells it.
QList<QByteArray> block(int sameAs, int firstNumber, int lastNumber, int letter, const QByteArray& line2 = "Linha 2",
                        const char* enabled = "10000000") {
  QList<QByteArray> b = {QByteArray::number(sameAs),
                         "0",
                         QByteArray::number(firstNumber),
                         QByteArray::number(lastNumber),
                         QByteArray::number(letter),
                         "  AGUARDE SUA VEZ PARA SER ATENDIDO !",
                         line2};
  for (int l = 3; l <= 8; ++l) b.append("Linha " + QByteArray::number(l));
  for (int l = 0; l < 8; ++l) b.append(enabled[l] == '1' ? "TRUE" : "FALSE");
  for (int l = 0; l < 8; ++l) b.append("FALSE");
  return b;
}

TEST_F(FileCommands, TheSavedFileIsExactly183CrLfLinesInWindows1252) {
  click(ui.lineEnabled(2));
  retype(ui.lineText(2), QStringLiteral("Atenção"));
  clickTab(1);
  retype(ui.lastNumberBox(), QStringLiteral("40"));
  retype(ui.firstNumberBox(), QStringLiteral("5"));
  ui.lineText(1)->setFocus();
  ui.model().firstNumber[5] = -3;
  choose(ui.portList(), 3);
  ui.logoHeightBar()->setValue(150);
  click(ui.beepBox());
  click(ui.totalCutButton());
  save(QStringLiteral("exato"));
  ASSERT_EQ(boxCount(), 0);

  QList<QByteArray> expected;
  expected += block(1, 0, 99, 65, "Aten\xE7\xE3o", "11000000");
  expected += block(2, 5, 40, 98);
  expected += block(3, 0, 99, 67);
  expected += block(4, 0, 99, 100);
  expected += block(5, -3, 99, 0);
  expected += block(6, 0, 99, 0);
  expected += {"3", "150", "300", "127", "TRUE", "TRUE", "FALSE", "FALSE", "TRUE"};
  ASSERT_EQ(expected.size(), 183);

  const QByteArray bytes = readAll(path(QStringLiteral("exato.cfg")));
  const QList<QByteArray> lines = crlfLines(bytes);
  ASSERT_EQ(lines.size(), 183);
  for (int i = 0; i < 183; ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(bytes, joinLines(expected));  // every line, the last one too, ends in CR LF
}

TEST_F(FileCommands, TheDefaultPictureIsSavedAsAnEightBitBitmapAndALoadedOneByteForByte) {
  save(QStringLiteral("padrao"));
  const QByteArray bmp = readAll(path(QStringLiteral("padrao.bmp")));
  ASSERT_GT(bmp.size(), 54);
  EXPECT_TRUE(bmp.startsWith("BM"));
  EXPECT_EQ(le32(bmp, 2), quint32(bmp.size()));
  EXPECT_EQ(le32(bmp, 18), 987u);
  EXPECT_EQ(le32(bmp, 22), 298u);
  EXPECT_EQ(quint8(bmp[28]) | quint8(bmp[29]) << 8, 8);
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(bmp, "BMP"));
  EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32),
            defaultLogoPicture().convertToFormat(QImage::Format_RGB32));

  // A picture chosen with "Abrir imagem" is written back as the very file it came from:
  // here a 1-bit file whose reserved header bytes no encoder would reproduce.
  QImage mono(37, 19, QImage::Format_Mono);
  mono.fill(0);
  for (int y = 0; y < 19; ++y) mono.setPixel((y * 7) % 37, y, 1);
  QByteArray chosen = encodedPicture(mono, "BMP");
  ASSERT_FALSE(chosen.isEmpty());
  chosen[6] = 'V';
  chosen[7] = 'X';
  writeAll(path(QStringLiteral("escolhida.bmp")), chosen);
  dialogs->fileAnswers.push_back(path(QStringLiteral("escolhida.bmp")));
  click(ui.openPictureButton());
  ASSERT_EQ(boxCount(), 0);
  ASSERT_EQ(ui.sourcePicture().image.size(), QSize(37, 19));
  save(QStringLiteral("escolhida_salva"));
  EXPECT_EQ(readAll(path(QStringLiteral("escolhida_salva.bmp"))), chosen);
  // Opened and saved again, still the same bytes.
  open(QStringLiteral("escolhida_salva.cfg"));
  save(QStringLiteral("de_novo"));
  EXPECT_EQ(readAll(path(QStringLiteral("de_novo.bmp"))), chosen);
  EXPECT_EQ(boxCount(), 0);
}

// --- File names and dialogs ---

TEST_F(FileCommands, TheSaveDialogsNameGivesThePairsNames) {
  struct Row {
    const char* chosen;
    QStringList files;  // sorted
  };
  // The names of the pair for every choice are the core's (ConfigFileNames tests); here, that the
  // window writes both files under the names the dialog's answer gives.
  const Row rows[] = {
      {"sala", {"sala.bmp", "sala.cfg"}},
      {"sala.txt", {"sala.bmp", "sala.txt"}},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.chosen);
    const QString sub = QStringLiteral("d%1").arg(n++);
    ASSERT_TRUE(QDir(dir.path()).mkdir(sub));
    save(sub + QLatin1Char('/') + QLatin1String(row.chosen));
    EXPECT_EQ(QDir(path(sub)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              row.files);
    const QByteArray bmp = readAll(path(sub + QLatin1Char('/') + row.files[0]));
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(crlfLines(readAll(path(sub + QLatin1Char('/') + row.files[1]))).size(), 183);
  }
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(FileCommands, EachDialogOffersItsOwnLastNameAndTheConfigurationFilter) {
  settle();
  save(QStringLiteral("a"));
  open(QStringLiteral("a.cfg"));
  save(QStringLiteral("b"));
  open(QStringLiteral("b.cfg"));
  save(QString());  // cancelled: nothing saved, nothing marked or cleared
  EXPECT_FALSE(ui.model().unsavedChanges);
  open(QString());  // cancelled: nothing changes
  EXPECT_FALSE(ui.model().unsavedChanges);
  save(QStringLiteral("c"));

  struct Expected {
    FileDialogKind kind;
    QString lastName;
  };
  const Expected expected[] = {
      {FileDialogKind::SaveConfig, QString()}, {FileDialogKind::OpenConfig, QString()},
      {FileDialogKind::SaveConfig, path("a")}, {FileDialogKind::OpenConfig, path("a.cfg")},
      {FileDialogKind::SaveConfig, path("b")}, {FileDialogKind::OpenConfig, path("b.cfg")},
      {FileDialogKind::SaveConfig, path("b")},
  };
  ASSERT_EQ(dialogs->fileDialogs.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(dialogs->fileDialogs[i].kind, expected[i].kind);
    EXPECT_EQ(dialogs->fileDialogs[i].lastName, expected[i].lastName);
    EXPECT_EQ(dialogs->fileDialogs[i].filter, kFilter);
  }
  EXPECT_EQ(entries(), QStringList({"a.bmp", "a.cfg", "b.bmp", "b.cfg", "c.bmp", "c.cfg"}));
  EXPECT_EQ(boxCount(), 0);
}

// --- What a file may hold ---

// A copy of the pair `base` (a saved .cfg and its .bmp) as `name`, with some lines replaced.
class PatchedFiles : public FileCommands {
 protected:
  void SetUp() override {
    FileCommands::SetUp();
    save(QStringLiteral("base"));
    baseLines = crlfLines(readAll(path(QStringLiteral("base.cfg"))));
    ASSERT_EQ(baseLines.size(), 183);
  }
  QString writeVariant(const QString& name, const QByteArray& cfg) {
    writeAll(path(name + QStringLiteral(".cfg")), cfg);
    QFile::copy(path(QStringLiteral("base.bmp")), path(name + QStringLiteral(".bmp")));
    return name + QStringLiteral(".cfg");
  }
  QString withLines(const QString& name, const std::vector<std::pair<int, QByteArray>>& changes) {
    QList<QByteArray> lines = baseLines;
    for (const auto& [n, text] : changes) lines[n - 1] = text;
    return writeVariant(name, joinLines(lines));
  }
  QList<QByteArray> baseLines;
};

// Which spellings count as true is the reader's (ConfigText.AFlagIsTrueOnlyForExactlyUpperCaseTrue);
// here, one spelling per flag of the file, that each reaches its own place in the window.
TEST_F(PatchedFiles, AFlagIsTrueOnlyForUpperCaseTRUE) {
  struct Row {
    int line;
    QByteArray text;
    std::function<bool(const WindowDriver&)> value;
  };
  const std::vector<Row> rows = {
      {14, "true",
       [](const WindowDriver& ui) { return ui.model().lineEnabled[1][1] && ui.lineText(1)->isEnabled(); }},
      {29 + 14, " TRUE", [](const WindowDriver& ui) { return ui.model().lineEnabled[1][2]; }},
      {179, "true",
       [](const WindowDriver& ui) {
         return ui.printLogoBox()->isChecked() || ui.logoHeightBar()->value() != 0;
       }},
      {180, "True", [](const WindowDriver& ui) { return ui.resetAtDayEndBox()->isChecked(); }},
      {181, "1", [](const WindowDriver& ui) { return ui.beepBox()->isChecked(); }},
      {182, "-1", [](const WindowDriver& ui) { return ui.partialCutButton()->isChecked(); }},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line << " \"" << row.text.toStdString() << "\"");
    const QString variant = withLines(QStringLiteral("flag%1").arg(n++), {{row.line, row.text}});
    open(QStringLiteral("base.cfg"));
    ASSERT_TRUE(row.value(ui));
    open(variant);
    EXPECT_FALSE(row.value(ui));
  }
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(PatchedFiles, TheCutFlagsAreAppliedPartialFirstThenTotal) {
  struct Row {
    const char* partial;
    const char* total;
    bool partialChecked;
    bool totalChecked;
  };
  const Row rows[] = {
      {"FALSE", "FALSE", false, false},
      {"TRUE", "TRUE", false, true},
      {"FALSE", "TRUE", false, true},
      {"TRUE", "FALSE", true, false},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.partial << " " << row.total);
    const QString variant =
        withLines(QStringLiteral("corte%1").arg(n++), {{182, row.partial}, {183, row.total}});
    click(ui.totalCutButton());  // the state before the open is the other one
    open(variant);
    EXPECT_EQ(ui.partialCutButton()->isChecked(), row.partialChecked);
    EXPECT_EQ(ui.totalCutButton()->isChecked(), row.totalChecked);
    // What is shown is what a later save writes.
    save(QStringLiteral("resalvo"));
    const QList<QByteArray> again = crlfLines(readAll(path(QStringLiteral("resalvo.cfg"))));
    ASSERT_EQ(again.size(), 183);
    EXPECT_EQ(again[181], row.partialChecked ? "TRUE" : "FALSE");
    EXPECT_EQ(again[182], row.totalChecked ? "TRUE" : "FALSE");
  }
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(FileCommands, AFileSavedWithTheLogoOffOpensWithTheLogoOffWhileTheLogoIsOn) {
  click(ui.printLogoBox());  // logo off: the height 90 is kept aside, the bar shows 0
  ASSERT_EQ(ui.logoHeightBar()->value(), 0);
  save(QStringLiteral("sem_logo"));
  const QList<QByteArray> lines = crlfLines(readAll(path(QStringLiteral("sem_logo.cfg"))));
  ASSERT_EQ(lines.size(), 183);
  EXPECT_EQ(lines[175], "0");
  EXPECT_EQ(lines[178], "FALSE");
  click(ui.printLogoBox());  // logo on again at 90
  ASSERT_EQ(ui.logoHeightBar()->value(), 90);

  open(QStringLiteral("sem_logo.cfg"));
  // The height is first raised to the bar's lower bound 10, then the logo is switched off.
  EXPECT_FALSE(ui.printLogoBox()->isChecked());
  EXPECT_EQ(ui.logoHeightBar()->value(), 0);
  EXPECT_EQ(ui.savedLogoHeight(), 10);
  EXPECT_FALSE(ui.logoPicture()->isVisible());
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(FileCommands, AFileWithTheLogoOnKeepsItsOwnHeightWhenOpenedWhileTheLogoIsOff) {
  ui.logoHeightBar()->setValue(150);
  save(QStringLiteral("com_logo"));
  ui.logoHeightBar()->setValue(60);
  click(ui.printLogoBox());  // logo off, 60 kept aside
  ASSERT_EQ(ui.savedLogoHeight(), 60);

  open(QStringLiteral("com_logo.cfg"));
  EXPECT_TRUE(ui.printLogoBox()->isChecked());
  EXPECT_EQ(ui.logoHeightBar()->value(), 150);
  EXPECT_EQ(ui.logoHeightBar()->minimum(), 10);
  EXPECT_TRUE(ui.logoHeightBar()->isEnabled());
  EXPECT_EQ(ui.logoPicture()->size(), QSize(300, 150));
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(FileCommands, LinesAfter183AreIgnoredAndLinesMayEndInALoneCrOrLf) {
  save(QStringLiteral("inicial"));
  const WindowState initial = state();
  makeKnownChanges();
  const WindowState known = state();
  save(QStringLiteral("conhecida"));
  const QList<QByteArray> lines = crlfLines(readAll(path(QStringLiteral("conhecida.cfg"))));
  ASSERT_EQ(lines.size(), 183);

  // A lone CR before an empty line ended by LF would read as one CR LF: such a file has one
  // line less, so the mix avoids it.
  QByteArray mixed;
  for (int i = 0; i < lines.size(); ++i) {
    const bool emptyNext = i + 1 < lines.size() && lines[i + 1].isEmpty();
    mixed += lines[i] + (i % 3 == 0 && !emptyNext ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
  }
  QByteArray noLastEnding = joinLines(lines, "\n");
  noLastEnding.chop(1);
  const std::pair<const char*, QByteArray> variants[] = {
      {"extra", joinLines(lines) + "lixo\r\n-\r\n\r\nmais lixo"},
      {"cr", joinLines(lines, "\r")},
      {"lf", joinLines(lines, "\n")},
      {"mixed", mixed},
      {"no_last_ending", noLastEnding},
  };
  for (const auto& [name, bytes] : variants) {
    SCOPED_TRACE(name);
    writeAll(path(QLatin1String(name) + ".cfg"), bytes);
    QFile::copy(path(QStringLiteral("conhecida.bmp")), path(QLatin1String(name) + ".bmp"));
    open(QStringLiteral("inicial.cfg"));
    ASSERT_EQ(state(), initial);
    open(QLatin1String(name) + ".cfg");
    EXPECT_EQ(state(), known);
  }
  EXPECT_EQ(boxCount(), 0);
}

TEST_F(FileCommands, BinaryBytesInTextLinesSurviveAnOpenAndASave) {
  save(QStringLiteral("base"));
  QList<QByteArray> lines = crlfLines(readAll(path(QStringLiteral("base.cfg"))));
  QByteArray controls, high;
  for (int c = 1; c < 0x20; ++c)
    if (c != '\r' && c != '\n') controls += char(c);
  controls += '\x7F';
  for (int c = 0x80; c <= 0xFF; ++c) high += char(c);
  lines[6] = controls;                         // button 1, line 2 (shown on the page)
  lines[29 + 5] = high;                        // button 2, line 1
  lines[29 * 5 + 12] = QByteArray("a\0b", 3);  // button 6, line 8
  writeAll(path(QStringLiteral("binario.cfg")), joinLines(lines));
  QFile::copy(path(QStringLiteral("base.bmp")), path(QStringLiteral("binario.bmp")));

  open(QStringLiteral("binario.cfg"));
  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(ui.model().lineText[1][2].size(), 128);
  EXPECT_EQ(ui.model().lineText[1][2].at(0x80 - 0x80), QChar(0x20AC));  // the euro sign
  EXPECT_EQ(ui.lineText(2)->text(), ui.model().lineText[2][1]);
  save(QStringLiteral("binario_salvo"));
  EXPECT_EQ(readAll(path(QStringLiteral("binario_salvo.cfg"))), joinLines(lines));
}

// --- Files that cannot be used ---

TEST_F(FileCommands, AMissingLogoFileShowsTheMessageOnceAndChangesNothing) {
  save(QStringLiteral("sala"));
  ASSERT_TRUE(QFile::remove(path(QStringLiteral("sala.bmp"))));
  makeKnownChanges();
  settle();
  const WindowState before = state();
  open(QStringLiteral("sala.cfg"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, kOpenFailureTitle);
  EXPECT_EQ(dialogs->boxes[0].text, kOpenFailureText);
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Warning);
  EXPECT_EQ(dialogs->boxes[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(state(), before);
  EXPECT_FALSE(ui.model().unsavedChanges);
  EXPECT_TRUE(ui.sourcePicture().fileBytes.isEmpty());  // still the default picture
}

TEST_F(FileCommands, AMissingConfigurationFileBesideALogoFileChangesNothingNotEvenThePicture) {
  QImage small(20, 10, QImage::Format_RGB32);
  small.fill(Qt::black);
  ASSERT_TRUE(small.save(path(QStringLiteral("so_logo.bmp")), "BMP"));
  makeKnownChanges();
  click(ui.updatePictureButton());
  save(QStringLiteral("antes"));
  const WindowState before = state();
  const SourcePicture picture = ui.sourcePicture();
  const LogoRaster raster = ui.logoRaster();
  open(QStringLiteral("so_logo.cfg"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, kOpenFailureTitle);
  EXPECT_EQ(dialogs->boxes[0].text, kOpenFailureText);
  EXPECT_EQ(state(), before);
  EXPECT_TRUE(ui.sourcePicture() == picture);
  EXPECT_TRUE(ui.logoRaster() == raster);
  // The next save writes the pair as it would have before the open.
  save(QStringLiteral("depois"));
  EXPECT_EQ(readAll(path(QStringLiteral("depois.bmp"))), readAll(path(QStringLiteral("antes.bmp"))));
  EXPECT_EQ(readAll(path(QStringLiteral("depois.cfg"))), readAll(path(QStringLiteral("antes.cfg"))));
}

TEST_F(FileCommands, ASaveWritesEachButtonsLinkAsItsPageWouldShowIt) {
  choose(ui.letterList(), 8);  // button 1: "i"
  clickTab(1);
  choose(ui.letterList(), 8);  // button 2: "i" too, so it follows button 1
  clickTab(0);
  choose(ui.letterList(), 6);  // button 1: "G"; button 2 is not shown again
  save(QStringLiteral("sala"));
  const QList<QByteArray> lines = crlfLines(readAll(path(QStringLiteral("sala.cfg"))));
  ASSERT_EQ(lines.size(), 183);
  EXPECT_EQ(lines[29], "2");    // button 2 follows nobody
  EXPECT_EQ(lines[33], "105");  // with its own letter "i"
}

TEST_F(PatchedFiles, AMalformedOrShortFileIsReportedAndChangesNothing) {
  struct Row {
    const char* name;
    QByteArray cfg;
    QString text;
  };
  auto replaced = [this](int n, const QByteArray& text) {
    QList<QByteArray> lines = baseLines;
    lines[n - 1] = text;
    return joinLines(lines);
  };
  // Which files are malformed, and the message for each, are the reader's (ConfigText tests);
  // here, each kind of message reaches the operator whole and nothing is applied.
  const Row rows[] = {
      {"line 3 not a number", replaced(3, "abc"), QStringLiteral("'abc' is not a valid integer value.")},
      {"binary in a number line", replaced(5, QByteArray("6\0005", 3)),
       QStringLiteral("'6 5' is not a valid integer value.")},
      {"empty file", QByteArray(), QStringLiteral("List index out of bounds (0).")},
  };
  // A picture beside every variant would show if anything were applied.
  QImage other(30, 12, QImage::Format_RGB32);
  other.fill(Qt::red);
  makeKnownChanges();
  settle();
  const WindowState before = state();
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const QString name = QStringLiteral("ruim%1").arg(n++);
    writeAll(path(name + ".cfg"), row.cfg);
    ASSERT_TRUE(other.save(path(name + ".bmp"), "BMP"));
    dialogs->boxes.clear();
    open(name + ".cfg");
    ASSERT_EQ(boxCount(), 1);
    EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("vorlandex"));
    EXPECT_EQ(dialogs->boxes[0].text, row.text);
    EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(ui.sourcePicture().fileBytes.isEmpty());
    EXPECT_FALSE(ui.model().loading);
    EXPECT_FALSE(ui.model().unsavedChanges);
  }
  // The editor still stores what the operator types.
  retype(ui.lineText(1), QStringLiteral("depois"));
  EXPECT_EQ(ui.model().lineText[1][ui.model().currentButton], QStringLiteral("depois"));
}

TEST_F(FileCommands, AHundredMegabyteFileOfGarbageIsRefusedQuicklyAndChangesNothing) {
  for (const char* name : {"lixo.cfg", "lixo.bmp"}) {
    QFile f(path(QLatin1String(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x8F\xFF garbage \x01\x02\r\n\r", 15);
    ASSERT_TRUE(f.resize(100LL * 1024 * 1024));
  }
  makeKnownChanges();
  const WindowState before = state();
  QElapsedTimer t;
  t.start();
  open(QStringLiteral("lixo.cfg"));
  EXPECT_LT(t.elapsed(), 3000);
  ASSERT_EQ(boxCount(), 2);
  EXPECT_EQ(dialogs->boxes[0].title, kOpenFailureTitle);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(shownPath(path(QStringLiteral("lixo.cfg")))))
      << dialogs->boxes[0].text.toStdString();
  EXPECT_EQ(dialogs->boxes[1].text, kOpenFailureText);  // the picture is not a bitmap
  EXPECT_EQ(state(), before);
  EXPECT_TRUE(ui.sourcePicture().fileBytes.isEmpty());
}

TEST_F(FileCommands, NamesThatArePipesAreRefusedWithoutWaitingForAWriter) {
  if (!fileSystemHasNamedPipes()) GTEST_SKIP() << "no named pipes among this system's files";
  const QString cfg = path(QStringLiteral("fila.cfg"));
  ASSERT_TRUE(makeNamedPipe(cfg));
  ASSERT_TRUE(makeNamedPipe(path(QStringLiteral("fila.bmp"))));
  makeKnownChanges();
  const WindowState before = state();
  // Should the open wait for a writer, one comes after two seconds, so that the test fails
  // instead of hanging.
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 200 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (done) return;
    knockOnNamedPipe(cfg);
  });
  QElapsedTimer t;
  t.start();
  open(QStringLiteral("fila.cfg"));
  const qint64 elapsed = t.elapsed();
  done = true;
  writer.join();
  EXPECT_LT(elapsed, 1000);
  ASSERT_EQ(boxCount(), 2);
  EXPECT_EQ(dialogs->boxes[0].text, kOpenFailureText);
  EXPECT_EQ(dialogs->boxes[1].text, kOpenFailureText);
  EXPECT_EQ(state(), before);
}

TEST_F(FileCommands, ALogoFileThatLiesAboutItsSizeGivesTheOpenFailure) {
  save(QStringLiteral("mente"));
  QByteArray bmp = readAll(path(QStringLiteral("mente.bmp")));
  putLe32(bmp, 22, 2 * 298);  // twice the rows the file holds
  writeAll(path(QStringLiteral("mente.bmp")), bmp);
  makeKnownChanges();
  const WindowState before = state();
  open(QStringLiteral("mente.cfg"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].text, kOpenFailureText);
  EXPECT_EQ(state(), before);
  EXPECT_EQ(ui.sourcePicture().image.size(), QSize(987, 298));
}

// --- Saves that fail ---

TEST_F(FileCommands, ASaveThatCannotWriteIsReportedAndTheClosePromptStillAsks) {
  writeAll(path(QStringLiteral("arquivo")), "not a folder");
  settle();
  retype(ui.lineText(1), QStringLiteral("trabalho"));
  const QString name = path(QStringLiteral("arquivo/sala"));
  save(name);
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("vorlandex"));
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(shownPath(name + QStringLiteral(".bmp"))))
      << dialogs->boxes[0].text.toStdString();
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_EQ(entries(), QStringList({"arquivo"}));

  // Closing asks; "Yes" tries the same name again, fails again, and the window stays open.
  dialogs->answers.push_back(MessageAnswer::Yes);
  dialogs->fileAnswers.push_back(name);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(boxCount(), 3);
  EXPECT_EQ(dialogs->boxes[1].title, QStringLiteral("Salvar alterações"));
  EXPECT_EQ(dialogs->boxes[2].title, QStringLiteral("vorlandex"));
  EXPECT_EQ(dialogs->fileDialogs.back().lastName, name);
  EXPECT_TRUE(ui.model().unsavedChanges);
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  ASSERT_EQ(boxCount(), 4);
  EXPECT_EQ(dialogs->boxes[3].title, QStringLiteral("Salvar alterações"));
}

TEST_F(FileCommands, AFailedSaveLeavesTheFilesThatWereThereAsTheyWere) {
  save(QStringLiteral("sala"));
  const QByteArray oldCfg = readAll(path(QStringLiteral("sala.cfg")));
  // The logo file's name is taken by a folder: the logo file cannot be put in place.
  ASSERT_TRUE(QFile::remove(path(QStringLiteral("sala.bmp"))));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sala.bmp")));
  settle();
  retype(ui.lineText(1), QStringLiteral("novo"));
  save(QStringLiteral("sala"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(shownPath(path(QStringLiteral("sala.bmp")))))
      << dialogs->boxes[0].text.toStdString();
  EXPECT_EQ(readAll(path(QStringLiteral("sala.cfg"))), oldCfg);
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("sala.bmp"))).isDir());
  EXPECT_EQ(entries(), QStringList({"sala.bmp", "sala.cfg"}));  // no temporary file left behind
  EXPECT_TRUE(ui.model().unsavedChanges);
}

TEST_F(FileCommands, ANameThatGivesBothFilesOneNameIsRefused) {
  // "sala.bmp" keeps its name for the configuration file and gives the logo file the same
  // name: the second file would overwrite the first.
  writeAll(path(QStringLiteral("sala.bmp")), "old picture");
  click(ui.beepBox());
  save(QStringLiteral("sala.bmp"));
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
  EXPECT_TRUE(dialogs->boxes[0].text.contains(shownPath(path(QStringLiteral("sala.bmp")))));
  EXPECT_EQ(readAll(path(QStringLiteral("sala.bmp"))), "old picture");
  EXPECT_EQ(entries(), QStringList({"sala.bmp"}));
  EXPECT_TRUE(ui.model().unsavedChanges);
}

TEST_F(FileCommands, ASaveIntoAReadOnlyFolderLeavesBothOldFiles) {
  if (!readOnlyFoldersRefuseWrites()) GTEST_SKIP() << "this process writes into read-only folders";
  save(QStringLiteral("sala"));
  const QByteArray oldCfg = readAll(path(QStringLiteral("sala.cfg")));
  const QByteArray oldBmp = readAll(path(QStringLiteral("sala.bmp")));
  ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
  settle();
  retype(ui.lineText(1), QStringLiteral("novo"));
  save(QStringLiteral("sala"));
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
  EXPECT_EQ(readAll(path(QStringLiteral("sala.cfg"))), oldCfg);
  EXPECT_EQ(readAll(path(QStringLiteral("sala.bmp"))), oldBmp);
  EXPECT_TRUE(ui.model().unsavedChanges);
}

// --- The close prompt ---

using ClosePrompt = FileCommands;

TEST_F(ClosePrompt, ItAsksOnlyWhileThePairDiffersFromTheOneItStartedWith) {
  EXPECT_TRUE(window->close());  // right after start-up nothing changed
  EXPECT_EQ(boxCount(), 0);
  window->show();
  click(ui.beepBox());
  EXPECT_FALSE(window->close());  // unscripted: the box is closed without a choice
  ASSERT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Salvar alterações"));
  EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("Deseja salvar alterações efetuadas ?"));
  EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Question);
  EXPECT_EQ(dialogs->boxes[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(ui.model().unsavedChanges);
  click(ui.undoButton());
  EXPECT_TRUE(window->close());
  EXPECT_EQ(boxCount(), 1);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(entries().isEmpty());
}

TEST_F(ClosePrompt, AChangeRightAfterAnOpenIsUnsaved) {
  save(QStringLiteral("sala"));
  open(QStringLiteral("sala.cfg"));
  EXPECT_FALSE(ui.model().unsavedChanges);
  retype(ui.lineText(1), QStringLiteral("mudou logo depois"));
  EXPECT_TRUE(ui.model().unsavedChanges);
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(boxCount(), 1);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ClosePrompt, AFailedOpenKeepsTheOperatorsUnsavedChanges) {
  settle();
  retype(ui.lineText(1), QStringLiteral("trabalho"));
  open(QStringLiteral("nada.cfg"));  // neither file of the pair exists
  ASSERT_EQ(boxCount(), 2);
  // The history goes on: the close still asks.
  EXPECT_TRUE(ui.model().unsavedChanges);
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  ASSERT_EQ(boxCount(), 3);
  EXPECT_EQ(dialogs->boxes[2].title, QStringLiteral("Salvar alterações"));
}

TEST_F(ClosePrompt, CancelKeepsTheWindowOpenAndYesThenACancelledSaveClosesWithoutSaving) {
  settle();
  click(ui.totalCutButton());
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(ui.model().unsavedChanges);
  dialogs->answers.push_back(MessageAnswer::Yes);
  dialogs->fileAnswers.push_back(QString());
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(boxCount(), 2);
  ASSERT_EQ(dialogs->fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs->fileDialogs[0].kind, FileDialogKind::SaveConfig);
  EXPECT_TRUE(entries().isEmpty());
}

TEST_F(ClosePrompt, YesSavesUnderTheChosenNameAndNoClosesWithoutSaving) {
  settle();
  choose(ui.portList(), 1);
  dialogs->answers.push_back(MessageAnswer::Yes);
  dialogs->fileAnswers.push_back(path(QStringLiteral("ao_fechar")));
  EXPECT_TRUE(window->close());
  EXPECT_EQ(entries(), QStringList({"ao_fechar.bmp", "ao_fechar.cfg"}));
  EXPECT_FALSE(ui.model().unsavedChanges);

  window->show();
  retype(ui.lineText(1), QStringLiteral("não salvo"));
  dialogs->answers.push_back(MessageAnswer::No);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(dialogs->fileDialogs.size(), 1u);
  EXPECT_EQ(entries(), QStringList({"ao_fechar.bmp", "ao_fechar.cfg"}));
}

TEST_F(ClosePrompt, AfterSavingItAsksOnlyAfterTheNextChange) {
  settle();
  retype(ui.lineText(1), QStringLiteral("antes"));
  ASSERT_TRUE(ui.model().unsavedChanges);
  save(QStringLiteral("sala"));
  EXPECT_FALSE(ui.model().unsavedChanges);
  ui.contrastBar()->setValue(40);  // the contrast is saved in the pair: a change too
  EXPECT_TRUE(ui.model().unsavedChanges);
  click(ui.undoButton());
  EXPECT_TRUE(window->close());
  EXPECT_EQ(boxCount(), 0);

  window->show();
  retype(ui.lineText(1), QStringLiteral("depois"));
  dialogs->answers.push_back(MessageAnswer::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(boxCount(), 1);
  EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("Salvar alterações"));
}

}  // namespace
}  // namespace test
}  // namespace vx
