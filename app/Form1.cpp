#include "app/Form1.h"

#include "app/Form1Layout.h"
#include "app/NoteTable.h"
#include "components/ComponentClasses.h"
#include "platform/Published.h"
#include "platform/StandardControls.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

const std::array<const char*, 3> ChannelNames = {"", "Mono", "Stereo"};
const QColor Yellow(255, 255, 0);

// A horizontal or vertical line from `from` up to, but not including, `to`.
void LineTo(QPainter& canvas, QPoint from, QPoint to) {
  const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
  if (from != to) canvas.drawLine(from, to - step);
}

}  // namespace

void RegisterWindowClasses() {
  RegisterStandardControls();
  RegisterComponentClasses();
  RegisterClasses<TChroStringGrid, TKvScope, TKvWaterfall>();
}

const TClassInfo& TForm1::StaticClassInfo() {
  return DefineClass<TForm1, TForm>("TForm1", [](TPublished<TForm1>& p) {
    p.Field("ControlBar1", &TForm1::ControlBar1)
        .Field("ToolBar1", &TForm1::ToolBar1)
        .Field("Label1", &TForm1::Label1)
        .Field("FormatBox", &TForm1::FormatBox)
        .Field("Panel1", &TForm1::Panel1)
        .Field("ChroStringGrid1", &TForm1::ChroStringGrid1)
        .Field("Splitter1", &TForm1::Splitter1)
        .Field("Panel2", &TForm1::Panel2)
        .Field("Panel3", &TForm1::Panel3)
        .Field("KvScope3", &TForm1::KvScope3)
        .Field("Panel4", &TForm1::Panel4)
        .Field("GroupBox1", &TForm1::GroupBox1)
        .Field("RadioButton1", &TForm1::RadioButton1)
        .Field("RadioButton2", &TForm1::RadioButton2)
        .Field("RadioButton3", &TForm1::RadioButton3)
        .Field("Edit1", &TForm1::Edit1)
        .Field("Edit2", &TForm1::Edit2)
        .Field("Edit3", &TForm1::Edit3)
        .Field("Edit4", &TForm1::Edit4)
        .Field("Edit5", &TForm1::Edit5)
        .Field("Edit6", &TForm1::Edit6)
        .Field("TrackBar1", &TForm1::TrackBar1)
        .Field("TrackBar2", &TForm1::TrackBar2)
        .Field("TrackBar3", &TForm1::TrackBar3)
        .Field("TrackBar4", &TForm1::TrackBar4)
        .Field("TrackBar5", &TForm1::TrackBar5)
        .Field("TrackBar6", &TForm1::TrackBar6)
        .Field("Splitter2", &TForm1::Splitter2)
        .Field("Panel5", &TForm1::Panel5)
        .Field("KvWaterfall1", &TForm1::KvWaterfall1)
        .Field("Panel6", &TForm1::Panel6)
        .Field("StartButton", &TForm1::StartButton)
        .Field("StopButton", &TForm1::StopButton)
        .Field("DnGenericGen1", &TForm1::DnGenericGen1)
        .Field("DnSignalGen1", &TForm1::DnSignalGen1)
        .Field("DnSignalGen2", &TForm1::DnSignalGen2)
        .Field("DnSignalGen3", &TForm1::DnSignalGen3)
        .Field("DnAudioToReal1", &TForm1::DnAudioToReal1)
        .Field("DnAudioToReal2", &TForm1::DnAudioToReal2)
        .Field("DnAudioToReal3", &TForm1::DnAudioToReal3)
        .Field("KvAdd1", &TForm1::KvAdd1)
        .Field("DnRealToAudio1", &TForm1::DnRealToAudio1)
        .Field("DnSpectrum1", &TForm1::DnSpectrum1)
        .Method<TNotifyEvent>("FormCreate", &TForm1::FormCreate)
        .Method<TNotifyEvent>("FormDestroy", &TForm1::FormDestroy)
        .Method<TNotifyEvent>("FormatBoxChange", &TForm1::FormatBoxChange)
        .Method<TNotifyEvent>("FormShow", &TForm1::FormShow)
        .Method<TCloseEvent>("FormClose", &TForm1::FormClose)
        .Method<TNotifyEvent>("StartButtonClick", &TForm1::StartButtonClick)
        .Method<TNotifyEvent>("StopButtonClick", &TForm1::StopButtonClick)
        .Method<TNotifyEvent>("TrackBarChange", &TForm1::TrackBarChange)
        .Method<TNotifyEvent>("SignalTypeClick", &TForm1::SignalTypeClick)
        .Method<TStringGrid::TDrawCellEvent>("ChroStringGrid1DrawCell", &TForm1::ChroStringGrid1DrawCell)
        .Method<TStringGrid::TSelectCellEvent>("ChroStringGrid1SelectCell", &TForm1::ChroStringGrid1SelectCell);
  });
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  RegisterWindowClasses();
  InitFromLayout(Form1Layout);
}

