// SPDX-License-Identifier: GPL-3.0-or-later
// The window module: the window and printing, with the widget and printing libraries they
// bring, live in a module of their own that the program loads when it needs them, so that
// commands that only read, convert or export start without those libraries.
#pragma once

#include <QString>

namespace quillon {

// Runs the window from the module until the user ends the program; opens file first when one
// is given. When the module cannot be loaded, says why on standard error and returns 1.
int RunWindowModule(int& argc, char** argv, const QString& file);

}  // namespace quillon
