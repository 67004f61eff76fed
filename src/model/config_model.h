#pragma once
// The in-memory copy of everything the operator prepares for the ticket printer.
// Plain data, indexed from 1 like the printer's buttons and ticket lines: element 0 of
// every table is unused. Buttons 1..6 (only 1..4 exist on the printer), lines 1..8.
// Owned by the main window; read and written on the window's thread only.

#include <QString>

#include <array>
#include <cstdint>

namespace vx {

inline constexpr int kButtons = 6;  // slots 1..6
inline constexpr int kPrinterButtons = 4;  // buttons 1..4 shown, edited and sent
inline constexpr int kLines = 8;  // ticket lines 1..8
inline constexpr std::uint8_t kInactiveLetter = 'I';  // letter of an inactive button
inline constexpr std::uint8_t kInactiveLink = 7;  // sameAsButton of an inactive button

template <typename T>
using PerButton = std::array<T, kButtons + 1>;
template <typename T>
using PerLine = std::array<PerButton<T>, kLines + 1>;  // [line][button]

struct ConfigModel {
  // Per button.
  PerButton<std::uint8_t> letter{};  // character code of the ticket letter; 'I' = inactive
  PerButton<std::uint8_t> printLetter{};  // 0 = "Imprimir", 1 = "Não imprimir"
  PerButton<std::int32_t> firstNumber{};  // first ticket number
  PerButton<std::int32_t> lastNumber{};  // last ticket number
  PerButton<std::uint8_t> sameAsButton{};  // button whose sequence this one follows; 7 = inactive

  // Per ticket line and button.
  PerLine<QString> lineText;
  PerLine<std::uint8_t> lineEnabled{};
  PerLine<std::uint8_t> lineExpanded{};

  // Single values.
  std::int32_t currentButton = 1;  // the button the page shows, 1..4
  std::int32_t loading = 0;  // 1 while the system itself fills controls: stores do nothing
  std::int32_t unsavedChanges = 0;  // unsaved changes exist
  std::int32_t printerChanged = 0;  // something was sent to the printer in this run

  bool operator==(const ConfigModel&) const = default;
};

// Raises `loading` for its lifetime and gives the previous value back however the scope
// is left, so a failure while the system fills the model or the controls never leaves the
// store operations switched off.
class LoadingScope {
 public:
  explicit LoadingScope(ConfigModel& model) : model_(model), previous_(model.loading) { model_.loading = 1; }
  ~LoadingScope() { model_.loading = previous_; }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  ConfigModel& model_;
  const std::int32_t previous_;
};

// The per-button part of the model for one button, used to compare and copy slots.
struct ButtonSettings {
  std::uint8_t letter = 0;
  std::uint8_t printLetter = 0;
  std::int32_t firstNumber = 0;
  std::int32_t lastNumber = 0;
  std::uint8_t sameAsButton = 0;
  std::array<QString, kLines + 1> lineText;
  std::array<std::uint8_t, kLines + 1> lineEnabled{};
  std::array<std::uint8_t, kLines + 1> lineExpanded{};

  bool operator==(const ButtonSettings&) const = default;
};

ButtonSettings buttonSettings(const ConfigModel& m, int b);
void setButtonSettings(ConfigModel& m, int b, const ButtonSettings& s);

// Defaults the window does not derive from its controls: links to themselves, the
// letters of buttons 1..4, letters printed, numbers 0..99. Line tables are left alone
// (the window copies them from its controls' initial state).
void applyNumberingDefaults(ConfigModel& m);

}  // namespace vx
