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
// A button switched off ("Inativo") is marked by this letter; its link then holds
// kInactiveLink, which names no button.
inline constexpr std::uint8_t kInactiveLetter = 'I';
inline constexpr std::uint8_t kInactiveLink = 7;

template <typename T>
using PerButton = std::array<T, kButtons + 1>;
template <typename T>
using PerLine = std::array<PerButton<T>, kLines + 1>;  // [line][button]

template <typename T>
constexpr PerButton<T> everyButton(T value) {
  PerButton<T> table{};
  table.fill(value);
  return table;
}

struct ConfigModel {
  // Per button.
  PerButton<std::uint8_t> letter{};                 // character code of the ticket letter
  PerButton<bool> printLetter = everyButton(true);  // "Imprimir": the letter replaces the first digit
  PerButton<std::int32_t> firstNumber{};  // first ticket number
  PerButton<std::int32_t> lastNumber{};  // last ticket number
  PerButton<std::uint8_t> sameAsButton{};  // button whose sequence this one follows (itself if none)

  // Per ticket line and button.
  PerLine<QString> lineText;
  PerLine<bool> lineEnabled{};   // the line is printed
  PerLine<bool> lineExpanded{};  // the line is printed in expanded letters

  // Single values.
  std::int32_t currentButton = 1;  // the button the page shows, 1..4
  bool loading = false;            // the system itself fills controls: the stores do nothing
  bool unsavedChanges = false;
  bool printerChanged = false;  // something was sent to the printer in this run

  // Button b is switched off ("Inativo").
  bool isInactive(int b) const { return letter[b] == kInactiveLetter; }
  // Switches button b off; its numbering and lines stay as they are.
  void setInactive(int b) {
    letter[b] = kInactiveLetter;
    sameAsButton[b] = kInactiveLink;
  }

  bool operator==(const ConfigModel&) const = default;
};

// Raises `loading` for its lifetime and gives the previous value back however the scope
// is left, so a failure while the system fills the model or the controls never leaves the
// store operations switched off.
class LoadingScope {
 public:
  explicit LoadingScope(ConfigModel& model) : model_(model), previous_(model.loading) {
    model_.loading = true;
  }
  ~LoadingScope() { model_.loading = previous_; }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  ConfigModel& model_;
  const bool previous_;
};

// The per-button part of the model for one button, used to compare and copy slots.
struct ButtonSettings {
  std::uint8_t letter = 0;
  bool printLetter = true;
  std::int32_t firstNumber = 0;
  std::int32_t lastNumber = 0;
  std::uint8_t sameAsButton = 0;
  std::array<QString, kLines + 1> lineText;
  std::array<bool, kLines + 1> lineEnabled{};
  std::array<bool, kLines + 1> lineExpanded{};

  bool operator==(const ButtonSettings&) const = default;
};

ButtonSettings buttonSettings(const ConfigModel& m, int b);
void setButtonSettings(ConfigModel& m, int b, const ButtonSettings& s);

// Defaults the window does not derive from its controls: links to themselves, the
// letters of buttons 1..4, letters printed, numbers 0..99. Line tables are left alone
// (the window copies them from its controls' initial state).
void applyNumberingDefaults(ConfigModel& m);

}  // namespace vx
