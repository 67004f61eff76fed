#include "logo/png_decoder.h"

#include "logo/picture_memory.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <smmintrin.h>

#include <atomic>
#endif

namespace vx {
namespace {

constexpr std::uint32_t tag(const char (&name)[5]) {
  return std::uint32_t(uchar(name[0])) << 24 | std::uint32_t(uchar(name[1])) << 16 |
         std::uint32_t(uchar(name[2])) << 8 | uchar(name[3]);
}

std::uint32_t bigEndian32(const uchar* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Beyond these the fast path does not try; Qt's reader and the caller's limits decide.
constexpr std::uint32_t kMaxSide = 1u << 20;
constexpr std::uint64_t kMaxDots = std::uint64_t{1} << 28;

struct Header {
  int width = 0;
  int height = 0;
  int channels = 0;  // 3 for RGB, 4 for RGBA
};

struct Span {
  const uchar* data;
  std::size_t size;
};

// Walks the chunks from the signature to IEND, checking every checksum. Answers the header
// and the pieces of pixel data, or nothing when the file is not one this reader takes.
std::optional<Header> readChunks(const uchar* p, std::size_t n, std::vector<Span>& pixelData) {
  static const uchar kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n < 8 || std::memcmp(p, kSignature, 8) != 0) return std::nullopt;
  Header header;
  bool haveHeader = false;
  bool pixelDataEnded = false;
  std::size_t at = 8;
  for (;;) {
    if (n - at < 12) return std::nullopt;  // cut off before IEND
    const std::uint32_t length = bigEndian32(p + at);
    if (length > 0x7FFFFFFFu || n - at - 12 < length) return std::nullopt;
    const uchar* type = p + at + 4;
    const uchar* data = type + 4;
    if (libdeflate_crc32(0, type, length + 4) != bigEndian32(data + length)) return std::nullopt;
    const std::uint32_t name = bigEndian32(type);
    at += 12 + std::size_t{length};
    if (!haveHeader) {
      if (name != tag("IHDR") || length != 13) return std::nullopt;
      const std::uint32_t width = bigEndian32(data);
      const std::uint32_t height = bigEndian32(data + 4);
      const uchar depth = data[8], colour = data[9], compression = data[10], filter = data[11],
                  interlace = data[12];
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
          std::uint64_t{width} * height > kMaxDots)
        return std::nullopt;
      if (depth != 8 || (colour != 2 && colour != 6) || compression != 0 || filter != 0 || interlace != 0)
        return std::nullopt;
      header = {int(width), int(height), colour == 2 ? 3 : 4};
      haveHeader = true;
      continue;
    }
    if (name == tag("IDAT")) {
      if (pixelDataEnded) return std::nullopt;  // pixel data must come in one run
      pixelData.push_back({data, length});
      continue;
    }
    if (!pixelData.empty()) pixelDataEnded = true;
    if (name == tag("IEND")) break;
    // A colour key or transparency table, animation, and an orientation change the
    // picture; a critical chunk other than the palette is one this reader does not know.
    const bool critical = (type[0] & 0x20) == 0;
    if (name == tag("tRNS") || name == tag("acTL") || name == tag("eXIf") || name == tag("IHDR") ||
        (critical && name != tag("PLTE")))
      return std::nullopt;
  }
  if (pixelData.empty()) return std::nullopt;
  return header;
}

// Undoing the row filters. `row` holds the filtered bytes, `prior` the row above as already
// undone (zeros above the first row); the result goes to `out`, which may lie up to the
// same bytes before `row` (each dot is read before it is written). Filters 1, 3 and 4 depend on
// the dot to the left as undone, so they go dot by dot; the bytes of one dot go together.

void undoUp(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= bytes; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prior + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_add_epi8(x, b));
  }
#endif
  for (; i < bytes; ++i) out[i] = uchar(row[i] + prior[i]);
}

#if defined(__SSE2__)

template <int Channels>
__m128i loadDot(const uchar* p) {
  std::uint32_t v;
  if constexpr (Channels == 4) {
    std::memcpy(&v, p, 4);
  } else {  // built in a register: three bytes copied into a word on the stack stall the load
    v = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
  }
  return _mm_cvtsi32_si128(int(v));
}

