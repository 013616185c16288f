#include "display/KvDisplayLayout.h"

#include "display/KvDisplayView.h"

#include <algorithm>

void LayoutViews(const std::vector<TKvDisplayView*>& views, int width, int height) {
  TKvRect rest{0, 0, width, height};
  int leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
  for (TKvDisplayView* view : views) {
    view->SetViewRect(rest);
    if (!view->IsVisible()) continue;
    const TKvViewAlign align = view->GetAlign();
    if (align == TKvViewAlign::vaClient) {
      view->SetViewRect({std::max(rest.Left, leftMargin), std::max(rest.Top, topMargin),
                         std::min(rest.Right, width - rightMargin), std::min(rest.Bottom, height - bottomMargin)});
      continue;
    }
    const TKvViewSize size = view->GetSize();
    TKvRect rect = rest;
    if (align == TKvViewAlign::vaTop || align == TKvViewAlign::vaBottom) {
      // -1 along the edge's direction takes all that is left.
      const int cy = size.Cy < 0 ? std::max(rest.Height(), 0) : size.Cy;
      if (align == TKvViewAlign::vaTop) rest.Top = rect.Bottom = rest.Top + cy;
      else rest.Bottom = rect.Top = rest.Bottom - cy;
      leftMargin = std::max(leftMargin, view->GetLeadingMargin());
      rightMargin = std::max(rightMargin, view->GetTrailingMargin());
    } else {
      const int cx = size.Cx < 0 ? std::max(rest.Width(), 0) : size.Cx;
      if (align == TKvViewAlign::vaLeft) rest.Left = rect.Right = rest.Left + cx;
      else rest.Right = rect.Left = rest.Right - cx;
      topMargin = std::max(topMargin, view->GetLeadingMargin());
      bottomMargin = std::max(bottomMargin, view->GetTrailingMargin());
    }
    view->SetViewRect(rect);
  }
}
