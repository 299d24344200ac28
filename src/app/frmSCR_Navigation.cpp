// SPDX-License-Identifier: MIT
// Navigation handlers of the main window: keys, wheel, drag, zoom slider,
// panel toggle, datum toggle. The arithmetic is in geo/Navigation; here the
// controls are read and set and the view is redrawn.
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <cmath>

#include "app/UiMapView.h"
#include "app/UiOverview.h"
#include "app/frmSCR.h"
#include "geo/Navigation.h"
#include "geo/clsWheelMouse.h"
#include "net/TileDownloads.h"
#include "platform/Numbers.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

constexpr unsigned kLeft = 1, kRight = 2, kUp = 4, kDown = 8;

unsigned arrowBit(int key) {
  switch (key) {
    case Qt::Key_Left:
      return kLeft;
    case Qt::Key_Right:
      return kRight;
    case Qt::Key_Up:
      return kUp;
    case Qt::Key_Down:
      return kDown;
    default:
      return 0;
  }
}

// The keys that act on the map whichever control has the focus. The focused
// control never sees them: a slider, the era list or the data-folder list
// would otherwise move as well (the arrows would even load another data
// folder), and Space would press a focused button after resetting the zoom.
// Every other key goes on to the focused control as usual.
bool isMapKey(int key, Qt::KeyboardModifiers modifiers) {
  switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Home:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    case Qt::Key_C:
      return modifiers.testFlag(Qt::ControlModifier);
    default:
      return false;
  }
}

// Sees each event of the application before its receiver does and hands the
// main window what it previews.
class KeyPreview : public QObject {
 public:
  explicit KeyPreview(frmSCR* window) : QObject(window), window_(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return window_->handleNavigationEvent(watched, event); }

 private:
  frmSCR* window_;
};

QString zoomText(int zoomPercent) { return QString::number(zoomPercent) + u'%'; }

}  // namespace

void frmSCR::redrawView() { PrintGazo(); }

void frmSCR::setZoom(int zoomPercent) {
  // The slider's own handler would redraw at once; the caller redraws when
  // everything is set, so that one step draws once.
  {
    const QSignalBlocker block(SliderZoom);
    SliderZoom->setValue(zoomPercent);
  }
  state_.view.zoomPercent = SliderZoom->value();
  lblZoom->setText(zoomText(state_.view.zoomPercent));
}

void frmSCR::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  // Without a loaded data folder there is no map for the keys to move.
  if (!state_.view.loaded) return;
  const PanSteps steps = quarterViewSteps(state_.viewport());
  // The key being pressed is down whether or not its press was previewed.
  const unsigned arrows = heldArrows_ | arrowBit(key);
  ArrowKeys held;
  held.left = (arrows & kLeft) != 0;
  held.right = (arrows & kRight) != 0;
  held.up = (arrows & kUp) != 0;
  held.down = (arrows & kDown) != 0;
  const bool ctrl = ((inputModifiers_ | modifiers) & Qt::ControlModifier) != 0;
  const bool shift = (modifiers & Qt::ShiftModifier) != 0;

  if (rulerActive_ && key == Qt::Key_Escape) {
    endRuler();
    return;
  }
  if (rulerActive_ && key == Qt::Key_Backspace) {
    ruler_.removeLast();
    updateRuler();
    return;
  }

  if (key == Qt::Key_Space) {
    setZoom(100);
    redrawView();
    return;
  }
  if (key == Qt::Key_Home) {
    cmdWhole_Click();
    return;
  }
  if (key == Qt::Key_C && ctrl) {
    cmdCopy_Click();
    return;
  }
  // Page Down makes the steps smaller, Page Up larger.
  if (key == Qt::Key_PageDown) {
    if (SliderMoveAmount->value() < SliderMoveAmount->maximum())
      SliderMoveAmount->setValue(SliderMoveAmount->value() + 1);
    return;
  }
  if (key == Qt::Key_PageUp) {
    if (SliderMoveAmount->value() > SliderMoveAmount->minimum())
      SliderMoveAmount->setValue(SliderMoveAmount->value() - 1);
    return;
  }

  if (shift) {
    if (ctrl && (held.left || held.right) && compareStepKey(held.left ? -1 : 1)) return;
    // Without listed eras there is no position to step to.
    if ((held.left || held.right) && state_.listedCount > 0) {
      int v = SliderAge->value();
      if (held.left) v = steppedEraPosition(v, -1, state_.listedCount);
      if (held.right) v = steppedEraPosition(v, 1, state_.listedCount);
      SliderAge->setValue(v);
      if (v < cboAge->count()) cboAge->setCurrentIndex(v);
    }
    if (held.up || held.down) {
      setZoom(steppedZoom(state_.view.zoomPercent, held.down, held.up, SliderZoom->minimum(), SliderZoom->maximum()));
      redrawView();
      Show_PointInfoAtCursor();
    }
    return;
  }

  // Only the arrows pan; any other key leaves the view as it is.
  if (!held.any()) return;
  const int factor = panFactor(ctrl, SliderMoveAmount->value());
  const ImagePoint c = pannedCentre(ImagePoint{state_.view.centerX, state_.view.centerY}, steps, factor, held);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  redrawView();
  Show_PointInfoAtCursor();
}

