// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program tells the desktop about itself before it shows Form8: its
// name, its version and its icon. The program's main and the start-up
// benchmark both start this way.

namespace form8 {

// Call once the QApplication exists.
void presentaApplicazione();

} // namespace form8
