#include "app/Form1.h"

#include "app/Form1Layout.h"
#include "app/NoteTable.h"
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
  RegisterClasses<TChroStringGrid>();
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
        .Method<TNotifyEvent>("FormCreate", &TForm1::FormCreate)
        .Method<TNotifyEvent>("FormDestroy", &TForm1::FormDestroy)
        .Method<TNotifyEvent>("FormatBoxChange", &TForm1::FormatBoxChange)
        .Method<TStringGrid::TDrawCellEvent>("ChroStringGrid1DrawCell", &TForm1::ChroStringGrid1DrawCell)
        .Method<TStringGrid::TSelectCellEvent>("ChroStringGrid1SelectCell", &TForm1::ChroStringGrid1SelectCell);
  });
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  RegisterWindowClasses();
  InitFromLayout(Form1Layout);
}

void TForm1::FormCreate(TObject*) {
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
  BoundaryCols.clear();
  BoundaryRows.clear();
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
