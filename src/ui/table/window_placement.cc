#include "ui/table/window_placement.h"

#include <algorithm>

namespace vessaro {

PanelPlacement PlacePanel(const QRect& available, const QMargins& frame, int frame_top, int closed, int open,
                          bool panel_open) {
  const int room = available.height() - frame.top() - frame.bottom();
  PanelPlacement p;
  p.height = panel_open ? std::max(closed, std::min(open, room)) : closed;
  // When the whole window cannot fit, the panel keeps its full height over the table's lower edge.
  p.panel_top = panel_open ? p.height - (open - closed) : closed;
  const int outer = frame.top() + p.height + frame.bottom();
  p.frame_top = frame_top;
  if (p.frame_top + outer > available.bottom() + 1) p.frame_top = available.bottom() + 1 - outer;
  p.frame_top = std::max(p.frame_top, available.top());
  return p;
}

}  // namespace vessaro
