// SPDX-License-Identifier: MIT
#pragma once
// What the three colour dialogs share: how a modal form is run (tests drive
// it through its handlers instead), placing a form beside the cursor, the
// full colour dialog with the custom colours kept for the run, and the
// swatch control.
#include <QFrame>
#include <array>
#include <functional>
#include <optional>

#include "model/ColorSet.h"

class QDialog;
class QWidget;

namespace kavalo {

// Runs a modal form; empty means exec(). Tests pass a runner that drives the
// form's handlers and returns.
using FormRunner = std::function<void(QDialog&)>;
void runForm(const FormRunner& runner, QDialog& form);

// Puts a form beside the mouse cursor on the screen that holds the cursor
// (see nearCursorPosition).
void PlaceFormNearCursor(QWidget& form, bool centred);

// The sixteen custom colours of the full colour dialog: white until the user
// defines some, kept for as long as the program runs.
std::array<Colour, 16>& keptCustomColours();

// The full colour dialog, starting at black with the kept custom colours;
// the colour when the user confirms. The custom colours are kept either way.
std::optional<Colour> ChooseColorDetail(QWidget* owner);

// The picker frmColor, modal; the chosen colour, nothing when cancelled.
std::optional<Colour> PickColor(QWidget* owner, const FormRunner& runner);

// A colour swatch: a filled box with a single border, clicked and hovered.
class UiSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit UiSwatch(QWidget* parent = nullptr);
  Colour colour() const { return colour_; }
  void setColour(Colour c);
  void setBordered(bool bordered);
  bool bordered() const { return bordered_; }

 signals:
  void clicked();
  void hovered();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  Colour colour_ = 0xFFFFFF;
  bool bordered_ = true;
};

}  // namespace kavalo
