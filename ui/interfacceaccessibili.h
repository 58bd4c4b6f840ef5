// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The accessible faces that Qt's own do not give Form8: the window is a frame
// named by its title, with the chart among its children; each picture box is
// an image with its name and description; the chart is a chart over its
// strip of the window; the announcement after a run is a notification.

namespace form8 {

// Installs them for every object created from now on; more calls add nothing.
void installaInterfacceAccessibili();

} // namespace form8