template <int Channels>
void storeDot(uchar* p, __m128i dot) {
  const std::uint32_t v = std::uint32_t(_mm_cvtsi128_si32(dot));
  if constexpr (Channels == 4) {
    std::memcpy(p, &v, 4);
  } else {
    const auto low = std::uint16_t(v);
    std::memcpy(p, &low, 2);
    p[2] = uchar(v >> 16);
  }
}

template <int Channels>
void undoSub(const uchar* row, uchar* out, std::size_t bytes) {
  __m128i a = _mm_setzero_si128();
  for (std::size_t i = 0; i < bytes; i += Channels) {
    a = _mm_add_epi8(loadDot<Channels>(row + i), a);
    storeDot<Channels>(out + i, a);
  }
}

template <int Channels>
void undoAverage(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  const __m128i one = _mm_set1_epi8(1);
  __m128i a = _mm_setzero_si128();
  for (std::size_t i = 0; i < bytes; i += Channels) {
    const __m128i b = loadDot<Channels>(prior + i);
    // floor((a + b) / 2): the rounded-up average less the odd bit.
    const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
    a = _mm_add_epi8(loadDot<Channels>(row + i), mean);
    storeDot<Channels>(out + i, a);
  }
}

// The Paeth predictor on 16-bit lanes: of a (left), b (above) and c (above left), the one
// nearest a + b - c, ties going to a, then b. Each dot waits for the one to its left, so
// the steps from a to the next a are what count; with SSE4.1 (absolute values and blends
// in one step each) there are eight of them instead of eleven.
template <int Channels>
void undoPaethSse2(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_set1_epi16(0xFF);
  __m128i a = zero;
  __m128i c = zero;
  for (std::size_t i = 0; i < bytes; i += Channels) {
    const __m128i b = _mm_unpacklo_epi8(loadDot<Channels>(prior + i), zero);
    const __m128i x = _mm_unpacklo_epi8(loadDot<Channels>(row + i), zero);
    const __m128i p = _mm_sub_epi16(b, c);  // a + b - c - a
    const __m128i q = _mm_sub_epi16(a, c);  // a + b - c - b
    const __m128i pq = _mm_add_epi16(p, q);
    const __m128i pa = _mm_max_epi16(p, _mm_sub_epi16(zero, p));
    const __m128i pb = _mm_max_epi16(q, _mm_sub_epi16(zero, q));
    const __m128i pc = _mm_max_epi16(pq, _mm_sub_epi16(zero, pq));
    const __m128i takeC = _mm_cmpgt_epi16(pb, pc);
    const __m128i bOrC = _mm_or_si128(_mm_and_si128(takeC, c), _mm_andnot_si128(takeC, b));
    const __m128i notA = _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc));
    const __m128i predicted = _mm_or_si128(_mm_and_si128(notA, bOrC), _mm_andnot_si128(notA, a));
    a = _mm_and_si128(_mm_add_epi16(x, predicted), low);
    c = b;
    storeDot<Channels>(out + i, _mm_packus_epi16(a, zero));
  }
}

template <int Channels>
__attribute__((target("sse4.1"))) void undoPaethSse41(const uchar* row, const uchar* prior, uchar* out,
                                                      std::size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_set1_epi16(0xFF);
  __m128i a = zero;
  __m128i c = zero;
  for (std::size_t i = 0; i < bytes; i += Channels) {
    const __m128i b = _mm_unpacklo_epi8(loadDot<Channels>(prior + i), zero);
    const __m128i x = _mm_unpacklo_epi8(loadDot<Channels>(row + i), zero);
    const __m128i p = _mm_sub_epi16(b, c);
    const __m128i q = _mm_sub_epi16(a, c);
    const __m128i pa = _mm_abs_epi16(p);
    const __m128i pb = _mm_abs_epi16(q);
    const __m128i pc = _mm_abs_epi16(_mm_add_epi16(p, q));
    const __m128i bOrC = _mm_blendv_epi8(b, c, _mm_cmpgt_epi16(pb, pc));
    const __m128i predicted = _mm_blendv_epi8(a, bOrC, _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc)));
    a = _mm_and_si128(_mm_add_epi16(x, predicted), low);
    c = b;
    storeDot<Channels>(out + i, _mm_packus_epi16(a, zero));
  }
}

std::atomic<bool> baselineOnly{false};

template <int Channels>
void undoPaeth(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  static const bool sse41 = __builtin_cpu_supports("sse4.1");
  if (sse41 && !baselineOnly.load(std::memory_order_relaxed))
    undoPaethSse41<Channels>(row, prior, out, bytes);
  else
    undoPaethSse2<Channels>(row, prior, out, bytes);
}

