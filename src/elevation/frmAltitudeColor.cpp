// SPDX-License-Identifier: MIT
#include "elevation/frmAltitudeColor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "elevation/ColorSetPreview.h"
#include "platform/Numbers.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {
constexpr int kRampWidth = 260;
constexpr int kRampHeight = 18;
constexpr int kPreviewSide = 200;
}  // namespace

frmAltitudeColor::frmAltitudeColor(ColorSet& editing, const AltitudeGrid& grid, Prompts& prompts, QWidget* parent,
                                   FormRunner runner)
    : QDialog(parent), editing_(editing), grid_(grid), prompts_(prompts), runner_(std::move(runner)) {
  setObjectName(QStringLiteral("frmAltitudeColor"));
  setWindowTitle(tr("標高データの色設定"));
  setModal(true);
  buildControls();

  showEntries(entriesFromSet(editing_));
  chkShadow->setChecked(editing_.shading == 1);
  SliderShadow->setValue(editing_.strength);
  const int light = (editing_.lightDirection >= 0 && editing_.lightDirection <= 3) ? editing_.lightDirection : 0;
  optLightDir[static_cast<size_t>(light)]->setChecked(true);
  txtName->setText(editing_.name);
  lblMaxMin[0]->setText(tr("最高点:%1").arg(shortestDoubleText(grid_.highest / 10.0)));
  lblMaxMin[1]->setText(tr("最低点:%1").arg(shortestDoubleText(grid_.lowest / 10.0)));
  loading_ = false;
  refreshPreview();
  PlaceFormNearCursor(*this, false);
}

