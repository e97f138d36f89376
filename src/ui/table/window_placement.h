// Where the table window stands on its screen when the panel of automatic runs opens: the window
// grows downwards, and on a screen too small for the whole of it (1366 × 768 with a title bar and a
// task bar) it moves up, and if need be the panel covers the lower edge of the table, so that every
// command of the panel stays on the screen.
#pragma once

#include <QMargins>
#include <QRect>

namespace vessaro {

struct PanelPlacement {
  int height = 0;     // the window's height, without its frame
  int panel_top = 0;  // where the panel starts inside the window
  int frame_top = 0;  // where the window's frame starts on the screen
};

// available: the screen's free area; frame: the decorations around the window's inside; frame_top:
// where the frame starts now; closed / open: the heights without and with the panel.
PanelPlacement PlacePanel(const QRect& available, const QMargins& frame, int frame_top, int closed, int open,
                          bool panel_open);

}  // namespace vessaro