#else  // plain C++ for other processors

template <int Channels>
void undoSub(const uchar* row, uchar* out, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) out[i] = uchar(row[i] + (i >= Channels ? out[i - Channels] : 0));
}

template <int Channels>
void undoAverage(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    const int a = i >= Channels ? out[i - Channels] : 0;
    out[i] = uchar(row[i] + ((a + prior[i]) >> 1));
  }
}

template <int Channels>
void undoPaeth(const uchar* row, const uchar* prior, uchar* out, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    const int a = i >= Channels ? out[i - Channels] : 0;
    const int b = prior[i];
    const int c = i >= Channels ? prior[i - Channels] : 0;
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    const int predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    out[i] = uchar(row[i] + predicted);
  }
}

#endif

template <int Channels>
bool undoFilters(const uchar* filtered, uchar* rows, std::size_t stride, const Header& header) {
  const std::size_t rowBytes = std::size_t(header.width) * Channels;
  const std::vector<uchar> zeros(rowBytes, 0);
  const uchar* prior = zeros.data();
  for (int y = 0; y < header.height; ++y) {
    const uchar filter = filtered[0];
    const uchar* row = filtered + 1;
    uchar* out = rows + stride * std::size_t(y);
    switch (filter) {
      case 0:
        std::memmove(out, row, rowBytes);
        break;
      case 1:
        undoSub<Channels>(row, out, rowBytes);
        break;
      case 2:
        undoUp(row, prior, out, rowBytes);
        break;
      case 3:
        undoAverage<Channels>(row, prior, out, rowBytes);
        break;
      case 4:
        undoPaeth<Channels>(row, prior, out, rowBytes);
        break;
      default:
        return false;
    }
    prior = out;
    filtered += rowBytes + 1;
  }
  return true;
}

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

}  // namespace

void usePngBaselineKernels(bool baseline) {
#if defined(__SSE2__)
  baselineOnly = baseline;
#else
  (void)baseline;
#endif
}

std::optional<QImage> decodeCommonPng(const QByteArray& bytes) {
  const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
  std::vector<Span> pieces;
  const std::optional<Header> header = readChunks(p, std::size_t(bytes.size()), pieces);
  if (!header) return std::nullopt;

  const uchar* compressed = pieces.front().data;
  std::size_t compressedBytes = pieces.front().size;
  std::optional<PictureMemory> joined;
  if (pieces.size() > 1) {
    compressedBytes = 0;
    for (const Span& s : pieces) compressedBytes += s.size;
    joined.emplace(compressedBytes);
    if (!joined->data()) return std::nullopt;
    std::size_t at = 0;
    for (const Span& s : pieces) {
      std::memcpy(joined->data() + at, s.data, s.size);
      at += s.size;
    }
    compressed = joined->data();
  }

  // The rows are undone in place: the filtered rows (a filter byte, then the row) lie at the
  // end of the picture's memory, each beyond where its finished row goes, so that writing a
  // row never overwrites bytes not yet read.
  const std::size_t height = std::size_t(header->height);
  const std::size_t rowBytes = std::size_t(header->width) * std::size_t(header->channels);
  const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
  const std::size_t filteredAt = stride > rowBytes + 1 ? (stride - rowBytes - 1) * height : 0;
  const std::size_t filteredBytes = (rowBytes + 1) * height;
  PictureMemory memory(filteredAt + filteredBytes);
  const std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(
      libdeflate_alloc_decompressor());
  if (!memory.data() || !inflater) return std::nullopt;
  std::size_t inflated = 0;
  if (libdeflate_zlib_decompress(inflater.get(), compressed, compressedBytes, memory.data() + filteredAt,
                                 filteredBytes, &inflated) != LIBDEFLATE_SUCCESS ||
      inflated != filteredBytes)
    return std::nullopt;
  joined.reset();

  const bool undone = header->channels == 3
                          ? undoFilters<3>(memory.data() + filteredAt, memory.data(), stride, *header)
                          : undoFilters<4>(memory.data() + filteredAt, memory.data(), stride, *header);
  if (!undone) return std::nullopt;
  QImage image = memory.intoImage(header->width, header->height, qsizetype(stride),
                                  header->channels == 3 ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace vx