void frmSCR::m_CWheel_MouseWheel(int iniVector) {
  if (!state_.view.loaded) return;
  if (compareWheel(iniVector)) return;
  const bool shift = inputModifiers_.testFlag(Qt::ShiftModifier);
  if (shift) {
    if (state_.listedCount <= 0) return;
    // Turned away from the user: the earlier era.
    const int v = steppedEraPosition(SliderAge->value(), iniVector == 1 ? -1 : 1, state_.listedCount);
    SliderAge->setValue(v);
    Time_Print();
    if (v < cboAge->count()) cboAge->setCurrentIndex(v);
    Timer1->setInterval(1500);
    Timer1->start();
    return;
  }
  // Turned away from the user: zoom out, unless the user chose the other way.
  const bool zoomOut = (iniVector == 1) != wheelAwayZoomsIn_;
  setZoom(steppedZoom(SliderZoom->value(), zoomOut, !zoomOut, SliderZoom->minimum(), SliderZoom->maximum()));
  redrawView();
}

ImagePoint frmSCR::dragCentre(double x, double y, QPoint* offset) const {
  const ViewPoint press{static_cast<float>(pressPos_.x()), static_cast<float>(pressPos_.y())};
  ViewPoint now{toSingle(x), toSingle(y)};
  const Viewport view = state_.viewport();
  const ImagePoint free = draggedCentre(ImagePoint{pressCenterX_, pressCenterY_}, press, now, view);
  const ImagePoint kept = regionClampedCentre(free, state_.mapInfo);
  // Held at the region's edge, the map stops following the pointer: the
  // picture moves only as far as the centre did.
  const float perPixelX = view.ScreenToImageDX(1.0), perPixelY = view.ScreenToImageDY(1.0);
  if (kept.x != free.x && perPixelX > 0) now.x = toSingle(press.x + (pressCenterX_ - kept.x) / perPixelX);
  if (kept.y != free.y && perPixelY > 0) now.y = toSingle(press.y + (pressCenterY_ - kept.y) / perPixelY);
  if (offset != nullptr) *offset = dragOffset(press, now);
  return kept;
}

void frmSCR::cmdWhole_Click() {
  if (!state_.view.loaded) return;
  const WholeRegionView whole = wholeRegionView(state_.mapInfo, state_.scale, state_.viewWidth(), state_.viewHeight(),
                                                SliderZoom->minimum(), SliderZoom->maximum());
  state_.view.centerX = whole.centre.x;
  state_.view.centerY = whole.centre.y;
  setZoom(whole.zoomPercent);
  redrawView();
  Show_PointInfoAtCursor();
  if (picPrint->isVisible()) picPrint->setFocus();
}

void frmSCR::picPrint_MouseDown(Qt::MouseButton button, double x, double y) {
  // A second button pressed during a drag changes nothing: the picture moved
  // so far belongs to the first press, and its release ends the drag.
  if (dragArmed_) return;
  if (compareMouseDown(button, x, y)) return;
  dragArmed_ = true;
  dragMoved_ = false;
  dragButton_ = button;
  pressPos_ = QPointF(toSingle(x), toSingle(y));
  pressCenterX_ = state_.view.centerX;
  pressCenterY_ = state_.view.centerY;
  if (button == Qt::LeftButton) picPrint->setCursor(Qt::ClosedHandCursor);
}

void frmSCR::picPrint_MouseMove(Qt::MouseButtons, double x, double y) {
  if (compareMouseMove(x, y)) return;
  Show_PointInfo(x, y);
  if (rulerActive_ && !ruler_.points().empty()) {
    rulerHover_ = viewPositionAt(x, y);
    picPrint->update();
  }
  if (!dragArmed_) return;
  const ViewPoint press{static_cast<float>(pressPos_.x()), static_cast<float>(pressPos_.y())};
  const ViewPoint now{toSingle(x), toSingle(y)};
  if (dragOffset(press, now).isNull() && !dragMoved_) return;

  dragMoved_ = true;
  QPoint offset;
  const ImagePoint c = dragCentre(x, y, &offset);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  // The composition draws only the strips the offset uncovers; the rest is
  // the last full picture moved under the pointer (in target pixels).
  ViewRequest request = viewRequest(RenderPass::Drag);
  const double ratio = request.devicePixelRatio;
  request.dragOffset = ratio == 1.0 ? offset
                                    : QPoint(static_cast<int>(std::lround(offset.x() * ratio)),
                                             static_cast<int>(std::lround(offset.y() * ratio)));
  ++compositionCount_;
  renderView(state_, request, viewPicture_, tileDownloads_);
  moveSnapshot(viewPicture_, viewSnapshot_, request.dragOffset);
  drawViewOverlays(state_, request, viewPicture_);
  picPrint->update();
  if (picOverview->isVisible()) picOverview->update();
}

