#pragma once

#include "platform/Published.h"

#include <Qt>

// A mouse cursor as layouts store it: one of the platform's cursor codes (crHandPoint is -21).
enum class TCursor : int {
  crSizeAll = -22,
  crHandPoint = -21,
  crHelp = -20,
  crAppStart = -19,
  crNo = -18,
  crSQLWait = -17,
  crMultiDrag = -16,
  crVSplit = -15,
  crHSplit = -14,
  crNoDrop = -13,
  crDrag = -12,
  crHourGlass = -11,
  crUpArrow = -10,
  crSizeWE = -9,
  crSizeNWSE = -8,
  crSizeNS = -7,
  crSizeNESW = -6,
  crIBeam = -4,
  crCross = -3,
  crArrow = -2,
  crNone = -1,
  crDefault = 0
};

const TEnumNames<TCursor>& CursorNames();

// The Qt shape of a cursor code.
Qt::CursorShape ToQtCursor(TCursor cursor);
