#include "logo/picture_memory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace vx {
namespace {

struct Mapping {
  void* base;
  std::size_t size;
};

void unmap(void* info) {
  auto* m = static_cast<Mapping*>(info);
  munmap(m->base, m->size);
  delete m;
}

}  // namespace

PictureMemory::PictureMemory(std::size_t bytes) {
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  const bool huge = bytes >= kHugePage;
  const std::size_t unit = huge ? kHugePage : 4096;
  const std::size_t size = (std::max<std::size_t>(bytes, 1) + unit - 1) / unit * unit;
  const std::size_t slack = huge ? kHugePage : 0;  // room to start on a huge page
  void* mapped = mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return;
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + unit - 1) & ~(unit - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  if (start + slack > aligned) munmap(reinterpret_cast<void*>(aligned + size), start + slack - aligned);
#ifdef MADV_HUGEPAGE
  if (huge) madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
  base_ = reinterpret_cast<uchar*>(aligned);
  size_ = size;
}

PictureMemory::~PictureMemory() {
  if (base_) munmap(base_, size_);
}

QImage PictureMemory::intoImage(int width, int height, qsizetype bytesPerLine, QImage::Format format) {
  if (!base_) return {};
  auto* owned = new Mapping{base_, size_};
  QImage image(base_, width, height, bytesPerLine, format, &unmap, owned);
  if (image.isNull()) {
    delete owned;
    return {};
  }
  base_ = nullptr;
  return image;
}

QImage newLargePicture(QSize size, QImage::Format format) {
  if (size.isEmpty() || format == QImage::Format_Invalid) return {};
  const int depth = QImage::toPixelFormat(format).bitsPerPixel();
  const qsizetype bytesPerLine = (qsizetype{size.width()} * depth + 31) / 32 * 4;
  PictureMemory memory(std::size_t(bytesPerLine) * std::size_t(size.height()));
  return memory.intoImage(size.width(), size.height(), bytesPerLine, format);
}

}  // namespace vx
