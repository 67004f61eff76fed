#include "jpeg_writer.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace vx::art {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;  // first member: libjpeg hands us a pointer to it
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failEncode(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Lives outside the frame that calls setjmp, so it is well defined after a longjmp.
struct EncodeJob {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  bool created = false;
  unsigned char* out = nullptr;  // malloc'ed by libjpeg's memory destination
  unsigned long outSize = 0;
};

bool runEncode(EncodeJob& job, const QImage& rgb, int quality) {
  job.cinfo.err = jpeg_std_error(&job.err.pub);
  job.err.pub.error_exit = failEncode;
  if (setjmp(job.err.jump)) return false;
  jpeg_create_compress(&job.cinfo);
  job.created = true;
  jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);
  job.cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  job.cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  job.cinfo.input_components = 3;
  job.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&job.cinfo);
  jpeg_set_quality(&job.cinfo, quality, TRUE);
  job.cinfo.dct_method = JDCT_ISLOW;
  job.cinfo.optimize_coding = TRUE;
  for (int c = 0; c < job.cinfo.num_components; ++c) {  // 4:4:4
    job.cinfo.comp_info[c].h_samp_factor = 1;
    job.cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&job.cinfo, TRUE);
  while (job.cinfo.next_scanline < job.cinfo.image_height) {
    // libjpeg only reads the row; its API just lacks const.
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(job.cinfo.next_scanline)));
    jpeg_write_scanlines(&job.cinfo, &row, 1);
  }
  jpeg_finish_compress(&job.cinfo);
  return true;
}

}  // namespace

QByteArray encodeJpeg(const QImage& picture, int quality, QString* error) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  EncodeJob job;
  const bool ok = runEncode(job, rgb, quality);
  if (job.created) jpeg_destroy_compress(&job.cinfo);
  QByteArray bytes;
  if (ok) {
    bytes = QByteArray(reinterpret_cast<const char*>(job.out), static_cast<qsizetype>(job.outSize));
  } else if (error) {
    *error = QString::fromLocal8Bit(job.err.message);
  }
  std::free(job.out);
  return bytes;
}

}  // namespace vx::art
