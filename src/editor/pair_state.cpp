#include "editor/pair_state.h"

namespace vx {

ConfigModel pairTables(const ConfigModel& model) {
  ConfigModel tables = model;
  const ConfigModel defaults;
  tables.currentButton = defaults.currentButton;
  tables.loading = defaults.loading;
  tables.unsavedChanges = defaults.unsavedChanges;
  tables.printerChanged = defaults.printerChanged;
  return tables;
}

void applyPairTables(ConfigModel& model, const PairState& state) {
  ConfigModel tables = state.model;
  tables.currentButton = model.currentButton;
  tables.loading = model.loading;
  tables.unsavedChanges = model.unsavedChanges;
  tables.printerChanged = model.printerChanged;
  model = std::move(tables);
}

}  // namespace vx
