// SPDX-License-Identifier: MIT
#include "elevation/UiColorDialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "elevation/ColorPalette.h"
#include "elevation/FormPlacement.h"
#include "elevation/frmColor.h"

namespace kavalo {

void runForm(const FormRunner& runner, QDialog& form) {
  if (runner)
    runner(form);
  else
    form.exec();
}

void PlaceFormNearCursor(QWidget& form, bool centred) {
  const QPoint cursor = QCursor::pos();
  QScreen* screen = QGuiApplication::screenAt(cursor);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  form.adjustSize();
  // The window frame is not known before the form is shown; the frame the
  // window manager adds is small beside the form.
  form.move(nearCursorPosition(cursor, form.size(), screen->availableGeometry(), centred));
}

std::array<Colour, 16>& keptCustomColours() {
  static std::array<Colour, 16> colours = [] {
    std::array<Colour, 16> c;
    c.fill(kWhite);
    return c;
  }();
  return colours;
}

std::optional<Colour> ChooseColorDetail(QWidget* owner) {
  auto& custom = keptCustomColours();
  // Qt keeps one set of custom colours for every colour dialog; the program's
  // own are put in before and read back after, so they start white and
  // follow the user for this run only.
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, toQColor(custom[static_cast<size_t>(i)]));
  QColorDialog dialog(QColor(0, 0, 0), owner);
  dialog.setWindowTitle(QCoreApplication::translate("kavalo::UiColorDialogs", "色の設定"));
  const bool chosen = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < 16; ++i) custom[static_cast<size_t>(i)] = fromQColor(QColorDialog::customColor(i));
  if (!chosen) return std::nullopt;
  return fromQColor(dialog.selectedColor());
}

std::optional<Colour> PickColor(QWidget* owner, const FormRunner& runner) {
  frmColor picker(owner);
  runForm(runner, picker);
  if (picker.DialogCancelled()) return std::nullopt;
  return picker.colour();
}

UiSwatch::UiSwatch(QWidget* parent) : QFrame(parent) { setCursor(Qt::PointingHandCursor); }

void UiSwatch::setColour(Colour c) {
  colour_ = c;
  update();
}

void UiSwatch::setBordered(bool bordered) {
  bordered_ = bordered;
  update();
}

void UiSwatch::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), toQColor(colour_));
  if (bordered_) {
    p.setPen(QColor(0, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void UiSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void UiSwatch::enterEvent(QEnterEvent* event) {
  QFrame::enterEvent(event);
  emit hovered();
}

}  // namespace kavalo
