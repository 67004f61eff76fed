// The logo in the window: opening a bitmap, the height, width and contrast controls, the
// logo switch, "Atualizar imagem", and the upload of the raster as it stands.

#include <QTemporaryDir>
#include <QTest>

#include "logo/logo_upload.h"
#include "logo/source_picture.h"
#include "printer/printer_state.h"
#include "printer/virtual_printer.h"
#include "pty_line.h"
#include "window_fixture.h"

namespace vx::test {
namespace {

class Logo : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    settleStartUp();
    ASSERT_TRUE(dir.isValid());
  }

  QString writeFile(const QString& name, const QByteArray& bytes) {
    return writeFileIn(dir.path(), name, bytes);
  }

  // What the operator sees of the logo: the box and the ticket preview.
  struct Shown {
    QImage picture;  // in the logo box
    QRect pictureRect;
    QRect backdropRect;
    QImage preview;  // the logo raster in the preview
    int paperTop;    // of the paper under the logo
    bool operator==(const Shown&) const = default;
  };
  Shown shown() const {
    return {ui.logoPicture()->picture(), ui.logoPicture()->geometry(), ui.logoBackdrop()->geometry(),
            ui.logoPreview()->picture(), ui.ticketPaper()->y()};
  }

  QTemporaryDir dir;
};

// --- Opening a picture ---

