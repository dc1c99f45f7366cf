// SPDX-License-Identifier: GPL-3.0-or-later
// The side panels: lines (TLinebox), shapes (TPolybox), texts (TTextbox), selected pictures
// (TColorbox), pictures about to be inserted (TPictbox), mixed selections (TUnibox), the tool
// palette (TToolbox) and the guidance pages (TLinehelp).
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <unordered_map>

#include "settings/ui/PropertyPanel.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace quillon {

class TLinebox : public PropertyPanel {
  Q_OBJECT
 public:
  TLinebox(PanelContext& context, int32_t tool, QWidget* parent = nullptr);
  void ShowValues() override;
  // Fill colour and outline weight are offered only for lines at least 3 pixels wide.
  bool OffersFill() const;

 protected:
  void ListChosen(ValueCombo& combo, int index) override;
  void ValuesShown() override;

 private:
  QLabel* narrowNote_ = nullptr;
};

class TPolybox : public PropertyPanel {
  Q_OBJECT
 public:
  TPolybox(PanelContext& context, int32_t tool, QWidget* parent = nullptr);
  void ShowValues() override;
  QComboBox* ShapeList() const { return shape_; }
  QComboBox* SidesList() const { return sides_; }

 protected:
  void ListChosen(ValueCombo& combo, int index) override;

 private:
  void ShapeChosen(int index);
  void SidesChosen(int index);
  void ShowSelectionGuidance();

  QComboBox* shape_ = nullptr;
  QComboBox* sides_ = nullptr;
};

class TTextbox : public PropertyPanel {
  Q_OBJECT
 public:
  TTextbox(PanelContext& context, int32_t tool, QWidget* parent = nullptr);
  void ShowValues() override;
  QComboBox* FontNames() const { return fonts_; }
  QComboBox* CharacterSets() const { return charsets_; }
  QSlider* WeightSlider() const { return weightSlider_; }
  // Bold, italic, underline, strikeout; then left, centre, right.
  QToolButton* StyleButton(int i) const { return styles_[i]; }
  QToolButton* JustifyButton(int i) const { return justify_[i]; }

 protected:
  void ListChosen(ValueCombo& combo, int index) override;

 private:
  void FontChosen(int index);
  void CharsetChosen(int index);
  void WeightMoved(int position);
  void StyleClicked(int style);
  void JustifyClicked(int button);
  void SetWeight(int32_t weight);
  // A change of a text setting: into the text being typed, else to the selected texts as one
  // step, or into the tool's settings.
  void Change(
      const std::function<void(ItemRecord&, const GeometryContext&)>& text,
      const std::function<void(ItemList&, EditObserver&, const GeometryContext&)>& selection,
      const std::function<void(TParams&)>& store);
  void FillCharsets(const QString& font);

  QComboBox* fonts_ = nullptr;
  QComboBox* charsets_ = nullptr;
  QSlider* weightSlider_ = nullptr;
  std::array<QToolButton*, 4> styles_{};
  std::array<QToolButton*, 3> justify_{};
  bool showing_ = false;
  // What a list's entry changes in the text being typed, whose edit step is open.
  std::unordered_map<const ValueCombo*, std::function<void(ItemRecord&, const ValueListEntry&,
                                                           const GeometryContext&)>>
      textChanges_;
};

class TColorbox : public PropertyPanel {
  Q_OBJECT
 public:
  TColorbox(PanelContext& context, QWidget* parent = nullptr);
  void ShowValues() override;
  // Saturation, contrast, lightness.
  QSlider* Slider(int i) const { return sliders_[i]; }
  QLabel* SliderLabel(int i) const { return labels_[i]; }

 private:
  void SliderReleased();

  std::array<QSlider*, 3> sliders_{};
  std::array<QLabel*, 3> labels_{};
};

// The label beside a picture colour slider: "Normal" at 0, otherwise the position as a
// percentage of the slider's end on that side.
QString PictureSliderText(int position);

// Pictures before they are placed: the clip choice and the frame and shadow they get. The clip
// editor fills the "Clips" page; until then the panel offers the entire image or round clips.
class TPictbox : public PropertyPanel {
  Q_OBJECT
 public:
  TPictbox(PanelContext& context, QWidget* parent = nullptr);
  // Where the clip editor shows its preview and outlined clips.
  QWidget* ClipArea() const { return clipArea_; }
  bool RoundClips() const;

 signals:
  // The picture is to be inserted with the clips chosen (the clip editor's Insert).
  void InsertRequested(bool roundClips);

 private:
  QWidget* clipArea_ = nullptr;
  QButtonGroup* clipShape_ = nullptr;
};

class TUnibox : public PropertyPanel {
  Q_OBJECT
 public:
  TUnibox(PanelContext& context, QWidget* parent = nullptr);
  // The links follow the Join and Split commands' availability.
  void SetJoinSplit(bool join, bool split);
  QLabel* JoinLink() const { return join_; }
  QLabel* SplitLink() const { return split_; }

 signals:
  void JoinRequested();
  void SplitRequested();

 private:
  QLabel* join_ = nullptr;
  QLabel* split_ = nullptr;
  bool joinEnabled_ = false;
  bool splitEnabled_ = false;
};

// The tool palette: sixteen buttons, each handing its tool number to the main window once
// until the palette is shown again.
class TToolbox : public QWidget {
  Q_OBJECT
 public:
  TToolbox(PanelContext& context, QWidget* parent = nullptr);
  // The palette is shown again: its buttons work again.
  void Rearm() { pressed_ = false; }
  QPushButton* Button(const QString& caption) const;

 signals:
  void PageSetupRequested();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  PanelContext& context_;
  bool pressed_ = false;
};

// A guidance page: a title, what the user can do at that moment (GuidancePages) and a way back
// to the panel before it.
class TLinehelp : public QWidget {
  Q_OBJECT
 public:
  TLinehelp(PanelContext& context, int32_t page, QWidget* parent = nullptr);
};

}  // namespace quillon
