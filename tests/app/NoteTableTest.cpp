#include "app/NoteTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// Reads an expected table: one line per row, "| <row> <name> | <column 1> | ... |", "–" empty.
std::vector<std::vector<std::string>> ReadExpectedRows(const std::string& file) {
  std::ifstream in(std::string(NOTE_TABLE_DATA_DIR) + "/" + file);
  EXPECT_TRUE(in) << file;
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] != '|') continue;
    std::vector<std::string> cells;
    std::stringstream fields(line.substr(1));
    for (std::string field; std::getline(fields, field, '|');) {
      const auto first = field.find_first_not_of(' ');
      const auto last = field.find_last_not_of(' ');
      field = first == std::string::npos ? "" : field.substr(first, last - first + 1);
      cells.push_back(field == "–" ? "" : field);
    }
    rows.push_back(cells);
  }
  return rows;
}

struct TWorkedTable {
  int32_t Rate;
  const char* File;
  int32_t ColCount;
  std::vector<int32_t> BoundaryCols;
  int32_t BoundaryRow;
};

TEST(NoteTable, MatchesTheWorkedTablesCellByCell) {
  const TWorkedTable worked[] = {
      {44100, "note_table_44100.txt", 12, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 5},
      {8000, "note_table_8000.txt", 9, {8, 7, 6, 5, 4, 3, 2, 1}, 0},
  };
  for (const TWorkedTable& w : worked) {
    SCOPED_TRACE(w.Rate);
    const TNoteTable table = ComputeNoteTable(w.Rate);
    ASSERT_EQ(table.ColCount, w.ColCount);
    const auto rows = ReadExpectedRows(w.File);
    ASSERT_EQ(rows.size(), size_t(NoteRowCount));
    for (size_t r = 0; r < rows.size(); ++r) {
      ASSERT_EQ(rows[r].size(), size_t(w.ColCount));  // the row label, then the note columns
      EXPECT_EQ(rows[r][0], std::to_string(r) + " " + NoteNames[r]);
      EXPECT_EQ(table.Cells[0][r], NoteNames[r]);
      for (size_t k = 1; k < rows[r].size(); ++k)
        EXPECT_EQ(table.Cells[k][r], rows[r][k]) << "column " << k << " row " << r;
    }
    EXPECT_EQ(table.BoundaryCols, w.BoundaryCols);
    EXPECT_EQ(table.BoundaryRows, std::vector<int32_t>(w.BoundaryCols.size(), w.BoundaryRow));
  }
}

struct TRateSummary {
  int32_t Rate;
  int32_t ColCount;
  int FilledCells;
  size_t Groups;
  int32_t FirstCol;
  int32_t FirstRow;
  const char* FirstText;
  int32_t BoundaryRow;
};

TEST(NoteTable, EveryCaptureRateHasItsShapeGroupsAndFirstNote) {
  const TRateSummary summaries[] = {
      {8000, 9, 96, 8, 8, 11, "8-1 1(2*1)3951", 0},       {11025, 10, 96, 8, 9, 4, "8-1 1(2*1)5274", 5},
      {22050, 11, 108, 9, 10, 4, "9-1 1(2*1)10548", 5},   {33075, 11, 120, 10, 10, 11, "10-1 1(2*1)15804", 0},
      {44100, 12, 120, 10, 11, 4, "10-1 1(2*1)21096", 5}, {48000, 12, 120, 10, 11, 6, "10-1 1(2*1)23680", 7},
      {96000, 13, 132, 11, 12, 6, "11-1 1(2*1)47359", 7},
  };
  for (const TRateSummary& s : summaries) {
    SCOPED_TRACE(s.Rate);
    const TNoteTable table = ComputeNoteTable(s.Rate);
    ASSERT_EQ(table.ColCount, s.ColCount);
    int filled = 0;
    std::pair<int, int> first{-1, -1};  // highest note that fits: last column first, top row first
    for (int k = table.ColCount - 1; k >= 1; --k)
      for (int r = NoteRowCount - 1; r >= 0; --r)
        if (!table.Cells[size_t(k)][size_t(r)].empty()) {
          ++filled;
          if (first.first < 0) first = {k, r};
        }
    EXPECT_EQ(filled, s.FilledCells);
    EXPECT_EQ(first, std::pair(s.FirstCol, s.FirstRow));
    EXPECT_EQ(table.Cells[size_t(s.FirstCol)][size_t(s.FirstRow)], s.FirstText);
    ASSERT_EQ(table.BoundaryCols.size(), s.Groups);
    ASSERT_EQ(table.BoundaryRows.size(), s.Groups);
    for (size_t n = 0; n < s.Groups; ++n) {
      // One group ends per column, from the highest column with notes down to column 1.
      EXPECT_EQ(table.BoundaryCols[n], int32_t(s.Groups - n));
      EXPECT_EQ(table.BoundaryRows[n], s.BoundaryRow);
    }
  }
}

TEST(NoteTable, ColumnWidthsRoundHalvesToEven) {
  const int32_t widths[] = {92, 93, 94, 90, 90, 89, 88, 88, 88, 97, 98, 98};
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(NoteColumnWidth(k), widths[k - 1]) << "column " << k;
}

TEST(NoteTable, TiesRoundToEven) {
  const TNoteTable table = ComputeNoteTable(44100);
  // 441000 / 17740 = 24.86 -> 25 -> 2.5 -> 2; rounding halves up would give 3.
  EXPECT_EQ(table.Cells[11][1], "10-1 4(2*1)17740");
  // A0 is exactly 27.5 Hz and shows as 28.
  EXPECT_EQ(table.Cells[1][9], "1-10 8(3*512)28");
}

TEST(NoteTable, TheLastGroupStopsAtTwelveNotesBelowOctaveOne) {
  const TNoteTable table = ComputeNoteTable(44100);
  // C0 to E0 lie above 10 Hz but group 10 is full when they are reached.
  for (int r = 0; r <= 4; ++r) EXPECT_EQ(table.Cells[1][size_t(r)], "") << "row " << r;
  // Above the Nyquist frequency nothing is shown.
  for (int r = 5; r < NoteRowCount; ++r) EXPECT_EQ(table.Cells[11][size_t(r)], "") << "row " << r;
}

TEST(NoteTable, RatesThatLeaveNoNoteColumnAreRefused) {
  for (int32_t rate : {-44100, 0, 1, 39}) EXPECT_THROW(ComputeNoteTable(rate), std::invalid_argument) << rate;
  EXPECT_EQ(ComputeNoteTable(40).ColCount, 2);
}

}  // namespace
