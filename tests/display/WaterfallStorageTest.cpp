// The waterfall's settings in the layout text: the demonstration's waterfall, and one with every
// group of settings away from its defaults, read and written back unchanged.
#include "DisplayTestKit.h"
#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvWaterfall.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TWaterfallPtr = TPtr<TKvWaterfall>;

TWaterfallPtr Read(const std::string& text) {
  TWaterfallPtr waterfall(new TKvWaterfall(nullptr));
  TLayoutReader::ReadRoot(*waterfall, text);
  return waterfall;
}

const std::string Head =
    "object KvWaterfall1: TKvWaterfall\n  Left = 0\n  Top = 0\n  Width = 280\n  Height = 205\n"
    "  Title.Align = vaTop\n  Title.Visible = False\n  Title.Text = 'Channel 0 Spectrum Waterfall'\n";
const std::string XAxisHead =
    "  XAxis.Align = vaBottom\n  XAxis.MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n"
    "  XAxis.AxisLabel.Visible = False\n";
const std::string StartFromZero = "MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n";

// The demonstration's waterfall: 1024 rows, captions, title and legend hidden, levels up to
// 400000.
const std::string Demonstration = Head + "  Legend.Align = vaRight\n  Legend.Visible = False\n" + XAxisHead +
                                  "  XAxis.Samples = 1024\n  XAxis._Floats = (\n    (\n      'MinTick'\n      0))\n" +
                                  "  YAxis.Align = vaLeft\n  YAxis." + StartFromZero +
                                  "  YAxis.AxisLabel.Visible = False\n  YAxis.MinMax = (\n    0\n    500)\n"
                                  "  Levels.Align = vaRight\n  Levels." +
                                  StartFromZero +
                                  "  Levels.Axis.Max = 400000\n  Levels.LevelLabel.Visible = False\nend\n";

const std::string Changed =
    Head +
    "  Legend.Align = vaLeft\n  Legend.MarkerGroups.Caption.Text = 'Marks'\n"
    "  Legend.MarkerGroups.Visible = False\n" +
    XAxisHead +
    "  XAxis.Reversed = True\n  XAxis.Samples = 1024\n  XAxis.MaxTick = 2048\n"
    "  XAxis._Floats = (\n    (\n      'MinTick'\n      0))\n"
    "  YAxis.Align = vaLeft\n  YAxis." +
    StartFromZero +
    "  YAxis.AxisLabel.Visible = False\n  YAxis.TicksMode = atmFrequency\n  YAxis.MinMax = (\n    10\n    20)\n"
    "  Highlighting.MouseHitPoint.UseChannelColor = False\n  Highlighting.MouseHitPoint.Label.Visible = False\n"
    "  Vertical = True\n  Levels.Align = vaBottom\n  Levels." +
    StartFromZero +
    "  Levels.BarWidth = 20\n  Levels.GrayScale = True\n"
    "  Levels.Colors = <\n    item\n      Color = clBlack\n    end\n    item\n      Color = clYellow\n    end>\n"
    "  Levels.Axis.Font.Height = -13\n  Levels.Axis.Precision = 5\n  Levels.Axis.ScaleMode = smLogarithmic\n"
    "  Levels.Axis.Autoscale = False\n  Levels.Axis.Min = -5\n  Levels.Axis.Max = 400000\n"
    "  Levels.LevelLabel.Text = 'dB'\n  Levels.LevelLabel.Visible = False\n  Levels.Button.Enabled = False\nend\n";

TEST(WaterfallStorage, ReadsAndWritesBackUnchanged) {
  for (const std::string& text : {Demonstration, Changed}) EXPECT_EQ(TLayoutWriter::WriteRoot(*Read(text)), text);
}

TEST(WaterfallStorage, TheDemonstrationsSettingsAreRead) {
  TWaterfallPtr waterfall = Read(Demonstration);
  EXPECT_EQ(waterfall->Title()->Text(), "Channel 0 Spectrum Waterfall");
  EXPECT_FALSE(waterfall->Title()->Visible());
  EXPECT_EQ(waterfall->XAxis()->Samples(), 1024);
  EXPECT_EQ(waterfall->XAxis()->MaxTick(), 1024);
  EXPECT_EQ(waterfall->YAxis()->MaxTick(), 500);
  EXPECT_EQ(waterfall->YAxis()->TicksMode(), TKvDisplayAxisTicksMode::atmAuto);
  EXPECT_EQ(waterfall->Levels()->GetAlign(), TKvViewAlign::vaRight);
  EXPECT_EQ(waterfall->Levels()->Colors()->Count(), 0);
  EXPECT_EQ(waterfall->Levels()->Axis()->Max(), 400000);
  EXPECT_FALSE(waterfall->Levels()->LevelLabel()->Visible());
  EXPECT_EQ(waterfall->Levels()->LevelLabel()->Text(), "Levels");
  EXPECT_EQ(waterfall->Zooming()->Mode(), TKvDisplayZoomMode::zmBoth);
  // The history keeps as many rows as the layout asks for.
  for (int i = 0; i < 1030; ++i) waterfall->AppendRow(MakeRef<TKvRealBuffer>(1u));
  EXPECT_EQ(waterfall->RowCount(), 1024);
  // Without rows the colours span the stored range.
  TWaterfallPtr empty = Read(Demonstration);
  EXPECT_EQ(empty->LevelMax(), 400000);
  EXPECT_EQ(empty->Levels()->ValueText(123456.4), "123456");
}

TEST(WaterfallStorage, TheChangedSettingsAreRead) {
  TWaterfallPtr waterfall = Read(Changed);
  EXPECT_TRUE(waterfall->Vertical());
  EXPECT_TRUE(waterfall->XAxis()->Reversed());
  EXPECT_EQ(waterfall->YAxis()->MinTick(), 10);
  EXPECT_EQ(waterfall->Levels()->Colors()->ColorAt(1).Color(), clYellow);
  EXPECT_EQ(waterfall->Levels()->Axis()->Min(), -5);
  EXPECT_EQ(waterfall->Levels()->Axis()->ScaleMode(), TKvScaleMode::smLogarithmic);
  EXPECT_FALSE(waterfall->Highlighting()->MouseHitPoint()->UseChannelColor());
  EXPECT_FALSE(waterfall->Highlighting()->MouseHitPoint()->Label()->Visible());
}

}  // namespace
