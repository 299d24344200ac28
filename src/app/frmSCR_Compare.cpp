// SPDX-License-Identifier: MIT
// The comparison of two eras in the main window: the switch "比較", the
// second era's list, the mode and the blend's opacity beside the era
// controls, the coverage strip under the era slider, and what the mouse,
// wheel and keys do while two eras show. The composition is in
// render/CompareComposer; here the controls are read and set.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

#include "app/UiElidedCombo.h"
#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "geo/Navigation.h"
#include "model/EraLabels.h"
#include "net/TileDownloads.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "render/CompareComposer.h"
#include "render/Coverage.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"

namespace kavalo {

namespace {

// The swipe divider is taken within this many pixels of it.
constexpr int kDividerGrip = 5;

// One cell per listed era: dark where the era has its own sheet at the
// view's centre, light where it borrows one, empty where it has none. The
// shown era is framed in red, the second era of a comparison in blue.
class CoverageStrip : public QWidget {
 public:
  explicit CoverageStrip(QWidget* parent = nullptr) : QWidget(parent) {
    setObjectName(QStringLiteral("picCoverage"));
    setFixedHeight(8);
    setToolTip(QCoreApplication::translate("kavalo::frmSCR",
                                           "表示位置の各時期の地図：濃い＝その時期の図、淡い＝他の版の図、空＝なし"));
    setCursor(Qt::PointingHandCursor);
  }
  void setCells(std::vector<SheetCoverage> cells, int shown, int second) {
    if (cells == cells_ && shown == shown_ && second == second_) return;
    cells_ = std::move(cells);
    shown_ = shown;
    second_ = second;
    update();
  }
  const std::vector<SheetCoverage>& cells() const { return cells_; }
  std::function<void(int)> onClick;

