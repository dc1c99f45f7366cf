// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the program's window.
#pragma once

#include <QString>

namespace quillon {

// Runs the main window until the user ends the program; opens file first when one is given.
int RunGui(int& argc, char** argv, const QString& file);

}  // namespace quillon
