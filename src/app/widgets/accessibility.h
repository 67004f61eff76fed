#pragma once
// What a screen reader sees of the window's own controls, through Qt's accessibility bridge:
// a picture (Image) is a graphic whose description its `describe` gives, the picture of the
// printer's four buttons a group of four buttons that can be chosen (pressed), and the
// progress dialog's bar a progress bar with its value. Call once, on the window's thread,
// before the first window is made; later calls do nothing.

namespace vx {

void installAccessibleInterfaces();

}  // namespace vx
