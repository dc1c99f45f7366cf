// SPDX-License-Identifier: GPL-3.0-or-later
// What a side panel needs from the main window: the settings, the active document with its
// announcements and geometry, the customization dialogs, the tools and the panel history.
#pragma once

#include <cstdint>
#include <functional>

#include "document/DocumentEvents.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"
#include "settings/TParams.h"
#include "settings/ValueLists.h"

namespace quillon {

class PanelContext {
 public:
  virtual ~PanelContext() = default;
  virtual TParams& Params() = 0;
  // The active document and its announcements; null without an open window.
  virtual ItemList* ActiveDocument() = 0;
  virtual DocumentEvents* ActiveEvents() = 0;
  virtual GeometryContext ActiveGeometry() = 0;
  // Opens the customization dialog of a list (colours: the colour chooser).
  virtual void Customize(ValueListKind kind) = 0;
  // Runs a tool number as the toolbar does (tool buttons, links).
  virtual void RunTool(int32_t tool) = 0;
  // An apply operation changed the selection: its handle marks are drawn again.
  virtual void SelectionEdited() = 0;
  // A panel changed a value: the tool and its settings become a history step.
  virtual void PanelChanged(int32_t tool) = 0;
  // The text being typed on the active window's canvas takes a panel change in place, inside
  // the edit step its typing opened, and is fitted and drawn again; false when none is typed.
  virtual bool ChangeEditedText(const std::function<void(ItemRecord&)>& change) = 0;
};

}  // namespace quillon
