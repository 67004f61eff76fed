#pragma once
// What a configuration pair holds, as one value: the buttons' tables, the global options, the
// logo's settings, its source picture and its raster. The edit history keeps one before and one
// after each step; pictures are implicitly shared, so a step that leaves them alone costs no
// picture memory. Plain value; window thread only, like the model it is taken from.

#include <cstdint>

#include "config/config_text.h"
#include "logo/logo_raster.h"
#include "logo/source_picture.h"
#include "model/config_model.h"

namespace vx {

struct PairState {
  ConfigModel model;       // the tables; the values that only steer the window are left at their defaults
  GlobalSettings globals;  // the options the file keeps beside the tables
  bool twoCopies = false;  // "Imprime 2 vias": an option, though the file does not keep it
  std::int32_t savedLogoHeight = 0;  // the logo height kept while the logo is off
  SourcePicture picture;
  LogoRaster raster;

  bool operator==(const PairState&) const = default;
};

// `model`'s tables with the values that steer the window (the shown button, the loading guard,
// the unsaved-changes and printer marks) at their defaults: switching pages or sending is no
// change of what the pair holds.
ConfigModel pairTables(const ConfigModel& model);

// Puts `state`'s tables into `model`, keeping `model`'s own window values.
void applyPairTables(ConfigModel& model, const PairState& state);

}  // namespace vx
