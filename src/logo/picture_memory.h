#pragma once
// Memory for the dots of large pictures. It is mapped in 2 MiB pages where the kernel allows
// it once a picture is that large: each first touch of a 4 KiB page costs a page fault, and
// on a virtual machine the 9,000 faults of a photo's 36 MB take longer than decoding it.
// A picture made here behaves as any QImage; its memory goes when its last copy goes.

#include <QImage>
#include <QSize>
#include <cstddef>

namespace vx {

class PictureMemory {
 public:
  // `bytes` of memory, or none (data() null) when the system has none to give.
  explicit PictureMemory(std::size_t bytes);
  ~PictureMemory();
  PictureMemory(const PictureMemory&) = delete;
  PictureMemory& operator=(const PictureMemory&) = delete;

  uchar* data() const { return base_; }

  // Hands the memory over to a picture of the given layout, which must fit in it; null
  // (and the memory kept here) when QImage refuses the layout.
  QImage intoImage(int width, int height, qsizetype bytesPerLine, QImage::Format format);

 private:
  uchar* base_ = nullptr;
  std::size_t size_ = 0;
};

// A picture of `size` and `format` in such memory, its dots not yet set, with the rows laid
// out as QImage lays them out itself; null when the size is empty or the memory is missing.
QImage newLargePicture(QSize size, QImage::Format format);

}  // namespace vx