void TForm1::FormCreate(TObject*) {
  // First: the capture service may fail below, and the scope's menu does not depend on it.
  if (KvScope3) ScopeCursors = std::make_unique<TScopeCursorMenu>(*KvScope3);
  BoundaryCols.clear();
  BoundaryRows.clear();
  FillFormatBox();
  FillNoteTable();
}

void TForm1::FillFormatBox() {
  CaptureStream.reset();
  CaptureStream = std::make_unique<TSoundCaptureStream>();
  FormatBox->Items()->Clear();
  const TSoundCaptureFormats& formats = CaptureStream->Formats();
  for (int i = 0; i < formats.Count(); ++i) {
    const TSoundCaptureFormat& format = formats.Items(i);
    FormatBox->Items()->Add(QString::asprintf("%dHz %dbit %s", format.SamplesPerSec, format.BitsPerSample,
                                              ChannelNames.at(static_cast<size_t>(format.Channels)))
                                .toStdString());
    if (format.SamplesPerSec == 44100 && format.BitsPerSample == 16 && format.Channels == 2)
      FormatBox->SetItemIndex(FormatBox->Items()->Count() - 1);
  }
}

void TForm1::FormatBoxChange(TObject*) { FillNoteTable(); }

void TForm1::FormDestroy(TObject*) {
  // Also when the application quits without closing the window: no clock thread may outlive it.
  StopButtonClick(this);
  BoundaryCols.clear();
  BoundaryRows.clear();
}

void TForm1::FormShow(TObject*) { StartButtonClick(this); }

void TForm1::FormClose(TObject*, TCloseAction&) { StopButtonClick(this); }

void TForm1::StartButtonClick(TObject*) {
  DnGenericGen1->Start();
  for (TDnSignalGen* generator : {DnSignalGen1, DnSignalGen2, DnSignalGen3}) generator->Start();
  StartButton->SetEnabled(false);
  StopButton->SetEnabled(true);
}

void TForm1::StopButtonClick(TObject*) {
  DnGenericGen1->Stop();
  for (TDnSignalGen* generator : {DnSignalGen1, DnSignalGen2, DnSignalGen3}) generator->Stop();
  StartButton->SetEnabled(true);
  StopButton->SetEnabled(false);
}

void TForm1::TrackBarChange(TObject* Sender) {
  struct TBinding {
    TTrackBar* Bar;
    TDnSignalGen* Generator;
    bool Frequency;
    TEdit* Edit;
  };
  const std::array<TBinding, 6> bindings = {{{TrackBar1, DnSignalGen1, true, Edit1},
                                             {TrackBar2, DnSignalGen1, false, Edit2},
                                             {TrackBar3, DnSignalGen2, true, Edit3},
                                             {TrackBar4, DnSignalGen2, false, Edit4},
                                             {TrackBar5, DnSignalGen3, true, Edit5},
                                             {TrackBar6, DnSignalGen3, false, Edit6}}};
  for (const TBinding& binding : bindings) {
    if (binding.Bar != Sender) continue;
    const int value = binding.Bar->Position() * 10;
    if (binding.Frequency) binding.Generator->SetFrequency(value);
    else binding.Generator->SetAmplitude(value);
    binding.Edit->SetCaption(std::to_string(value));
  }
}

