// SPDX-License-Identifier: GPL-3.0-or-later
// The start and the end the design tools share: read the document made by `quillon new`, and
// write it back with every item's bounds as the program keeps them.
#pragma once

#include <QString>
#include <iostream>

#include "document/DocumentFile.h"
#include "render/ShapeBounds.h"
#include "render/Text.h"
#include "support/DocumentFixtures.h"

namespace quillon::test {

// Reads the document at path; says why on standard error when it is not one.
inline bool ReadStartDocument(const char* tool, const char* path, ItemList& list) {
  ScriptedPrompter prompter(PromptAnswer::No);
  const FileResult read = ReadDocument(QString::fromLocal8Bit(path), list, prompter);
  if (read.ok() && list.PageRecord() != nullptr) return true;
  std::cerr << tool << ": " << path << ": not a document\n";
  return false;
}

// Gives every item its bounds as the program keeps them: shapes by their outlines, texts by
// their text blocks.
inline void KeepDesignBounds(ItemList& list) {
  const FontTextMetrics metrics(list.screen());
  GeometryContext context;
  context.screen = list.screen();
  context.text = &metrics;
  for (ItemRecord& r : list)
    if (IsDrawableKind(r.kind())) BoundsAfterTransform(r, context);
}

// The bounds kept, then the document written to path; the exit status of the tool.
inline int WriteDesign(const char* tool, const char* path, ItemList& list) {
  KeepDesignBounds(list);
  const FileResult written = WriteDocument(QString::fromLocal8Bit(path), list);
  if (written.ok()) return 0;
  std::cerr << tool << ": " << path << ": " << written.message << '\n';
  return 1;
}

}  // namespace quillon::test
