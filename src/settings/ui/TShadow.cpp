// SPDX-License-Identifier: GPL-3.0-or-later
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>

#include "settings/Customization.h"
#include "settings/ui/CustomizeDialogs.h"
#include "settings/ui/Samples.h"

namespace quillon {
namespace {

const char kEditing[] = "Customize the shadow name and appearance.";
const char kLightFirst[] = "The source of the imaginary light determines where the shadow casts.";
const char kLightSecond[] = "The light direction applies to all shadows in your design.";

// The guidance each control shows under the mouse.
QString HoverText(const QObject* control) {
  const QString name = control->objectName();
  if (name == u"Name") return QStringLiteral("Customize the shadow name.");
  if (name == u"Elevation") {
    return QStringLiteral(
        "Imagine that you are lifting the object from the surface. Higher "
        "elevation makes a longer shadow.");
  }
  if (name == u"Fade") {
    return QStringLiteral(
        "The shadow edges should fade when the object is elevated from the "
        "surface to make a realistic shadow.");
  }
  if (name == u"Lightness") {
    return QStringLiteral(
        "You can make the shadow darker or lighter to deepen or soften the "
        "shadow.");
  }
  if (name == u"Shown") {
    return QStringLiteral(
        "Check this option to add the shadow into the pull-down menus in the "
        "fine-tune and preview screens.");
  }
  return QString();
}

}  // namespace

TShadow::TShadow(TParams& params, QWidget* parent)
    : CustomizeDialog(params, QStringLiteral("Select"),
                      QStringLiteral("Click on the shadow name in the left column to make or "
                                     "edit a shadow."),
                      parent),
      slots_(params.customShadows),
      light_(std::clamp(params.lgtdir, 0, 3)) {
  setObjectName(QStringLiteral("TShadow"));
  name_ = AddLineEdit(QStringLiteral("Name"), "Name");
  sliders_[0] = AddSlider(QStringLiteral("Elevation"), "Elevation");
  sliders_[1] = AddSlider(QStringLiteral("Fade"), "Fade");
  sliders_[2] = AddSlider(QStringLiteral("Lightness"), "Lightness");
  shown_ = new QCheckBox(Fields()->parentWidget());
  shown_->setObjectName(QStringLiteral("Shown"));
  Fields()->addRow(shown_);
  connect(shown_, &QCheckBox::toggled, this, &TShadow::FieldsChanged);
  connect(name_, &QLineEdit::textEdited, this, &TShadow::UpdateShownCaption);
  Fields()->addRow(new QLabel(QStringLiteral("Sample"), Fields()->parentWidget()));

  lightBox_ = Extras();
  auto* grid = new QGridLayout(lightBox_);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Direction of Light"), lightBox_), 0, 0, 1, 2);
  lights_ = new QButtonGroup(this);
  lights_->setExclusive(true);
  static constexpr const char* kDirections[] = {"From top left", "From top right",
                                                "From bottom left", "From bottom right"};
  for (int i = 0; i < 4; ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(kDirections[i]), lightBox_);
    box->setObjectName(QStringLiteral("Light%1").arg(i));
    box->setChecked(i == light_);
    lights_->addButton(box, i);
    grid->addWidget(box, 1 + i / 2, i % 2);
    box->installEventFilter(this);
  }
  connect(lights_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (!on) return;
    light_ = id;
    UpdateSample();
  });
  for (QWidget* control : {static_cast<QWidget*>(name_), static_cast<QWidget*>(shown_)})
    control->installEventFilter(this);
  lightBox_->installEventFilter(this);
  FinishLayout();
}

QSlider* TShadow::AddSlider(const QString& label, const char* name) {
  auto* row = new QWidget(Fields()->parentWidget());
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* slider = new QSlider(Qt::Horizontal, row);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setRange(0, 255);
  auto* percent = new QLabel(row);
  percent->setObjectName(QString::fromLatin1(name) + QStringLiteral("Percent"));
  percent->setMinimumWidth(40);
  layout->addWidget(slider, 1);
  layout->addWidget(percent);
  Fields()->addRow(label, row);
  const int index = name[0] == 'E' ? 0 : name[0] == 'F' ? 1 : 2;
  percents_[index] = percent;
  percent->setText(ShadowPercentText(0));
  connect(slider, &QSlider::valueChanged, this, [this, percent](int value) {
    percent->setText(ShadowPercentText(value));
    FieldsChanged();
  });
  slider->installEventFilter(this);
  return slider;
}

std::array<QString, 2> TShadow::EditingGuidance() const {
  return {QString::fromLatin1(kEditing), QStringLiteral("Customize the shadow name.")};
}

void TShadow::ShowSlot(int slot) {
  const custShadowRec_t& s = slots_[slot];
  name_->setText(s.name);
  sliders_[0]->setValue(s.size);
  sliders_[1]->setValue(s.softness);
  sliders_[2]->setValue(s.lightness);
  for (int i = 0; i < 3; ++i)
    percents_[i]->setText(ShadowPercentText(sliders_[i]->value()));
  shown_->setChecked(s.shown != 0);
  UpdateShownCaption();
}

void TShadow::KeepSlot(int slot) {
  custShadowRec_t& s = slots_[slot];
  s.name = name_->text();
  s.size = sliders_[0]->value();
  s.softness = sliders_[1]->value();
  s.lightness = sliders_[2]->value();
  s.shown = shown_->isChecked() ? 1 : 0;
}

void TShadow::UpdateShownCaption() {
  shown_->setText(QStringLiteral("Show '") + name_->text() +
                  QStringLiteral("' in the shadows selection menu"));
}

void TShadow::UpdateSample() {
  ShadowValue shadow;
  if (edited_ >= 0) {
    shadow = {slots_[edited_].size, slots_[edited_].softness, slots_[edited_].lightness};
  }
  Sample()->setPixmap(
      QPixmap::fromImage(ShadowSample(Sample()->size(), shadow, light_, params_.screen)));
}

bool TShadow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter) {
    const bool light = watched == lightBox_ || watched->parent() == lightBox_;
    if (light) {
      SetGuidance(QString::fromLatin1(kLightFirst), QString::fromLatin1(kLightSecond));
    } else if (edited_ >= 0) {
      SetGuidance(QString::fromLatin1(kEditing), HoverText(watched));
    }
  }
  return CustomizeDialog::eventFilter(watched, event);
}

void TShadow::Save() {
  KeepEdited();
  SaveShadowSlots(params_, slots_, light_);
}

}  // namespace quillon