void frmAltitudeColor::buildControls() {
  auto* nameBox = new QGroupBox(tr("名前"), this);
  txtName = new QLineEdit(nameBox);
  txtName->setObjectName(QStringLiteral("txtName"));
  (new QVBoxLayout(nameBox))->addWidget(txtName);

  auto* rows = new QVBoxLayout;
  rows->setSpacing(2);
  for (int i = 0; i < kSwatches; ++i) {
    const size_t s = static_cast<size_t>(i);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("picColFrame_%1").arg(i));
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(2, 1, 2, 1);
    auto* swatch = new UiSwatch(frame);
    swatch->setObjectName(QStringLiteral("picAlti_Col_%1").arg(i));
    swatch->setFixedSize(48, 22);
    row->addWidget(swatch);
    connect(swatch, &UiSwatch::clicked, this, [this, i] { picAlti_Col_Click(i); });
    if (i < kFirstBreakpointRow) {
      static const char* const kCaptions[3] = {QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "最高"),
                                               QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "最低"),
                                               QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "海面")};
      auto* label = new QLabel(tr(kCaptions[i]), frame);
      label->setObjectName(QStringLiteral("lblMaxMin_%1").arg(i));
      row->addWidget(label, 1);
      lblMaxMin[s] = label;
    } else {
      auto* text = new QLineEdit(frame);
      text->setObjectName(QStringLiteral("txtAltitude_%1").arg(i));
      text->setFixedWidth(90);
      text->setAlignment(Qt::AlignRight);
      row->addWidget(text);
      row->addWidget(new QLabel(QStringLiteral("m"), frame));
      auto* erase = new QPushButton(tr("削除"), frame);
      erase->setObjectName(QStringLiteral("cmdEraseColor_%1").arg(i));
      row->addWidget(erase);
      row->addStretch(1);
      connect(text, &QLineEdit::textChanged, this, [this] { refreshPreview(); });
      connect(erase, &QPushButton::clicked, this, [this, i] { cmdEraseColor_Click(i); });
      txtAltitude[s] = text;
      cmdEraseColor[s] = erase;
    }
    picColFrame[s] = frame;
    picAlti_Col[s] = swatch;
    rows->addWidget(frame);
  }
  rows->addStretch(1);

  cmdAddColor = new QPushButton(tr("追加"), this);
  cmdAddColor->setObjectName(QStringLiteral("cmdAddColor"));
  cmdArrange = new QPushButton(tr("標高順に並べ替え"), this);
  cmdArrange->setObjectName(QStringLiteral("cmdArrange"));
  auto* rowButtons = new QHBoxLayout;
  rowButtons->addWidget(cmdAddColor);
  rowButtons->addWidget(cmdArrange);
  rowButtons->addStretch(1);

  auto* shadeBox = new QGroupBox(tr("陰影"), this);
  chkShadow = new QCheckBox(tr("陰影をつける"), shadeBox);
  chkShadow->setObjectName(QStringLiteral("chkShadow"));
  auto* lightGroup = new QButtonGroup(this);
  static const char* const kDirections[4] = {
      QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "北西"), QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "北東"),
      QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "南西"), QT_TRANSLATE_NOOP("kavalo::frmAltitudeColor", "南東")};
  auto* lights = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    auto* opt = new QRadioButton(tr(kDirections[i]), shadeBox);
    opt->setObjectName(QStringLiteral("optLightDir_%1").arg(i));
    lightGroup->addButton(opt, i);
    lights->addWidget(opt, i / 2, i % 2);
    optLightDir[static_cast<size_t>(i)] = opt;
  }
  SliderShadow = new QSlider(Qt::Horizontal, shadeBox);
  SliderShadow->setObjectName(QStringLiteral("SliderShadow"));
  SliderShadow->setRange(100, 500);
  SliderShadow->setSingleStep(10);
  SliderShadow->setPageStep(50);
  auto* shade = new QGridLayout(shadeBox);
  shade->addWidget(chkShadow, 0, 0, 1, 2);
  shade->addWidget(new QLabel(tr("光源"), shadeBox), 1, 0, Qt::AlignTop);
  shade->addLayout(lights, 1, 1);
  shade->addWidget(new QLabel(tr("強度"), shadeBox), 2, 0);
  shade->addWidget(SliderShadow, 2, 1);

  picRamp = new QLabel(this);
  picRamp->setObjectName(QStringLiteral("picRamp"));
  picRamp->setFixedSize(kRampWidth, kRampHeight);
  picPreview = new QLabel(this);
  picPreview->setObjectName(QStringLiteral("picPreview"));
  picPreview->setMinimumSize(kPreviewSide, kPreviewSide);
  picPreview->setAlignment(Qt::AlignCenter);
  auto* right = new QVBoxLayout;
  right->addWidget(shadeBox);
  right->addWidget(picRamp);
  right->addWidget(picPreview, 1);

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(tr("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);

  auto* left = new QVBoxLayout;
  left->addWidget(nameBox);
  left->addLayout(rows);
  left->addLayout(rowButtons);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  connect(cmdAddColor, &QPushButton::clicked, this, [this] { cmdAddColor_Click(); });
  connect(cmdArrange, &QPushButton::clicked, this, [this] { cmdArrange_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  connect(chkShadow, &QCheckBox::toggled, this, [this] { refreshPreview(); });
  connect(SliderShadow, &QSlider::valueChanged, this, [this] { refreshPreview(); });
  connect(lightGroup, &QButtonGroup::idToggled, this, [this](int, bool on) {
    if (on) refreshPreview();
  });
}

ColourEntries frmAltitudeColor::entries() const {
  ColourEntries e;
  for (size_t i = 0; i < kSwatches; ++i) {
    e.colours[i] = picAlti_Col[i]->colour();
    if (txtAltitude[i]) e.texts[i] = txtAltitude[i]->text();
  }
  e.shownRows = shownRows_;
  return e;
}

void frmAltitudeColor::showEntries(const ColourEntries& e) {
  // One refresh of the previews for the whole change, not one per row.
  const bool wasLoading = loading_;
  loading_ = true;
  shownRows_ = e.shownRows;
  for (size_t i = 0; i < kSwatches; ++i) {
    picAlti_Col[i]->setColour(e.colours[i]);
    if (!txtAltitude[i]) continue;
    txtAltitude[i]->setText(e.texts[i]);
    picColFrame[i]->setHidden(!e.shown(static_cast<int>(i)));
  }
  loading_ = wasLoading;
  refreshPreview();
}

ColorSet frmAltitudeColor::currentSet() const {
  ColourEntries e = entries();
  arrangeBreakpointRows(e);
  ColorSet set = editing_;
  storeColourEntries(e, set);
  set.shading = chkShadow->isChecked() ? 1 : 0;
  set.strength = SliderShadow->value();
  for (int i = 0; i < 4; ++i)
    if (optLightDir[static_cast<size_t>(i)]->isChecked()) set.lightDirection = i;
  set.name = txtName->text();
  return set;
}

void frmAltitudeColor::refreshPreview() {
  if (loading_) return;
  const ColorSet set = currentSet();
  picRamp->setPixmap(QPixmap::fromImage(rampStrip(set, grid_, picRamp->size())));
  picPreview->setPixmap(QPixmap::fromImage(shadedPreview(set, grid_, kPreviewSide)));
}

void frmAltitudeColor::picAlti_Col_Click(int index) {
  if (index < 0 || index >= kSwatches) return;
  const auto colour = PickColor(this, runner_);
  if (!colour) return;
  picAlti_Col[static_cast<size_t>(index)]->setColour(*colour);
  refreshPreview();
}

void frmAltitudeColor::cmdAddColor_Click() {
  ColourEntries e = entries();
  addBreakpointRow(e);
  showEntries(e);
}

void frmAltitudeColor::cmdEraseColor_Click(int row) {
  ColourEntries e = entries();
  eraseBreakpointRow(e, row);
  showEntries(e);
}

void frmAltitudeColor::cmdArrange_Click() {
  ColourEntries e = entries();
  arrangeBreakpointRows(e);
  showEntries(e);
}

void frmAltitudeColor::cmdOK_Click() {
  ColourEntries e = entries();
  if (!validateColourEntries(e, grid_, prompts_)) return;
  arrangeBreakpointRows(e);
  showEntries(e);
  editing_ = currentSet();
  cancelled_ = false;
  closing_ = true;
  accept();
}

void frmAltitudeColor::cmdCancel_Click() {
  cancelled_ = true;
  closing_ = true;
  QDialog::reject();
}

void frmAltitudeColor::reject() {
  // Escape does what the cancel button does.
  if (!closing_) cmdCancel_Click();
}

void frmAltitudeColor::closeEvent(QCloseEvent* event) {
  // So does the close box.
  if (!closing_) cmdCancel_Click();
  event->accept();
}

}  // namespace kavalo