struct OpenCase {
  const char* name;
  enum { Cancel, NotABitmap, Truncated, DataPastTheEnd, Missing } file;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class OpenPicture : public Logo, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenPicture, AFileThatCannotBeUsedIsReportedAndChangesNothing) {
  QImage small(8, 8, QImage::Format_RGB888);
  small.fill(Qt::black);
  QString path;
  QString text;  // the report, without a box when empty
  switch (GetParam().file) {
    case OpenCase::Cancel:
      break;
    case OpenCase::NotABitmap:
      path = writeFile(QStringLiteral("logo.bmp"), "this is no picture\n");
      text = QStringLiteral("Bitmap image is not valid.");
      break;
    case OpenCase::Truncated:
      path = writeFile(QStringLiteral("cut.bmp"), encodeBitmap(small).left(60));
      text = QStringLiteral("Bitmap image is not valid.");
      break;
    case OpenCase::DataPastTheEnd: {
      // 3,654 bytes whose header puts the dots a million bytes in.
      QImage picture(20, 60, QImage::Format_RGB888);
      picture.fill(Qt::black);
      QByteArray bytes = encodeBitmap(picture);
      EXPECT_EQ(bytes.size(), 3654);
      for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<char>((1'000'000 >> (8 * i)) & 0xFF);
      path = writeFile(QStringLiteral("far.bmp"), bytes);
      text = QStringLiteral("Bitmap image is not valid.");
      break;
    }
    case OpenCase::Missing:
      path = dir.filePath(QStringLiteral("gone.bmp"));
      text = QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(path);
      break;
  }
  ui.contrastBar()->setValue(255);  // a raster computed now would be all black
  ui.forgetChanges();
  const SourcePicture picture = ui.sourcePicture();
  const LogoRaster raster = ui.logoRaster();
  const Shown before = shown();
  dialogs->fileAnswers.push_back(path);

  QTest::mouseClick(ui.openPictureButton(), Qt::LeftButton);

  ASSERT_EQ(dialogs->fileDialogs.size(), 1u);
  EXPECT_EQ(dialogs->fileDialogs[0].kind, FileDialogKind::OpenPicture);
  EXPECT_TRUE(dialogs->fileDialogs[0].filter.startsWith(QStringLiteral("Imagens (*.bmp *.png *.jpg")));
  EXPECT_TRUE(dialogs->fileDialogs[0].filter.endsWith(QStringLiteral("|Bitmaps (*.bmp)|*.bmp")));
  if (text.isEmpty()) {
    EXPECT_EQ(boxCount(), 0);
  } else {
    ASSERT_EQ(boxCount(), 1);
    EXPECT_EQ(dialogs->boxes[0].title, QStringLiteral("vorlandex"));
    EXPECT_EQ(dialogs->boxes[0].text, text);
    EXPECT_EQ(dialogs->boxes[0].icon, MessageIcon::Error);
  }
  EXPECT_TRUE(ui.sourcePicture() == picture);
  EXPECT_TRUE(ui.logoRaster() == raster);
  EXPECT_TRUE(shown() == before);
  EXPECT_FALSE(ui.model().unsavedChanges);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenPicture,
                         ::testing::Values(OpenCase{"Cancelled", OpenCase::Cancel},
                                           OpenCase{"NotABitmap", OpenCase::NotABitmap},
                                           OpenCase{"TruncatedBitmap", OpenCase::Truncated},
                                           OpenCase{"DataPastTheEnd", OpenCase::DataPastTheEnd},
                                           OpenCase{"MissingFile", OpenCase::Missing}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Logo, AValidBitmapBecomesThePictureWithItsOwnBytesAndTheNewRaster) {
  // 40 × 20: the left half black, the right half white.
  QImage image(40, 20, QImage::Format_RGB888);
  image.fill(Qt::white);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  const QByteArray bytes = encodeBitmap(image);
  const QString path = writeFile(QStringLiteral("half.bmp"), bytes);
  dialogs->fileAnswers.push_back(path);

  QTest::mouseClick(ui.openPictureButton(), Qt::LeftButton);

  EXPECT_EQ(boxCount(), 0);
  EXPECT_EQ(ui.sourcePicture().fileBytes, bytes);  // saved again exactly as chosen
  EXPECT_EQ(ui.sourcePicture().image.size(), QSize(40, 20));
  EXPECT_EQ(ui.pictureDialogName(), path);
  EXPECT_TRUE(ui.model().unsavedChanges);
  // W = 300 puts the picture 50 dots in; its black half covers box columns 50..199.
  const QImage& box = ui.logoPicture()->picture();
  ASSERT_EQ(box.size(), QSize(300, 90));
  EXPECT_EQ(box.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(box.pixel(149, 89), qRgb(0, 0, 0));
  EXPECT_EQ(box.pixel(150, 0), qRgb(255, 255, 255));
  for (int y : {0, 45, 89}) {
    SCOPED_TRACE(y);
    EXPECT_FALSE(ui.logoRaster().isBlack(49, y));
    EXPECT_TRUE(ui.logoRaster().isBlack(50, y));
    EXPECT_TRUE(ui.logoRaster().isBlack(199, y));
    EXPECT_FALSE(ui.logoRaster().isBlack(200, y));
    EXPECT_FALSE(ui.logoRaster().isBlack(350, y));
  }
  EXPECT_EQ(ui.logoPreview()->picture(), ui.logoRaster().image());
}

// --- The logo switch ---

TEST_F(Logo, SwitchingTheLogoOffLaysTheTicketOutWithoutItAndOnAgainRestoresTheHeight) {
  ui.logoHeightBar()->setValue(130);
  ui.forgetChanges();

  click(ui.printLogoBox());
  ASSERT_FALSE(ui.printLogoBox()->isChecked());
  EXPECT_EQ(ui.savedLogoHeight(), 130);
  EXPECT_EQ(ui.logoHeightBar()->minimum(), 0);
  EXPECT_EQ(ui.logoHeightBar()->maximum(), 200);
  EXPECT_EQ(ui.logoHeightBar()->value(), 0);
  EXPECT_FALSE(ui.logoHeightBar()->isEnabled());
  EXPECT_TRUE(ui.model().unsavedChanges);
  EXPECT_EQ(ui.ticketPaper()->y(), 164);  // the paper starts where the logo would
  EXPECT_EQ(ui.previewLine(1)->y(), 169);
  EXPECT_FALSE(ui.logoPicture()->isVisible() && ui.logoPicture()->height() > 0);
  EXPECT_FALSE(ui.logoBackdrop()->isVisible() && ui.logoBackdrop()->height() > 0);

  click(ui.printLogoBox());
  ASSERT_TRUE(ui.printLogoBox()->isChecked());
  EXPECT_EQ(ui.logoHeightBar()->value(), 130);
  EXPECT_TRUE(ui.logoHeightBar()->isEnabled());
  EXPECT_EQ(ui.logoHeightBar()->minimum(), 10);
  EXPECT_EQ(ui.ticketPaper()->y(), 164 + 94);
  EXPECT_EQ(ui.logoBackdrop()->geometry(), QRect(52, 347, 400, 130));
  EXPECT_EQ(ui.logoPicture()->geometry(), QRect(102, 347, 300, 130));
  EXPECT_TRUE(ui.logoPicture()->isVisible());
}

// --- Height, width and contrast ---

TEST_F(Logo, HeightWidthAndContrastMoveTheBoxButOnlyUpdatePictureChangesTheRaster) {
  const LogoRaster raster = ui.logoRaster();
  const QImage preview = ui.logoPreview()->picture();
  auto rasterKept = [&] {
    EXPECT_TRUE(ui.logoRaster() == raster);
    EXPECT_EQ(ui.logoPreview()->picture(), preview);
  };

  struct WidthCase {
    int w;
    int left;
  };
  for (const WidthCase c : {WidthCase{301, 52 + 49}, WidthCase{20, 52 + 190}, WidthCase{400, 52}}) {
    SCOPED_TRACE(c.w);
    ui.logoWidthBar()->setValue(c.w);
    EXPECT_EQ(ui.logoPicture()->geometry(), QRect(c.left, 347, c.w, 90));
    EXPECT_EQ(ui.logoPicture()->picture().size(), QSize(c.w, 90));
    EXPECT_EQ(ui.logoBackdrop()->geometry(), QRect(52, 347, 400, 90));
    rasterKept();
  }

  // The ticket text moves with the height at once; the raster waits.
  struct HeightCase {
    int h;
    int paperTop;
  };
  for (const HeightCase c :
       {HeightCase{130, 164 + 94}, HeightCase{10, 164 + 7}, HeightCase{200, 164 + 144}}) {
    SCOPED_TRACE(c.h);
    ui.logoHeightBar()->setValue(c.h);
    EXPECT_EQ(ui.logoPicture()->geometry(), QRect(52, 347, 400, c.h));
    EXPECT_EQ(ui.logoBackdrop()->geometry(), QRect(52, 347, 400, c.h));
    EXPECT_EQ(ui.ticketPaper()->y(), c.paperTop);
    EXPECT_EQ(ui.previewLine(1)->y(), c.paperTop + 5);
    rasterKept();
  }

  ui.logoHeightBar()->setValue(10);
  ui.contrastBar()->setValue(255);
  rasterKept();

  // Threshold 255 blackens every dot of the 10 rows; the rows below keep the old raster.
  QTest::mouseClick(ui.updatePictureButton(), Qt::LeftButton);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_TRUE(ui.logoRaster().isBlack(x, y)) << x << "," << y;
  for (int y = 10; y < 200; ++y)
    for (int x = 0; x < 400; ++x)
      ASSERT_EQ(ui.logoRaster().isBlack(x, y), raster.isBlack(x, y)) << x << "," << y;
  EXPECT_EQ(ui.logoPreview()->picture(), ui.logoRaster().image());
}

// --- The upload ---

class LogoUpload : public Logo {
 protected:
  struct Upload {
    std::vector<std::uint8_t> header;  // the 4-byte block header as it arrived
    printer::DecodeResult decoded;
  };

  // The one block on the line, each write stamped with its virtual hand-over time: the
  // opening of the port, "DIMP", the header, the data bytes and "F", one stamp each.
  Upload received() {
    Upload u;
    const std::vector<printer::TimedByte> arrived = line.received();
    const std::vector<std::int64_t>& stamps = pacer->handOvers();
    if (arrived.size() < 9) {
      ADD_FAILURE() << "only " << arrived.size() << " bytes arrived";
      return u;
    }
    for (int i = 4; i < 8; ++i) u.header.push_back(arrived[i].byte);
    const std::size_t n = arrived.size() - 9;
    if (stamps.size() != 1 + 2 + n + 1) {
      ADD_FAILURE() << stamps.size() << " hand-overs for " << arrived.size() << " bytes";
      return u;
    }
    std::vector<printer::TimedByte> timed;
    for (std::size_t i = 0; i < arrived.size(); ++i) {
      const std::size_t write = i < 4 ? 0 : i < 8 ? 1 : i - 6;
      timed.push_back({arrived[i].byte, stamps[1 + write] * 1000});
    }
    EXPECT_GE(stamps[1] - stamps[0], 100) << "\"DIMP\" too soon after the port opened";
    for (std::size_t i = 4; i < stamps.size(); ++i) EXPECT_GE(stamps[i] - stamps[i - 1], 12) << i;
    u.decoded = printer::decodeStream(timed, 0);
    for (const printer::Problem& p : u.decoded.problems) ADD_FAILURE() << "printer: " << p.text;
    return u;
  }

  static std::vector<std::uint8_t> bytesOf(const QByteArray& a) { return {a.begin(), a.end()}; }

  PtyLine line;  // COM1
};

TEST_F(LogoUpload, AtHeightTenTheRasterAsItStandsGoesOutInOneBlockAHundredMsAfterTheWord) {
  // The raster of the start-up's 90-row update; the height drops without a new update.
  const LogoRaster raster = ui.logoRaster();
  ui.logoHeightBar()->setValue(10);
  QTest::mouseClick(ui.sendLogoButton(), Qt::LeftButton);

  EXPECT_TRUE(ui.logoRaster() == raster) << "the upload recomputed the raster";
  EXPECT_TRUE(ui.model().printerChanged);
  EXPECT_EQ(ui.progressBar()->maximum(), 584);
  EXPECT_EQ(ui.progressBar()->value(), 584);
  EXPECT_FALSE(progressDialog->isVisible());
  EXPECT_TRUE(window->isEnabled());

  const Upload u = received();
  EXPECT_EQ(u.header, (std::vector<std::uint8_t>{0x00, 0x00, 0x02, 0x48}));
  ASSERT_EQ(u.decoded.transfers.size(), 1u);
  const printer::Transfer& t = u.decoded.transfers[0];
  EXPECT_EQ(t.kind, printer::Transfer::Kind::Block);
  EXPECT_EQ(t.code, 0x00);
  EXPECT_TRUE(t.pauseAfterWord);
  ASSERT_EQ(t.data.size(), 584u);
  EXPECT_EQ(t.data, bytesOf(logoUploadData(raster, 10)));
}

TEST_F(LogoUpload, AfterTheHeightGrowsTheRowsOfTheEarlierTallerUpdateAreSentAsTheyStand) {
  const LogoRaster tall = ui.logoRaster();  // 90 rows of the default picture
  ui.logoHeightBar()->setValue(10);
  ui.contrastBar()->setValue(255);
  QTest::mouseClick(ui.updatePictureButton(), Qt::LeftButton);  // rows 0..9 black
  ui.logoHeightBar()->setValue(30);
  QTest::mouseClick(ui.sendLogoButton(), Qt::LeftButton);

  const Upload u = received();
  EXPECT_EQ(u.header, (std::vector<std::uint8_t>{0x00, 0x00, 0x06, 0x6C}));  // 53 × 30 + 54
  ASSERT_TRUE(u.decoded.state.logo);
  const printer::Logo logo = printer::parseLogoBlock(*u.decoded.state.logo);
  ASSERT_TRUE(logo.problem.empty()) << logo.problem;
  ASSERT_EQ(logo.rows.size(), 30u);
  int blackBelow = 0;
  for (int r = 0; r < 30; ++r)
    for (int x = 0; x < 400; ++x) {
      const bool expected = r < 10 || tall.isBlack(x, r);
      ASSERT_EQ(logo.dot(x, r), expected) << x << "," << r;
      blackBelow += r >= 10 && expected;
    }
  EXPECT_GT(blackBelow, 0) << "the default picture left no black dot in rows 10..29";
}

TEST_F(LogoUpload, WithTheLogoOffTheUploadSendsTheTrailerAlone) {
  click(ui.printLogoBox());
  QTest::mouseClick(ui.sendLogoButton(), Qt::LeftButton);

  const Upload u = received();
  EXPECT_EQ(u.header, (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x36}));
  ASSERT_TRUE(u.decoded.state.logo);
  std::vector<std::uint8_t> trailer = {0x1B, 0x4C, 0x0A, 0x32};
  trailer.resize(54, 0x00);
  EXPECT_EQ(*u.decoded.state.logo, trailer);
}

}  // namespace
}  // namespace vx::test
