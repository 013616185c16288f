#pragma once

#include "platform/Colors.h"

#include <string>
#include <vector>

// One line of a panel: its name, its colour and one value per sample.
struct TSoakSeries {
  std::string Name;
  TColor Color;
  std::vector<double> Values;
};

// A chart of series that share a unit, under a title that names them.
struct TSoakPanel {
  std::string Title;
  std::vector<TSoakSeries> Series;
};

// Draws the panels one under the other, each as a scope with one channel per series over the
// sample times in minutes, and writes the picture as PNG. Needs a running QApplication; throws
// when the file cannot be written.
void SaveSoakPlot(const std::vector<double>& minutes, const std::vector<TSoakPanel>& panels, const std::string& file);
