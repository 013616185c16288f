#pragma once

#include "app/ChroStringGrid.h"
#include "platform/ComboBox.h"
#include "platform/ControlBar.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/Panel.h"
#include "platform/SoundCaptureStream.h"
#include "platform/Splitter.h"
#include "platform/ToolBar.h"

#include <cstdint>
#include <memory>
#include <vector>

inline constexpr const char* ApplicationTitle = "Таблица нотных каналов";

// The application's one window, built from its embedded layout: the capture-format list and the
// note-channel table above, the demonstration chain's panel below.
class TForm1 : public TForm {
public:
  PUBLISHED_CLASS_INFO

  // Reads the window's layout and runs FormCreate; an error there is shown to the user and the
  // window opens anyway.
  explicit TForm1(TComponent* owner = nullptr);

  // Controls, set from the layout by name.
  TControlBar* ControlBar1 = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* FormatBox = nullptr;
  TPanel* Panel1 = nullptr;
  TChroStringGrid* ChroStringGrid1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel2 = nullptr;

  // Fields.
  std::unique_ptr<TSoundCaptureStream> CaptureStream;
  std::vector<int32_t> BoundaryCols;
  std::vector<int32_t> BoundaryRows;

  // Handlers, bound by the layout.
  void FormCreate(TObject* Sender);
  void FormatBoxChange(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void ChroStringGrid1DrawCell(TObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
  void ChroStringGrid1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);

  // Recomputes the note-channel table for the current item of FormatBox.
  void FillNoteTable();

private:
  void FillFormatBox();
  bool IsBoundaryCell(int col, int row) const;
};

// Makes the classes that the window's layout names known by name.
void RegisterWindowClasses();
