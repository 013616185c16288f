#include "app/Form1.h"

#include "app/NoteTable.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

const std::array<QString, 3> ChannelNames = {QString(), QStringLiteral("Mono"), QStringLiteral("Stereo")};
const QColor Yellow(255, 255, 0);

QFont WindowFont() { return LayoutFont(QStringLiteral("MS Sans Serif"), -11); }

// A horizontal or vertical line from `from` up to, but not including, `to`.
void LineTo(QPainter& canvas, QPoint from, QPoint to) {
  const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
  if (from != to) canvas.drawLine(from, to - step);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  CreateControls();
  try {
    FormCreate(this);
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

TForm1::~TForm1() { FormDestroy(this); }

void TForm1::CreateControls() {
  setWindowTitle(QString::fromUtf8(WindowCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(1062, 689);
  move(195, 109);
  setFont(WindowFont());
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ControlBar1 = new QFrame(this);
  ControlBar1->setFixedHeight(31);
  ControlBar1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* barLayout = new QHBoxLayout(ControlBar1);
  barLayout->setContentsMargins(11, 2, 2, 2);
  ToolBar1 = new QToolBar(ControlBar1);
  ToolBar1->setFixedHeight(21 + 4);
  barLayout->addWidget(ToolBar1);
  barLayout->addStretch();

  Label1 = new QLabel(QStringLiteral("Формат :  "), ToolBar1);
  Label1->setFixedWidth(51);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ToolBar1->addWidget(Label1);
  FormatBox = new QComboBox(ToolBar1);
  FormatBox->setFixedWidth(150);
  FormatBox->setEditable(false);
  ToolBar1->addWidget(FormatBox);
  // Only a pick by the user recomputes the table; selecting an item from code does not.
  connect(FormatBox, &QComboBox::activated, this, [this] { FormatBoxChange(FormatBox); });
  layout->addWidget(ControlBar1);

  Panel1 = new QWidget(this);
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Vertical, Panel1);
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);
  panelLayout->addWidget(Splitter1);
  layout->addWidget(Panel1);

  ChroStringGrid1 = new TChroStringGrid(Splitter1);
  ChroStringGrid1->setFont(WindowFont());
  ChroStringGrid1->SetDefaultColWidth(35);
  ChroStringGrid1->SetColCount(12);
  ChroStringGrid1->SetRowCount(NoteRowCount);
  ChroStringGrid1->SetFixedRows(0);
  ChroStringGrid1->OnDrawCell = [this](TStringGrid* sender, int col, int row, const QRect& rect,
                                       TGridDrawState state) { ChroStringGrid1DrawCell(sender, col, row, rect, state); };
  ChroStringGrid1->OnSelectCell = [this](TStringGrid* sender, int col, int row, bool& canSelect) {
    ChroStringGrid1SelectCell(sender, col, row, canSelect);
  };
  Panel2 = new QWidget(Splitter1);
  Splitter1->addWidget(ChroStringGrid1);
  Splitter1->addWidget(Panel2);
  Splitter1->setSizes({320, height() - ControlBar1->height() - 320 - Splitter1->handleWidth()});
}

void TForm1::FormCreate(QObject*) {
  BoundaryCols.clear();
  BoundaryRows.clear();
  FillFormatBox();
  FillNoteTable();
}

void TForm1::FillFormatBox() {
  CaptureStream.reset();
  CaptureStream = std::make_unique<TSoundCaptureStream>();
  FormatBox->clear();
  const TSoundCaptureFormats& formats = CaptureStream->Formats();
  for (int i = 0; i < formats.Count(); ++i) {
    const TSoundCaptureFormat& format = formats.Items(i);
    FormatBox->addItem(QString::asprintf("%dHz %dbit %s", format.SamplesPerSec, format.BitsPerSample,
                                         qUtf8Printable(ChannelNames.at(static_cast<size_t>(format.Channels)))));
    if (format.SamplesPerSec == 44100 && format.BitsPerSample == 16 && format.Channels == 2)
      FormatBox->setCurrentIndex(FormatBox->count() - 1);
  }
}

void TForm1::FormatBoxChange(QObject*) { FillNoteTable(); }

void TForm1::FormDestroy(QObject*) {
  BoundaryCols.clear();
  BoundaryRows.clear();
}

void TForm1::FillNoteTable() {
  const int32_t rate = CaptureStream->Formats().Items(FormatBox->currentIndex()).SamplesPerSec;
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

void TForm1::ChroStringGrid1DrawCell(TStringGrid* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState) {
  if (ACol == 0) return;
  QPainter& canvas = Sender->Canvas();
  const QString text = Sender->Cells(ACol, ARow);
  const QRect R = Rect.adjusted(2, 2, -2, -2);
  const bool currentCol = ACol == Sender->Col();
  const bool currentRow = ARow == Sender->Row();
  const Qt::Alignment horizontal =
      text.length() < 3 || (currentCol && text.length() <= 5) ? Qt::AlignHCenter : Qt::AlignLeft;

  canvas.setPen(Sender->FontColor());
  QColor brush = Sender->Color();
  if (currentCol && currentRow)
    brush = Sender->palette().color(QPalette::Highlight);
  else if (IsBoundaryCell(ACol, ARow))
    brush = Yellow;
  canvas.fillRect(R, brush);
  canvas.drawText(R, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);

  canvas.setBrush(Sender->Color());
  canvas.setPen(Sender->FontColor());
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

void TForm1::ChroStringGrid1SelectCell(TStringGrid*, int ACol, int ARow, bool&) {
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