void TForm1::SignalTypeClick(TObject* Sender) {
  const TDnSignalType type = Sender == RadioButton3 ? atSquare : Sender == RadioButton2 ? atTriangle : atTone;
  for (TDnSignalGen* generator : {DnSignalGen1, DnSignalGen2, DnSignalGen3}) generator->SetSignalType(type);
}

void TForm1::FillNoteTable() {
  const int32_t rate = CaptureStream->Formats().Items(FormatBox->ItemIndex()).SamplesPerSec;
  const TNoteTable table = ComputeNoteTable(rate);
  TChroStringGrid& grid = *ChroStringGrid1;
  grid.SetColCount(table.ColCount);
  grid.SetRowCount(NoteRowCount);
  for (int col = 0; col < table.ColCount; ++col) {
    if (col > 0) grid.SetColWidths(col, NoteColumnWidth(col));
    for (int row = 0; row < NoteRowCount; ++row)
      grid.SetCells(col, row, QString::fromStdString(table.Cells[static_cast<size_t>(col)][static_cast<size_t>(row)]));
  }
  BoundaryCols = table.BoundaryCols;
  BoundaryRows = table.BoundaryRows;
}

bool TForm1::IsBoundaryCell(int col, int row) const {
  const auto found = std::find(BoundaryCols.begin(), BoundaryCols.end(), col);
  return found != BoundaryCols.end() && BoundaryRows[static_cast<size_t>(found - BoundaryCols.begin())] == row;
}

void TForm1::ChroStringGrid1DrawCell(TObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState) {
  auto* grid = dynamic_cast<TStringGrid*>(Sender);
  if (!grid || ACol == 0) return;
  QPainter& canvas = grid->Canvas();
  const QString text = grid->Cells(ACol, ARow);
  const QRect R = Rect.adjusted(2, 2, -2, -2);
  const bool currentCol = ACol == grid->Col();
  const bool currentRow = ARow == grid->Row();
  const Qt::Alignment horizontal =
      text.length() < 3 || (currentCol && text.length() <= 5) ? Qt::AlignHCenter : Qt::AlignLeft;
  const QColor ink = ToQColor(grid->Font()->Color(), grid->palette());
  const QColor background = ToQColor(grid->Color(), grid->palette());

  canvas.setPen(ink);
  QColor brush = background;
  if (currentCol && currentRow) brush = ToQColor(clHighlight, grid->palette());
  else if (IsBoundaryCell(ACol, ARow)) brush = Yellow;
  canvas.fillRect(R, brush);
  canvas.drawText(R, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);

  canvas.setBrush(background);
  canvas.setPen(ink);
  const int left = Rect.x();
  const int top = Rect.y();
  const int right = Rect.x() + Rect.width();
  const int bottom = Rect.y() + Rect.height();
  if (currentRow && !currentCol) {
    LineTo(canvas, {left, top}, {right, top});
    LineTo(canvas, {left, bottom - 1}, {right, bottom - 1});
  }
  if (currentCol && !currentRow) {
    LineTo(canvas, {left, top}, {left, bottom - 1});
    LineTo(canvas, {right - 1, top}, {right - 1, bottom - 1});
  }
}

void TForm1::ChroStringGrid1SelectCell(TObject*, int ACol, int ARow, bool&) {
  TChroStringGrid& grid = *ChroStringGrid1;
  if (ACol != grid.Col()) {
    grid.InvalidateCol(ACol);
    grid.InvalidateCol(grid.Col());
  }
  if (ARow != grid.Row()) {
    grid.InvalidateRow(ARow);
    grid.InvalidateRow(grid.Row());
  }
}