 protected:
  QRect cellRect(int i) const {
    const int n = static_cast<int>(cells_.size());
    const int x0 = i * width() / n, x1 = (i + 1) * width() / n;
    return QRect(x0, 0, std::max(1, x1 - x0 - 1), height() - 1);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    for (int i = 0; i < static_cast<int>(cells_.size()); ++i) {
      const QRect r = cellRect(i);
      const SheetCoverage c = cells_[static_cast<size_t>(i)];
      p.fillRect(r, c == SheetCoverage::Own        ? QColor(48, 48, 48)
                    : c == SheetCoverage::Borrowed ? QColor(176, 176, 176)
                                                   : QColor(Qt::white));
      p.setPen(i == shown_ ? QColor(Qt::red) : i == second_ ? QColor(Qt::blue) : QColor(128, 128, 128));
      p.drawRect(r);
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (cells_.empty() || !onClick) return;
    const int i = static_cast<int>(event->position().x()) * static_cast<int>(cells_.size()) / std::max(1, width());
    if (i >= 0 && i < static_cast<int>(cells_.size())) onClick(i);
  }

 private:
  std::vector<SheetCoverage> cells_;
  int shown_ = -1;
  int second_ = -1;
};

QString rootFile(const ProgramState& state, const char* name) {
  return joinPath(state.rootFolder, QString::fromLatin1(name));
}

}  // namespace

void frmSCR::buildCompareControls(QVBoxLayout* timeLayout) {
  auto* strip = new CoverageStrip;
  picCoverage = strip;
  strip->onClick = [this](int position) {
    if (position < cboAge->count()) cboAge->setCurrentIndex(position);
  };
  timeLayout->insertWidget(timeLayout->indexOf(SliderAge) + 1, strip);

  // One row beside the era controls: the switch, the second era and the
  // mode; the opacity's slider shows below it while blending.
  chkCompare = new QCheckBox(tr("比較"));
  chkCompare->setObjectName(QStringLiteral("chkCompare"));
  chkCompare->setToolTip(tr("二つの時期を並べて比べます(Ctrl＋Shift＋←→で比較する時期)"));
  // Era names are long ("1880-85年（迅速測図）"): the box shows the year and
  // the source with the middle elided, the whole name as its tip.
  auto* eraB = new UiElidedCombo;
  eraB->setTipCaption(tr("比較する時期"));
  cboAgeB = eraB;
  cboAgeB->setObjectName(QStringLiteral("cboAgeB"));
  cboAgeB->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboAgeB->setMinimumContentsLength(9);
  cboCompareMode = new QComboBox;
  cboCompareMode->setObjectName(QStringLiteral("cboCompareMode"));
  cboCompareMode->setToolTip(tr("比べ方"));
  cboCompareMode->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Data: the mode's number, in the order of CompareMode.
  cboCompareMode->addItem(tr("並列"), static_cast<int>(CompareMode::Side));
  cboCompareMode->addItem(tr("スワイプ"), static_cast<int>(CompareMode::Swipe));
  cboCompareMode->addItem(tr("レンズ"), static_cast<int>(CompareMode::Lens));
  cboCompareMode->addItem(tr("透過"), static_cast<int>(CompareMode::Blend));
  cboCompareMode->setItemData(2, tr("Ctrl＋ホイールで大きさを変えます"), Qt::ToolTipRole);
  // The closed box shows its longest mode whole (four characters in Japanese,
  // longer in other languages).
  int longest = 4;
  for (int i = 0; i < cboCompareMode->count(); ++i)
    longest = std::max(longest, static_cast<int>(cboCompareMode->itemText(i).size()));
  cboCompareMode->setMinimumContentsLength(longest);
  // The switch with the second era on a row of their own (era names are
  // long), the mode beside the era settings' button, so that the boxes show
  // their texts whole.
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(chkCompare);
  row->addWidget(cboAgeB, 1);
  timeLayout->addLayout(row);
  auto* settingsRow = new QHBoxLayout;
  settingsRow->setSpacing(2);
  settingsRow->addWidget(cmdViewTime, 1);
  settingsRow->addWidget(cboCompareMode);
  timeLayout->addLayout(settingsRow);

  // The blend's opacity lies over the map's top-right corner while blending
  // (placeOpacitySlider), so that the panel keeps its height.
  SliderOpacity = new QSlider(Qt::Horizontal, this);
  SliderOpacity->setObjectName(QStringLiteral("SliderOpacity"));
  SliderOpacity->setToolTip(tr("重ねる時期の不透明度"));
  SliderOpacity->setRange(0, 100);
  SliderOpacity->setSingleStep(5);
  SliderOpacity->setPageStep(10);
  SliderOpacity->setFixedWidth(160);
  SliderOpacity->setAutoFillBackground(true);
  SliderOpacity->hide();

  connect(chkCompare, &QCheckBox::clicked, this, [this] { chkCompare_Click(); });
  connect(cboAgeB, &QComboBox::currentIndexChanged, this, [this](int) { cboAgeB_Click(); });
  connect(cboCompareMode, &QComboBox::currentIndexChanged, this, [this](int) { cboCompareMode_Click(); });
  connect(SliderOpacity, &QSlider::valueChanged, this, [this](int) { SliderOpacity_Scroll(); });
  compareComposer_ = std::make_unique<CompareComposer>();

  // Told on the decoding thread; the strips are drawn on the window's.
  TilePrefetcher::shared().setOnDecoded(this, [this] {
    QMetaObject::invokeMethod(
        this, [this] { refillDragStrips(); }, Qt::QueuedConnection);
  });
}

void frmSCR::refillDragStrips() {
  if (!dragArmed_ || !dragMoved_ || compareActive()) return;
  picPrint_MouseMove(Qt::LeftButton, pointer_.x(), pointer_.y());
}

void frmSCR::loadCompareSettings() {
  compare_ = readCompareSettings(rootFile(state_, kCompareSettingsFile), &compareSettingsUnreadable_);
  // One budget for every picture kept to be drawn again: the elevation
  // pieces take an eighth of it (at most their usual bound), the decoded
  // tiles and their stretched pictures the rest.
  const int64_t budget = int64_t{compare_.cacheMiB} * 1024 * 1024;
  const int64_t pieces = std::min(ElevationPieces::kDefaultBudget, budget / 8);
  state_.pieces.setBudget(pieces);
  TileCache::shared().setBudget(budget - pieces);
  const QSignalBlocker b1(chkCompare), b2(cboCompareMode), b3(SliderOpacity);
  chkCompare->setChecked(compare_.on);
  cboCompareMode->setCurrentIndex(static_cast<int>(compare_.mode));
  SliderOpacity->setValue(compare_.opacity);
  placeOpacitySlider();
}

void frmSCR::saveCompareSettings() {
  // Like the other files written at exit, a failure changes nothing else;
  // a file that could not be read is left for the user to look at.
  if (compareSettingsUnreadable_) return;
  writeCompareSettings(rootFile(state_, kCompareSettingsFile), compare_);
}

void frmSCR::fillCompareEraList() {
  const QSignalBlocker block(cboAgeB);
  cboAgeB->clear();
  int selected = -1;
  for (size_t i = 0; i < state_.eraListMap.size(); ++i) {
    const int era = state_.eraListMap[i];
    cboAgeB->addItem(cboAge->itemText(static_cast<int>(i)));
    if (era == compare_.eraB) selected = static_cast<int>(i);
  }
  // An era that this data folder does not list: the last listed one.
  if (selected < 0 && cboAgeB->count() > 0) {
    selected = cboAgeB->count() - 1;
    compare_.eraB = state_.eraListMap[static_cast<size_t>(selected)];
  }
  cboAgeB->setCurrentIndex(selected);
  ComboDropWidth(cboAgeB);
}

bool frmSCR::compareActive() const { return compare_.on && state_.view.loaded && compareComposer_; }

int frmSCR::compareSplit() const {
  return clampSplit(static_cast<int>(std::lround(compare_.splitPermille * state_.viewWidth() / 1000.0)),
                    state_.viewWidth());
}

bool frmSCR::compareEraAt(QPointF at, int* eraIndex, QPointF* viewPosition) const {
  *eraIndex = state_.view.eraIndex;
  *viewPosition = at;
  switch (compare_.mode) {
    case CompareMode::Side: {
      const SidePanes panes = sideBySidePanes(state_.viewWidth(), state_.viewHeight());
      QPointF local;
      const int pane = paneAt(panes, at, &local);
      if (pane < 0) return false;
      *viewPosition = paneToViewPosition(panes, local, state_.viewWidth());
      if (pane == 1) *eraIndex = compare_.eraB;
      return true;
    }
    case CompareMode::Swipe:
      // Era A left of the divider, era B from it on (as the frame is made).
      if (at.x() >= compareSplit()) *eraIndex = compare_.eraB;
      return true;
    case CompareMode::Lens: {
      const QPoint lens = compareCursor_.value_or(QPoint(state_.viewWidth() / 2, state_.viewHeight() / 2));
      const double dx = at.x() - lens.x(), dy = at.y() - lens.y();
      if (dx * dx + dy * dy <= double(compare_.lensRadius) * compare_.lensRadius) *eraIndex = compare_.eraB;
      return true;
    }
    case CompareMode::Blend:
      // The era that shows the more: B from half its opacity on.
      if (compare_.opacity >= 50) *eraIndex = compare_.eraB;
      return true;
  }
  return true;
}

namespace {

// The comparison in the frame's pixels: positions of the view (the divider,
// the lens, the cursor) times the ratio.
CompareView viewOf(const CompareSettings& s, int split, QPoint lens, std::optional<QPoint> cursor, double ratio) {
  auto scaled = [ratio](int v) { return ratio == 1.0 ? v : static_cast<int>(std::lround(v * ratio)); };
  CompareView v;
  v.eraB = s.eraB;
  v.mode = s.mode;
  v.split = scaled(split);
  v.lens = QPoint(scaled(lens.x()), scaled(lens.y()));
  v.lensRadius = scaled(s.lensRadius);
  v.opacity = s.opacity;
  if (cursor) v.cursor = QPoint(scaled(cursor->x()), scaled(cursor->y()));
  return v;
}

}  // namespace

void frmSCR::PrintGazoCompare() {
  const ViewRequest request = viewRequest(RenderPass::ComparePane);
  compareComposer_->compose(state_, request, viewOf(compare_, compareSplit(), QPoint(), {}, request.devicePixelRatio),
                            tileDownloads_);
  refreshCompareFrame();
}

void frmSCR::placeOpacitySlider() {
  if (SliderOpacity->parentWidget() != picPrint) SliderOpacity->setParent(picPrint);
  const bool shown = compare_.on && compare_.mode == CompareMode::Blend;
  if (shown) {
    SliderOpacity->move(std::max(0, picPrint->width() - SliderOpacity->width() - 8), 8);
    SliderOpacity->raise();
  }
  SliderOpacity->setVisible(shown);
}

void frmSCR::refreshCompareFrame() {
  placeOpacitySlider();
  const QPoint lens = compareCursor_.value_or(QPoint(state_.viewWidth() / 2, state_.viewHeight() / 2));
  // The pointer's place in the other era: side by side always, for a swipe
  // near the divider while it is not being dragged.
  const bool pointerShown = compare_.mode == CompareMode::Side ||
                            (compare_.mode == CompareMode::Swipe && !dividerDragging_ && picPrint->underMouse());
  const std::optional<QPoint> cursor = pointerShown ? compareCursor_ : std::nullopt;
  const ViewRequest request = viewRequest(RenderPass::ComparePane);
  compareComposer_->makeFrame(state_, request, viewOf(compare_, compareSplit(), lens, cursor, request.devicePixelRatio),
                              viewPicture_);
  drawCompareLabels();
  picPrint->update();
}

void frmSCR::updateCoverage() {
  auto* strip = static_cast<CoverageStrip*>(picCoverage);
  if (!state_.view.loaded) {
    strip->setCells({}, -1, -1);
    return;
  }
  int second = -1;
  for (size_t i = 0; i < state_.eraListMap.size(); ++i)
    if (compare_.on && state_.eraListMap[i] == compare_.eraB) second = static_cast<int>(i);
  strip->setCells(listedCoverage(state_), cboAge->currentIndex(), second);
}

void frmSCR::chkCompare_Click() {
  compare_.on = chkCompare->isChecked();
  placeOpacitySlider();
  compareComposer_->clear();
  redrawView();
  Show_PointInfoAtCursor();
}

void frmSCR::cboAgeB_Click() {
  const int position = cboAgeB->currentIndex();
  if (position < 0 || position >= static_cast<int>(state_.eraListMap.size())) return;
  compare_.eraB = state_.eraListMap[static_cast<size_t>(position)];
  if (phase_ == Phase::Ready && compare_.on) {
    redrawView();
    // The pane under the pointer may now show another era.
    refreshCompareReadout();
    flashEraChange(1);
  } else {
    updateCoverage();
  }
}

void frmSCR::cboCompareMode_Click() {
  const int mode = cboCompareMode->currentData().toInt();
  compare_.mode = static_cast<CompareMode>(std::clamp(mode, 0, 3));
  placeOpacitySlider();
  if (phase_ == Phase::Ready && compare_.on) {
    redrawView();
    refreshCompareReadout();
  }
}

void frmSCR::SliderOpacity_Scroll() {
  compare_.opacity = SliderOpacity->value();
  // A new blend of the pictures already composed.
  if (compareActive() && compare_.mode == CompareMode::Blend) {
    refreshCompareFrame();
    refreshCompareReadout();
  }
}

void frmSCR::refreshCompareReadout() {
  // The pointer last seen on the map, if it is still there; else where the
  // system's cursor is.
  if (compareCursor_ && picPrint->underMouse())
    Show_PointInfo(compareCursor_->x(), compareCursor_->y());
  else
    Show_PointInfoAtCursor();
}

bool frmSCR::compareStepKey(int step) {
  if (!compareActive() || cboAgeB->count() == 0) return false;
  cboAgeB->setCurrentIndex(steppedEraPosition(std::max(0, cboAgeB->currentIndex()), step, cboAgeB->count()));
  return true;
}

bool frmSCR::compareWheel(int iniVector) {
  if (!compareActive() || compare_.mode != CompareMode::Lens || !inputModifiers_.testFlag(Qt::ControlModifier))
    return false;
  // Turned away from the user: a larger lens.
  const int r = compare_.lensRadius + (iniVector == 1 ? 1 : -1) * std::max(4, compare_.lensRadius / 8);
  compare_.lensRadius = std::clamp(r, CompareSettings::kMinLensRadius, CompareSettings::kMaxLensRadius);
  refreshCompareFrame();
  return true;
}

bool frmSCR::compareMouseDown(Qt::MouseButton button, double x, double y) {
  if (!compareActive() || compare_.mode != CompareMode::Swipe || button != Qt::LeftButton) return false;
  if (std::abs(x - compareSplit()) > kDividerGrip) return false;
  dividerDragging_ = true;
  return true;
}

bool frmSCR::compareMouseMove(double x, double y) {
  pointer_ = QPointF(x, y);
  if (!compareActive()) return false;
  const QPoint at(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  compareCursor_ = at;
  if (dividerDragging_) {
    const int w = std::max(1, state_.viewWidth());
    compare_.splitPermille = std::clamp(static_cast<int>(std::lround(clampSplit(at.x(), w) * 1000.0 / w)), 0, 1000);
    refreshCompareFrame();
    return true;
  }
  if (compare_.mode == CompareMode::Swipe && !dragArmed_)
    picPrint->setCursor(std::abs(x - compareSplit()) <= kDividerGrip ? Qt::SplitHCursor : Qt::ArrowCursor);

  // The readout describes the era under the pointer (Show_PointInfo asks
  // compareEraAt).
  Show_PointInfo(x, y);

  if (!dragArmed_) {
    if (compare_.mode != CompareMode::Blend) refreshCompareFrame();
    return true;
  }
  // A drag moves both eras together: each step composes the comparison
  // again, from the decoded tiles the cache keeps.
  const ViewPoint press{static_cast<float>(pressPos_.x()), static_cast<float>(pressPos_.y())};
  const ViewPoint now{toSingle(x), toSingle(y)};
  if (dragOffset(press, now).isNull() && !dragMoved_) return true;
  dragMoved_ = true;
  const ImagePoint c = dragCentre(x, y, nullptr);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
  redrawView();
  return true;
}

bool frmSCR::compareMouseUp(Qt::MouseButton button, double x, double y) {
  if (!dividerDragging_ || button != Qt::LeftButton) return false;
  dividerDragging_ = false;
  return true;
}

}  // namespace kavalo
