#include "pictures.h"

#include <QFile>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

// The pictures are compiled into whatever links this file. Naming the resource's
// initialiser keeps a static-library link from dropping it; it must be declared outside
// any namespace.
static void ensurePictureResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(pictures);
    return true;
  }();
  (void)registered;
}

namespace vx {
namespace {

// libjpeg reports fatal errors through error_exit, whose default ends the process. Ours
// jumps back to the setjmp in runDecode instead; warnings (repaired data) jump too, so a
// damaged file never shows up as a half-grey picture.
struct ErrorManager {
  jpeg_error_mgr pub;  // first member: libjpeg hands us a pointer to it
  std::jmp_buf jump;
  std::array<char, JMSG_LENGTH_MAX> message;
};

// The callbacks must hold nothing with a destructor: longjmp skips their frames.
[[noreturn]] void failDecode(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message.data());
  std::longjmp(err->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int msgLevel) {
  if (msgLevel < 0) failDecode(cinfo);  // a warning: the data is corrupt
  // Trace messages (level >= 0) are of no interest.
}

void silentOutput(j_common_ptr) {}

// Source manager over a buffer that holds the whole file. libjpeg asks for more data
// only when it has used all of it, so every such request means the file is cut short.
void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
  cinfo->err->msg_code = JERR_INPUT_EOF;
  failDecode(reinterpret_cast<j_common_ptr>(cinfo));
}

void skipInputData(j_decompress_ptr cinfo, long numBytes) {
  if (numBytes <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  if (static_cast<unsigned long>(numBytes) > src->bytes_in_buffer) {
    cinfo->err->msg_code = JERR_INPUT_EOF;
    failDecode(reinterpret_cast<j_common_ptr>(cinfo));
  }
  src->next_input_byte += numBytes;
  src->bytes_in_buffer -= static_cast<size_t>(numBytes);
}

void termSource(j_decompress_ptr) {}

// Everything the decoder touches lives here, outside the frame that calls setjmp, so its
// values are well defined after a longjmp.
struct DecodeJob {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  jpeg_source_mgr src{};
  bool created = false;
  QImage image;
  const char* failure = nullptr;  // our own reason, when libjpeg has none
};

bool runDecode(DecodeJob& job, const QByteArray& data) {
  job.cinfo.err = jpeg_std_error(&job.err.pub);
  job.err.pub.error_exit = failDecode;
  job.err.pub.emit_message = emitMessage;
  job.err.pub.output_message = silentOutput;
  if (setjmp(job.err.jump)) return false;

  jpeg_create_decompress(&job.cinfo);
  job.created = true;
  job.src.init_source = initSource;
  job.src.fill_input_buffer = fillInputBuffer;
  job.src.skip_input_data = skipInputData;
  job.src.resync_to_restart = jpeg_resync_to_restart;
  job.src.term_source = termSource;
  job.src.next_input_byte = reinterpret_cast<const JOCTET*>(data.constData());
  job.src.bytes_in_buffer = static_cast<size_t>(data.size());
  job.cinfo.src = &job.src;

  jpeg_read_header(&job.cinfo, TRUE);
  const qint64 pixels = qint64{job.cinfo.image_width} * job.cinfo.image_height;
  if (pixels <= 0 || pixels > kMaxJpegPixels) {
    job.failure = "JPEG image too large";
    return false;
  }
  // Refuse what RGB output cannot represent faithfully before libjpeg allocates anything.
  if (job.cinfo.jpeg_color_space == JCS_CMYK || job.cinfo.jpeg_color_space == JCS_YCCK) {
    job.failure = "CMYK JPEG images are not supported";
    return false;
  }
  job.cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job.cinfo);
  if (job.cinfo.output_components != 3) {
    job.failure = "JPEG image is not RGB";
    return false;
  }

  job.image = QImage(static_cast<int>(job.cinfo.output_width), static_cast<int>(job.cinfo.output_height),
                     QImage::Format_RGB888);
  if (job.image.isNull()) {
    job.failure = "out of memory for the JPEG image";
    return false;
  }
  while (job.cinfo.output_scanline < job.cinfo.output_height) {
    JSAMPROW row = job.image.scanLine(static_cast<int>(job.cinfo.output_scanline));
    jpeg_read_scanlines(&job.cinfo, &row, 1);
  }
  // Reads on to the end-of-image marker, so a file cut after its last row still fails.
  jpeg_finish_decompress(&job.cinfo);
  return true;
}

// One row of the pixel font of the sample ticket number: bit 7 is the leftmost pixel.
using Glyph = std::array<std::uint8_t, 9>;

constexpr Glyph kGlyphA = {
    0b00011000,  // ...##...
    0b00111100,  // ..####..
    0b01100110,  // .##..##.
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11111111,  // ########
    0b11111111,  // ########
    0b11000011,  // ##....##
    0b11000011,  // ##....##
};

constexpr Glyph kGlyph0 = {
    0b00111100,  // ..####..
    0b01111110,  // .######.
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b11000011,  // ##....##
    0b01111110,  // .######.
    0b00111100,  // ..####..
};

}  // namespace

QImage decodeJpeg(const QByteArray& data, QString* error) {
  DecodeJob job;
  const bool ok = runDecode(job, data);
  if (!ok && error) {
    *error = job.failure ? QString::fromLatin1(job.failure) : QString::fromLocal8Bit(job.err.message.data());
  }
  if (job.created) jpeg_destroy_decompress(&job.cinfo);
  if (!ok) return QImage();
  if (error) error->clear();
  return job.image;
}

QImage loadJpegResource(const QString& qrcPath, QString* error) {
  ensurePictureResources();
  QFile file(qrcPath);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return QImage();
  }
  return decodeJpeg(file.readAll(), error);
}

// The stored pictures never change: each is decoded once per run and shared (QImage
// copies share their data).
QImage buttonPanelPicture() {
  static const QImage picture = loadJpegResource(QString::fromLatin1(kButtonPanelResource));
  return picture;
}

QImage pressedButtonPicture(int button) {
  if (button < 1 || button > 4) return QImage();
  static const std::array<QImage, 4> pictures = [] {
    std::array<QImage, 4> p;
    for (int b = 1; b <= 4; ++b) p[b - 1] = loadJpegResource(QStringLiteral(":/pictures/image%1.jpg").arg(10 + b));
    return p;
  }();
  return pictures[button - 1];
}

QImage ticketPaperPicture() {
  QImage paper(kTicketPaperSize, QImage::Format_RGB888);
  paper.fill(QColor::fromRgb(kPaperColour));
  return paper;
}

QImage sampleTicketNumberPicture() {
  // Three 8 x 9 glyphs one pixel apart, with a one-pixel margin all round: 28 x 11.
  constexpr std::array<const Glyph*, 3> kText = {&kGlyphA, &kGlyph0, &kGlyph0};
  QImage picture(kSampleTicketNumberSize, QImage::Format_RGB888);
  picture.fill(QColor::fromRgb(kPaperColour));
  const QRgb ink = qRgb(0, 0, 0);
  for (int g = 0; g < static_cast<int>(kText.size()); ++g) {
    const int left = 1 + g * 9;
    for (int row = 0; row < 9; ++row) {
      for (int col = 0; col < 8; ++col) {
        if ((*kText[g])[row] & (0x80 >> col)) picture.setPixel(left + col, 1 + row, ink);
      }
    }
  }
  return picture;
}

}  // namespace vx
