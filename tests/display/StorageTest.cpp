// The chart's settings in the layout text: written where they differ from their defaults, read
// back into the same text, older properties understood.
#include "DisplayTestKit.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TChartPtr Read(const std::string& text) {
  TChartPtr chart(new TTestChart(nullptr));
  TLayoutReader::ReadRoot(*chart, text);
  return chart;
}

const std::string Head = "object KvScope3: TKvDataChart\n  Left = 0\n  Top = 0\n  Width = 364\n  Height = 205\n";

// What every chart writes: the views' edges, the limits of the main axes, and its zero floats.
// `x` and `xAfter` are the X axis's settings before and after its minimum's zero floats.
std::string AxesWith(const std::string& x, const std::string& xAfter, const std::string& y) {
  return "  XAxis.Align = vaBottom\n"
         "  XAxis.MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n" +
         x +
         "  XAxis.Min.Tick._Floats = (\n    (\n      'Value'\n      0))\n"
         "  XAxis.Min._Floats = (\n    (\n      'Value'\n      0))\n" +
         xAfter +
         "  XAxis.MinMaxRange = (\n    -1000\n    1000\n    -1000\n    1000\n    1e-07\n    1e+08)\n"
         "  YAxis.Align = vaLeft\n"
         "  YAxis.MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n" +
         y +
         "  YAxis.MinMax = (\n    -1000\n    1000\n    -1000\n    1000\n    -1000\n    1000\n    1e-07\n    1e+08)\n";
}

// The demonstration's scope: hidden title and legend, captions hidden, the X axis over a fixed
// 0 … 1024 buffer of samples; everything else at its defaults.
const std::string Demonstration =
    Head + "  Title.Align = vaTop\n  Title.Visible = False\n  Legend.Align = vaRight\n  Legend.Visible = False\n" +
    AxesWith(
        "  XAxis.AxisLabel.Text = 'X Axis'\n  XAxis.AxisLabel.Visible = False\n"
        "  XAxis.TicksMode = atmBufferSamples\n  XAxis.Min.AutoScale = False\n",
        "  XAxis.Max.AutoScale = False\n", "  YAxis.AxisLabel.Visible = False\n") +
    "end\n";

// Zoom, navigation and legend settings away from their defaults, and an additional axis.
const std::string Changed =
    Head +
    "  NavigateMode = nmPan\n  RefreshInterval = 50\n  Zooming.HoldOnPan = True\n  Zooming.Mode = zmXAxis\n"
    "  Title.Align = vaTop\n  Title.Text = 'Signals'\n  Legend.Align = vaRight\n  Legend.Font.Height = -13\n"
    "  Legend.Channels.Caption.Font.Color = clYellow\n" +
    AxesWith("", "  XAxis.Zooming.Range.High.Enabled = True\n",
             "  YAxis.Zooming.Range.Low.Enabled = False\n"
             "  YAxis.AdditionalAxes = <\n    item\n      Axis.Align = vaRight\n"
             "      Axis.MajorTicks.StartFrom._Floats = (\n        (\n          'StartFrom'\n          0))\n"
             "      Axis.AxisLabel.Text = 'Volts'\n      Axis.DataView.Lines.Visible = False\n"
             "      Axis.DataView.ZeroLine.Visible = False\n"
             "      Axis.MinMax = (\n        -1000\n        5\n        -1000\n        1000\n        -1000\n"
             "        1000\n        1e-07\n        1e+08)\n    end>\n") +
    "  DataView.Border.Pen.Color = clLime\nend\n";

TEST(Storage, ADefaultChartWritesOnlyWhatIsAlwaysStored) {
  TChartPtr chart(new TTestChart(nullptr));
  chart->SetName("KvScope3");
  chart->SetBounds(0, 0, 364, 205);
  EXPECT_EQ(TLayoutWriter::WriteRoot(*chart),
            Head + "  Title.Align = vaTop\n  Legend.Align = vaRight\n" + AxesWith("", "", "") + "end\n");
}

