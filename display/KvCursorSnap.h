#pragma once

class TKvDisplayAxis;
class TKvScope;

// Where a cursor value (label units of `axis`) lands with the axis's SnapToSample: for each
// visible channel drawn against the axis that holds more than one sample, in order, the value moves to the
// channel's data value nearest to it (X values for an X axis, Y values for a Y axis) when it lies
// strictly between that channel's smallest and largest value. Without snapping, the value itself.
double SnapCursorValue(const TKvScope& scope, const TKvDisplayAxis& axis, bool xAxis, double value);
