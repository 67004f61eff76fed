#pragma once
// The fixed pictures of the main window and the JPEG decoder that reads them.
// The button pictures are JPEG resources (:/pictures/, from resources/pictures.qrc, which
// must be linked wherever this file is); the paper and the sample ticket number are drawn
// here. Every function returns a null QImage on failure and never ends the program.
// Reentrant: any thread may call any function.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "editor/button_page.h"

namespace vx {

// Image10: the printer's four buttons, two columns by two rows split at kButtonPanelSplitX
// and kButtonPanelSplitY (where a press selects a button); each button is drawn entirely
// inside its quadrant, and the quadrant borders run through panel background.
inline constexpr QSize kButtonPanelSize{279, 97};

// Where the pressed picture of button 1..4 (Image11..Image14) lies on Image10, relative
// to Image10's top-left corner: exactly the button's quadrant. Empty for other numbers.
constexpr QRect pressedButtonRect(int button) {
  const int w = kButtonPanelSize.width();
  const int h = kButtonPanelSize.height();
  switch (button) {
    case 1:  // top left
      return QRect(0, 0, kButtonPanelSplitX, kButtonPanelSplitY);
    case 2:  // bottom left
      return QRect(0, kButtonPanelSplitY, kButtonPanelSplitX, h - kButtonPanelSplitY);
    case 3:  // top right
      return QRect(kButtonPanelSplitX, 0, w - kButtonPanelSplitX, kButtonPanelSplitY);
    case 4:  // bottom right
      return QRect(kButtonPanelSplitX, kButtonPanelSplitY, w - kButtonPanelSplitX, h - kButtonPanelSplitY);
    default:
      return QRect();
  }
}

// The colour of the ticket paper: blank dots of the logo raster and the preview's paper.
inline constexpr QRgb kPaperColour = 0xFFFFFFA0;  // RGB (255, 255, 160)
inline constexpr QSize kTicketPaperSize{400, 400};
inline constexpr QSize kSampleTicketNumberSize{28, 11};

// Resource paths of the stored pictures.
inline constexpr char kButtonPanelResource[] = ":/pictures/image10.jpg";
inline constexpr char kWindowIconResource[] = ":/pictures/icon.png";  // 64 x 64 PNG

// Decodes a complete JPEG file held in memory into an RGB888 image (greyscale files are
// expanded to RGB). Returns a null image for anything that is not a clean JPEG file:
// bad or truncated data, data libjpeg had to repair (its warnings count as failures),
// CMYK files, or more than kMaxJpegPixels pixels. When `error` is given it receives
// libjpeg's message (or ours) on failure and is cleared on success.
inline constexpr qint64 kMaxJpegPixels = qint64{1} << 25;
QImage decodeJpeg(const QByteArray& data, QString* error = nullptr);

// Reads a JPEG file from the resources (or any path QFile opens) and decodes it.
QImage loadJpegResource(const QString& qrcPath, QString* error = nullptr);

// Image10, kButtonPanelSize.
QImage buttonPanelPicture();

// Image11..Image14: button 1..4 drawn pressed, sized and placed as pressedButtonRect().
// Null for other numbers.
QImage pressedButtonPicture(int button);

// Image4 and Image5: blank ticket paper, kTicketPaperSize, every pixel kPaperColour.
QImage ticketPaperPicture();

// Image6: the sample ticket number "A00" in black on the paper colour, kSampleTicketNumberSize,
// two colours only (a pixel font) so that it stays crisp when stretched without smoothing.
QImage sampleTicketNumberPicture();

}  // namespace vx
