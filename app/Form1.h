#pragma once

#include "app/ChroStringGrid.h"
#include "platform/SoundCaptureStream.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QSplitter;
class QToolBar;

inline constexpr const char* WindowCaption = "Таблица нотных каналов";

// The application's one window: the capture-format list and the note-channel table above, the
// demonstration chain's panel below.
class TForm1 : public QWidget {
  Q_OBJECT

public:
  // Builds the window and runs FormCreate; an error there is shown to the user and the window
  // opens anyway.
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls.
  QFrame* ControlBar1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* FormatBox = nullptr;
  QWidget* Panel1 = nullptr;
  TChroStringGrid* ChroStringGrid1 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Panel2 = nullptr;  // the chain panel

  // Fields.
  std::unique_ptr<TSoundCaptureStream> CaptureStream;
  std::vector<int32_t> BoundaryCols;
  std::vector<int32_t> BoundaryRows;

  // Handlers.
  void FormCreate(QObject* Sender);
  void FormatBoxChange(QObject* Sender);
  void FormDestroy(QObject* Sender);
  void ChroStringGrid1DrawCell(TStringGrid* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
  void ChroStringGrid1SelectCell(TStringGrid* Sender, int ACol, int ARow, bool& CanSelect);

  // Recomputes the note-channel table for the current item of FormatBox.
  void FillNoteTable();

private:
  void CreateControls();
  void FillFormatBox();
  bool IsBoundaryCell(int col, int row) const;
};
