#pragma once
// Drawing of the button panel, its pressed-button pictures
// and the window icon. Pure QPainter on QImage with our own vector digits, so the output
// depends on no installed font and is the same on every run.

#include <QImage>
#include <QPainterPath>
#include <QRectF>

namespace vx::art {

// Outline of digit 1..4 as open strokes, fitted into `box` (height-driven, centred).
QPainterPath digitPath(int digit, const QRectF& box);

// Where the cap of button 1..4 lies on the panel, in panel pixels.
QRectF buttonCapRect(int button);

// The whole panel with button `pressed` (1..4) drawn pressed, or none when 0.
// kButtonPanelSize, RGB888.
QImage renderButtonPanel(int pressed);

// The 64 x 64 window icon: a ticket printer issuing ticket 1. ARGB32 with transparency.
QImage renderWindowIcon();

}  // namespace vx::art