void frmSCR::picPrint_MouseUp(Qt::MouseButton button, double x, double y) {
  if (compareMouseUp(button, x, y)) return;
  if (!dragArmed_ || button != dragButton_) return;
  dragArmed_ = false;
  picPrint->unsetCursor();
  if (dragMoved_) {
    const ImagePoint c = dragCentre(x, y, nullptr);
    state_.view.centerX = c.x;
    state_.view.centerY = c.y;
    redrawView();
  } else if (rulerActive_ && button == Qt::LeftButton) {
    rulerClick(x, y);
  } else if (rulerActive_ && button == Qt::RightButton) {
    // A right click ends the measuring; the next one opens the menu.
    endRuler();
  } else if (button == Qt::RightButton) {
    showMarkPopup(x, y);
  }
  dragMoved_ = false;
}

void frmSCR::SliderZoom_Scroll() {
  state_.view.zoomPercent = SliderZoom->value();
  lblZoom->setText(zoomText(state_.view.zoomPercent));
  // While a dataset loads the slider is set from code; the load draws once.
  if (phase_ == Phase::Ready) {
    PrintGazo();
    Show_PointInfoAtCursor();
  }
}

// After the sliders the keys must act on the map again.
void frmSCR::SliderZoom_MouseUp() { picPrint->setFocus(); }
void frmSCR::SliderMoveAmount_MouseUp() { picPrint->setFocus(); }

void frmSCR::lblBoxSize_Click(int index) {
  if (index == 0) {
    picBox->move(-picBox->width(), picBox->y());
    lblBoxSize[1]->show();
    lblBoxSize[1]->raise();
  } else {
    picBox->move(0, picBox->y());
    lblBoxSize[1]->hide();
  }
  // The window's least size follows the panel; the map view follows the
  // panel's right edge and is redrawn.
  fitMinimumSize();
  Form_Resize();
}

// The readout shows the place it describes in the other datum at once (the
// pointer is on the button, not on the map, so it cannot be asked where).
void frmSCR::cmdSokuti_Click() {
  state_.view.datumFlag = state_.view.datumFlag == 0 ? 1 : 0;
  refreshReadoutDatum();
}

void frmSCR::installWheelHook() {
  removeWheelHook();
  m_CWheel = std::make_unique<clsWheelMouse>();
  m_CWheel->setTwipsPerPixel(toSingle(state_.twipsPerPixelX), toSingle(state_.twipsPerPixelY));
  connect(m_CWheel.get(), &clsWheelMouse::MouseWheel, this, [this](int iniVector) { m_CWheel_MouseWheel(iniVector); });
  m_CWheel->Initialize(this);

  keyPreview_ = new KeyPreview(this);
  QCoreApplication::instance()->installEventFilter(keyPreview_);
}

void frmSCR::removeWheelHook() {
  if (m_CWheel) m_CWheel->Terminate();
  m_CWheel.reset();
  // Deleting the filter takes it off the application.
  delete keyPreview_;
  keyPreview_ = nullptr;
  heldArrows_ = 0;
}

void frmSCR::trackArrow(int key, bool down) {
  const unsigned bit = arrowBit(key);
  if (down)
    heldArrows_ |= bit;
  else
    heldArrows_ &= ~bit;
}

bool frmSCR::handleNavigationEvent(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
      break;
    case QEvent::WindowDeactivate:
      // Releases made in another window never reach this one.
      if (watched == this) heldArrows_ = 0;
      return false;
    default:
      return false;
  }
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this) return false;
  inputModifiers_ = static_cast<QInputEvent*>(event)->modifiers();
  if (event->type() == QEvent::KeyPress) return previewKey(watched, event);
  if (event->type() == QEvent::KeyRelease) {
    // A held key repeats as release and press pairs; only the real release counts.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) trackArrow(key->key(), false);
  }
  return false;
}

bool frmSCR::previewKey(QObject* watched, QEvent* event) {
  // A key event goes to the focused widget first and, while each lets it
  // pass, on to each parent in turn as the same event: it is previewed at
  // its first widget only. The client area never holds the focus; it only
  // passes keys on (and sees them twice, through its own filter too).
  bool passedOn = watched == centralWidget();
  if (!passedOn && event == previewedKey_) {
    for (const QObject* child : watched->children()) {
      if (child == previewedHop_) {
        passedOn = true;
        break;
      }
    }
  }
  previewedKey_ = event;
  previewedHop_ = watched;
  if (passedOn) return false;

  const auto* key = static_cast<QKeyEvent*>(event);
  // Space belongs to the map, so Enter presses the button that has the focus
  // (a main window's buttons take no Enter of their own).
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
      (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (auto* button = qobject_cast<QAbstractButton*>(watched); button && button->isEnabled()) {
      button->click();
      return true;
    }
    return false;
  }
  trackArrow(key->key(), true);
  const bool consumed = isMapKey(key->key(), key->modifiers());
  Form_KeyDown(key->key(), key->modifiers());
  return consumed;
}

}  // namespace kavalo
