// SPDX-License-Identifier: GPL-3.0-or-later
// The customization dialogs of the value lists: line weights (TThickness), line patterns
// (TPatterns), line directions, text angles and font sizes (TDirections) and shadows (TShadow).
// Each edits a working copy of its twelve slots and writes it into the settings object only on
// Save; the settings store is written when the program ends.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "settings/TParams.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace quillon {

inline constexpr char kSaveOrCancel[] =
    "When done, click on the Save button. Click on the Cancel button to close this window "
    "without applying any changes.";

// The shared layout: a titled column of twelve slot buttons, two lines of guidance, the edit
// fields of the slot being edited and a sample drawn with its current values.
class CustomizeDialog : public QWidget {
  Q_OBJECT
 public:
  // Writes the working copy into the settings object (the host's Save button).
  virtual void Save() = 0;
  // Asked before Save: why a value cannot be kept, with the dialog's guidance for it, and the
  // slot at fault made the edited one; empty when everything can be saved.
  virtual QString Refusal() { return {}; }
  // Makes a slot (0..11) the edited one, as clicking its button does.
  void EditSlot(int slot);
  int EditedSlot() const { return edited_; }
  QPushButton* SlotButton(int slot) const { return slotButtons_[slot]; }
  QString GuidanceText() const;

 protected:
  CustomizeDialog(TParams& params, const QString& columnTitle, const QString& opening,
                  QWidget* parent);
  // Builds the buttons from the slot names; called by each dialog once its working copy is set.
  void FinishLayout();
  QFormLayout* Fields() const { return fields_; }
  // Controls below the fields that work without an edited slot.
  QWidget* Extras() const { return extras_; }
  QLabel* Sample() const { return sample_; }
  void SetGuidance(const QString& first, const QString& second);
  // The editing guidance shown while a slot is edited.
  virtual std::array<QString, 2> EditingGuidance() const = 0;
  virtual QString NameOf(int slot) const = 0;
  // Fills the fields from the working copy, and reads them back into it.
  virtual void ShowSlot(int slot) = 0;
  virtual void KeepSlot(int slot) = 0;
  // Redraws the sample from the fields.
  virtual void UpdateSample() = 0;
  // The edited slot's fields have changed: keep them, rename its button, redraw the sample.
  void FieldsChanged();
  void KeepEdited();
  QLineEdit* AddLineEdit(const QString& label, const char* name);
  QComboBox* AddUnits(const QStringList& units);

  TParams& params_;
  int edited_ = -1;
  bool showing_ = false;

 private:
  std::array<QPushButton*, kCustomSlots> slotButtons_{};
  QWidget* fieldArea_ = nullptr;
  QFormLayout* fields_ = nullptr;
  QLabel* guidance1_ = nullptr;
  QLabel* guidance2_ = nullptr;
  QLabel* sample_ = nullptr;
  QWidget* extras_ = nullptr;
};

class TThickness : public CustomizeDialog {
  Q_OBJECT
 public:
  TThickness(TParams& params, QWidget* parent = nullptr);
  void Save() override;
  QString Refusal() override;

 protected:
  std::array<QString, 2> EditingGuidance() const override;
  QString NameOf(int slot) const override { return slots_[slot].name; }
  void ShowSlot(int slot) override;
  void KeepSlot(int slot) override;
  void UpdateSample() override;

 private:
  ThicknessSlots slots_;
  QLineEdit* name_ = nullptr;
  QLineEdit* value_ = nullptr;
  QComboBox* units_ = nullptr;
};

class TPatterns : public CustomizeDialog {
  Q_OBJECT
 public:
  TPatterns(TParams& params, QWidget* parent = nullptr);
  void Save() override;

 protected:
  std::array<QString, 2> EditingGuidance() const override;
  QString NameOf(int slot) const override { return slots_[slot].name; }
  void ShowSlot(int slot) override;
  void KeepSlot(int slot) override;
  void UpdateSample() override;

 private:
  PatternSlots slots_;
  QLineEdit* name_ = nullptr;
  QComboBox* units_ = nullptr;
  std::array<QLineEdit*, kPatternSlotSegments> segments_{};
};

class TDirections : public CustomizeDialog {
  Q_OBJECT
 public:
  TDirections(TParams& params, DirectionRole role, QWidget* parent = nullptr);
  void Save() override;
  DirectionRole Role() const { return role_; }

 protected:
  std::array<QString, 2> EditingGuidance() const override;
  QString NameOf(int slot) const override { return slots_[slot].name; }
  void ShowSlot(int slot) override;
  void KeepSlot(int slot) override;
  void UpdateSample() override;

 private:
  DirectionRole role_;
  DirectionSlots slots_;
  QLineEdit* name_ = nullptr;
  QLineEdit* value_ = nullptr;
  QComboBox* units_ = nullptr;  // angles only
};

class TShadow : public CustomizeDialog {
  Q_OBJECT
 public:
  TShadow(TParams& params, QWidget* parent = nullptr);
  void Save() override;

 protected:
  std::array<QString, 2> EditingGuidance() const override;
  QString NameOf(int slot) const override { return slots_[slot].name; }
  void ShowSlot(int slot) override;
  void KeepSlot(int slot) override;
  void UpdateSample() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSlider* AddSlider(const QString& label, const char* name);
  void UpdateShownCaption();

  ShadowSlots slots_;
  int32_t light_ = 0;
  QLineEdit* name_ = nullptr;
  std::array<QSlider*, 3> sliders_{};  // elevation, fade, lightness
  std::array<QLabel*, 3> percents_{};
  QCheckBox* shown_ = nullptr;
  QButtonGroup* lights_ = nullptr;
  QWidget* lightBox_ = nullptr;
};

}  // namespace quillon
