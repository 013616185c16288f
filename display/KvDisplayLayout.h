#pragma once

#include <vector>

class TKvDisplayView;

// Divides a display of width × height among its views, in list order: each visible view takes its
// size off the remaining rectangle at its edge, the earlier one nearer the edge, and the data view
// (aligned to the client) takes what is left, kept clear of the margins that views along the edges
// need beyond their ends. A view that is not visible keeps the remaining rectangle it was given.
void LayoutViews(const std::vector<TKvDisplayView*>& views, int width, int height);
