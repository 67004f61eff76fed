#pragma once
// The fixed pictures of the main window. The button pictures are PNG resources
// (:/pictures/, from resources/pictures.qrc, which must be linked wherever this file is),
// read with Qt's image reader; the paper and the sample ticket number are drawn here.
// Every function returns a null QImage on failure and never ends the program.
// Reentrant: any thread may call any function.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include "editor/button_page.h"

namespace vx {

// The button picture: the printer's four buttons, two columns by two rows split at kButtonPanelSplitX
// and kButtonPanelSplitY (where a press selects a button); each button is drawn entirely
// inside its quadrant, and the quadrant borders run through panel background.
inline constexpr QSize kButtonPanelSize{279, 97};

// Where the pressed picture of button 1..4 lies on the button picture, relative
// to the button picture's top-left corner: exactly the button's quadrant. Empty for other numbers.
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
inline constexpr char kButtonPanelResource[] = ":/pictures/button_panel.png";
inline constexpr char kWindowIconResource[] = ":/pictures/icon.png";  // 64 x 64 PNG

// Reads a picture from the resources (or any path Qt's readers open) as RGB888; null when
// it is missing or cannot be decoded.
QImage loadPictureResource(const QString& path);

// The button picture, kButtonPanelSize.
QImage buttonPanelPicture();

// Button 1..4 drawn pressed, sized and placed as pressedButtonRect().
// Null for other numbers.
QImage pressedButtonPicture(int button);

// The preview's paper: blank ticket paper, kTicketPaperSize, every pixel kPaperColour.
QImage ticketPaperPicture();

// The sample ticket number "A00" in black on the paper colour, kSampleTicketNumberSize,
// two colours only (a pixel font) so that it stays crisp when stretched without smoothing.
QImage sampleTicketNumberPicture();

// The usual picture of undo (an arrow curving back to the left) or, mirrored, of redo:
// `side` × `side` pixels, dark grey on transparent, for a platform without an icon theme.
QImage historyArrowPicture(bool redo, int side = 32);

}  // namespace vx
