#pragma once

#include "app/ChroStringGrid.h"
#include "app/ScopeCursorMenu.h"
#include "components/DnAudioToReal.h"
#include "components/DnGenericGen.h"
#include "components/DnRealToAudio.h"
#include "components/DnSignalGen.h"
#include "components/DnSpectrum.h"
#include "components/KvAdd.h"
#include "display/KvScope.h"
#include "display/KvWaterfall.h"
#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/ControlBar.h"
#include "platform/Edit.h"
#include "platform/Form.h"
#include "platform/GroupBox.h"
#include "platform/Label.h"
#include "platform/Panel.h"
#include "platform/RadioButton.h"
#include "platform/SoundCaptureStream.h"
#include "platform/Splitter.h"
#include "platform/ToolBar.h"
#include "platform/TrackBar.h"

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
  TPanel* Panel3 = nullptr;
  TKvScope* KvScope3 = nullptr;
  TPanel* Panel4 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TRadioButton* RadioButton3 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;
  TEdit* Edit5 = nullptr;
  TEdit* Edit6 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TTrackBar* TrackBar2 = nullptr;
  TTrackBar* TrackBar3 = nullptr;
  TTrackBar* TrackBar4 = nullptr;
  TTrackBar* TrackBar5 = nullptr;
  TTrackBar* TrackBar6 = nullptr;
  TSplitter* Splitter2 = nullptr;
  TPanel* Panel5 = nullptr;
  TKvWaterfall* KvWaterfall1 = nullptr;
  TPanel* Panel6 = nullptr;
  TButton* StartButton = nullptr;
  TButton* StopButton = nullptr;

  // The demonstration chain, set from the layout by name.
  TDnGenericGen* DnGenericGen1 = nullptr;
  TDnSignalGen* DnSignalGen1 = nullptr;
  TDnSignalGen* DnSignalGen2 = nullptr;
  TDnSignalGen* DnSignalGen3 = nullptr;
  TDnAudioToReal* DnAudioToReal1 = nullptr;
  TDnAudioToReal* DnAudioToReal2 = nullptr;
  TDnAudioToReal* DnAudioToReal3 = nullptr;
  TKvAdd* KvAdd1 = nullptr;
  TDnRealToAudio* DnRealToAudio1 = nullptr;
  TDnSpectrum* DnSpectrum1 = nullptr;

  // Fields.
  std::unique_ptr<TSoundCaptureStream> CaptureStream;
  std::vector<int32_t> BoundaryCols;
  std::vector<int32_t> BoundaryRows;
  // The scope's context menu, which places and removes cursors.
  std::unique_ptr<TScopeCursorMenu> ScopeCursors;

  // Handlers, bound by the layout.
  void FormCreate(TObject* Sender);
  void FormatBoxChange(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void StartButtonClick(TObject* Sender);
  void StopButtonClick(TObject* Sender);
  // Every track bar: sets its generator's frequency or amplitude to ten times the position and
  // shows that number in the bar's edit box.
  void TrackBarChange(TObject* Sender);
  // Every radio button of "Signal Type": sets the wave shape of all three signal generators.
  void SignalTypeClick(TObject* Sender);
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
