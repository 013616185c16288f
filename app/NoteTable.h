#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// How the notes of the equal-tempered chromatic scale (A4 = 440 Hz) that a sample rate can carry
// fall into the octave groups of a multi-rate analysis, as the window's grid shows it.
constexpr int NoteRowCount = 12;

// Row names of the grid's fixed column, from C up to B (UTF-8).
extern const std::array<const char*, NoteRowCount> NoteNames;

struct TNoteTable {
  int32_t ColCount = 0;
  // [column][row]: column 0 holds the note names; a note outside every group has an empty text.
  std::vector<std::array<std::string, NoteRowCount>> Cells;
  // Entry n: column and row of the last cell of group n + 1, its lowest note.
  std::vector<int32_t> BoundaryCols;
  std::vector<int32_t> BoundaryRows;
};

// Width in pixels of note column `column` (1 and up); column 0 keeps the grid's default.
int32_t NoteColumnWidth(int column);

// Throws std::invalid_argument when the rate leaves no column for notes (rates below 40 Hz).
TNoteTable ComputeNoteTable(int32_t sampleRate);