TEST(Storage, ReadsAndWritesBackUnchanged) {
  for (const std::string& text : {Demonstration, Changed}) {
    TChartPtr chart = Read(text);
    EXPECT_EQ(TLayoutWriter::WriteRoot(*chart), text);
  }
  TChartPtr demonstration = Read(Demonstration);
  EXPECT_FALSE(demonstration->Title()->Visible());
  EXPECT_EQ(demonstration->XAxis()->TicksMode(), TKvDisplayAxisTicksMode::atmBufferSamples);
  EXPECT_EQ(demonstration->XAxis()->Max()->Value(), 1024);
  EXPECT_EQ(demonstration->Zooming()->Mode(), TKvDisplayZoomMode::zmBoth);
  TChartPtr changed = Read(Changed);
  EXPECT_EQ(changed->NavigateMode(), TKvDisplayNavigateMode::nmPan);
  EXPECT_EQ(changed->Zooming()->Mode(), TKvDisplayZoomMode::zmXAxis);
  EXPECT_FALSE(changed->YAxis()->Zooming()->Range()->Low()->Enabled());
  EXPECT_EQ(changed->YAxis()->AdditionalAxes()->AxisAt(0).Max()->Value(), 5);
  EXPECT_EQ(changed->Legend()->Font()->Height(), -13);
}

TEST(Storage, UnderstandsWhatOlderLayoutsWrote) {
  TChartPtr chart = Read(
      "object KvScope3: TKvDataChart\n"
      "  DataView.GridColor = clRed\n  DataView.ZeroGridColor = 65280\n"
      "  YAxis.MinMax = (-5 5)\n  YAxis.AutoScale = False\n  YAxis.Logarithmic = True\n  YAxis.Precision = 25\n"
      "  XAxis.MinMax = (10 20)\n  XAxis.MinMaxScale = (1 2)\n  XAxis.AutoScale = False\n"
      "  XAxis.FixedPrecision = True\nend\n");
  EXPECT_EQ(chart->XAxis()->DataView()->Lines()->Pen()->Color(), clRed);
  EXPECT_EQ(chart->YAxis()->DataView()->Lines()->Pen()->Color(), clRed);
  EXPECT_EQ(chart->YAxis()->DataView()->ZeroLine()->Pen()->Color(), clLime);
  EXPECT_EQ(chart->YAxis()->Min()->Value(), -5);
  EXPECT_EQ(chart->YAxis()->Max()->Value(), 5);
  EXPECT_EQ(chart->YAxis()->Min()->Range()->Low()->Value(), -1000);
  EXPECT_FALSE(chart->YAxis()->AutoScaling()->Enabled());
  EXPECT_EQ(chart->YAxis()->ScaleMode(), TKvScaleMode::smLogarithmic);
  EXPECT_EQ(chart->YAxis()->Format()->Precision(), 18);
  EXPECT_EQ(chart->XAxis()->Min()->Tick()->Value(), 10);
  EXPECT_EQ(chart->XAxis()->Max()->Tick()->Value(), 20);
  EXPECT_EQ(chart->XAxis()->Max()->Value(), 2);
  EXPECT_FALSE(chart->XAxis()->Max()->AutoScale());
  EXPECT_TRUE(chart->XAxis()->Format()->FixedPrecision());
  // They are not written again.
  const std::string text = TLayoutWriter::WriteRoot(*chart);
  for (const char* old : {"GridColor", "Logarithmic =", "MinMaxScale", "XAxis.MinMax =", "XAxis.AutoScale"})
    EXPECT_EQ(text.find(old), std::string::npos) << old;
}

TEST(Storage, RejectsAListOfLimitsOfAnotherLength) {
  try {
    Read("object KvScope3: TKvDataChart\n  YAxis.MinMax = (1 2 3)\nend\n");
    FAIL() << "read a list of three limits";
  } catch (const ELayoutReadError& error) {
    EXPECT_NE(std::string(error.what()).find("MinMax holds 3 values"), std::string::npos) << error.what();
  }
  EXPECT_THROW(Read("object KvScope3: TKvDataChart\n  XAxis.TicksMode = atmSeconds\nend\n"), ELayoutReadError);
}

}  // namespace
