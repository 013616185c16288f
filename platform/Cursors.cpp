#include "platform/Cursors.h"

const TEnumNames<TCursor>& CursorNames() {
  static const TEnumNames<TCursor> names = {{TCursor::crSizeAll, "crSizeAll"},
                                            {TCursor::crHandPoint, "crHandPoint"},
                                            {TCursor::crHelp, "crHelp"},
                                            {TCursor::crAppStart, "crAppStart"},
                                            {TCursor::crNo, "crNo"},
                                            {TCursor::crSQLWait, "crSQLWait"},
                                            {TCursor::crMultiDrag, "crMultiDrag"},
                                            {TCursor::crVSplit, "crVSplit"},
                                            {TCursor::crHSplit, "crHSplit"},
                                            {TCursor::crNoDrop, "crNoDrop"},
                                            {TCursor::crDrag, "crDrag"},
                                            {TCursor::crHourGlass, "crHourGlass"},
                                            {TCursor::crUpArrow, "crUpArrow"},
                                            {TCursor::crSizeWE, "crSizeWE"},
                                            {TCursor::crSizeNWSE, "crSizeNWSE"},
                                            {TCursor::crSizeNS, "crSizeNS"},
                                            {TCursor::crSizeNESW, "crSizeNESW"},
                                            {TCursor::crIBeam, "crIBeam"},
                                            {TCursor::crCross, "crCross"},
                                            {TCursor::crArrow, "crArrow"},
                                            {TCursor::crNone, "crNone"},
                                            {TCursor::crDefault, "crDefault"}};
  return names;
}

Qt::CursorShape ToQtCursor(TCursor cursor) {
  switch (cursor) {
    case TCursor::crSizeAll: return Qt::SizeAllCursor;
    case TCursor::crHandPoint: return Qt::PointingHandCursor;
    case TCursor::crHelp: return Qt::WhatsThisCursor;
    case TCursor::crAppStart: return Qt::BusyCursor;
    case TCursor::crNo:
    case TCursor::crNoDrop: return Qt::ForbiddenCursor;
    case TCursor::crSQLWait:
    case TCursor::crHourGlass: return Qt::WaitCursor;
    case TCursor::crMultiDrag:
    case TCursor::crDrag: return Qt::DragCopyCursor;
    case TCursor::crVSplit: return Qt::SplitVCursor;
    case TCursor::crHSplit: return Qt::SplitHCursor;
    case TCursor::crUpArrow: return Qt::UpArrowCursor;
    case TCursor::crSizeWE: return Qt::SizeHorCursor;
    case TCursor::crSizeNWSE: return Qt::SizeFDiagCursor;
    case TCursor::crSizeNS: return Qt::SizeVerCursor;
    case TCursor::crSizeNESW: return Qt::SizeBDiagCursor;
    case TCursor::crIBeam: return Qt::IBeamCursor;
    case TCursor::crCross: return Qt::CrossCursor;
    case TCursor::crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}
