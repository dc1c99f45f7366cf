// SPDX-License-Identifier: GPL-3.0-or-later
// The one table of what the two host windows show: for each host and code its caption, its
// two buttons, the slot its placement is remembered in and the panel it makes.
#pragma once

#include <QString>
#include <cstdint>

#include "shell/HostWindow.h"

namespace quillon {

class TForm1;

// How the title an opener passes enters a host's caption.
enum class HostTitle {
  None,       // the caption alone
  Only,       // the title alone
  After,      // the caption followed by the title
  AfterDash,  // the caption, followed by " - " and the title when there is one
};

struct HostEntry {
  HostKind kind;
  int code;
  const char* caption;
  HostTitle title;
  const char* first;
  const char* second;
  // The placement slot (1 .. 16); 0 for none.
  int slot;
  // Makes the panel and what the first button does; number is a window number or similar.
  HostPanel (*panel)(TForm1& form, int code, int32_t number);
};

// The entry of a host's code; null for a code the host does not show.
const HostEntry* FindHost(HostKind kind, int code);

}  // namespace quillon
