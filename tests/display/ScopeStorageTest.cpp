// The scope's settings in the layout text: the demonstration's scope, and one with its channel,
// point and highlighting settings away from their defaults, read and written back unchanged.
#include "DisplayTestKit.h"
#include "display/KvScope.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TScopePtr = TPtr<TKvScope>;

TScopePtr Read(const std::string& text) {
  TScopePtr scope(new TKvScope(nullptr));
  TLayoutReader::ReadRoot(*scope, text);
  return scope;
}

const std::string Axes =
    "  Title.Align = vaTop\n  Title.Visible = False\n  Legend.Align = vaRight\n  Legend.Visible = False\n"
    "  XAxis.Align = vaBottom\n  XAxis.MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n"
    "  XAxis.AxisLabel.Visible = False\n  XAxis.TicksMode = atmBufferSamples\n  XAxis.Min.AutoScale = False\n"
    "  XAxis.Min.Tick._Floats = (\n    (\n      'Value'\n      0))\n"
    "  XAxis.Min._Floats = (\n    (\n      'Value'\n      0))\n  XAxis.Max.AutoScale = False\n"
    "  XAxis.MinMaxRange = (\n    -1000\n    1000\n    -1000\n    1000\n    1e-07\n    1e+08)\n"
    "  YAxis.Align = vaLeft\n  YAxis.MajorTicks.StartFrom._Floats = (\n    (\n      'StartFrom'\n      0))\n"
    "  YAxis.AxisLabel.Visible = False\n"
    "  YAxis.MinMax = (\n    -1000\n    1000\n    -1000\n    1000\n    -1000\n    1000\n    1e-07\n    1e+08)\n";
const std::string Head = "object KvScope3: TKvScope\n  Left = 0\n  Top = 0\n  Width = 364\n  Height = 205\n";
// One input pin (and one X input pin) per channel; the lists are stored for their links.
const std::string PinLists =
    "  InputPins.Count = 3\n  InputPins.Form = KvScope3\n  XInputPins.Count = 3\n  XInputPins.Form = KvScope3\n";
const std::string TwoChannels =
    "  Channels = <\n    item\n      Name = 'Signal'\n      Color = clRed\n    end\n"
    "    item\n      Name = 'Channel1'\n      Color = clLime\n    end\n";

// The demonstration's scope: three line channels in red, lime and blue, Y from -1000 to 1000,
// X over the 1024 samples of a buffer.
const std::string Demonstration = Head + Axes + TwoChannels +
                                  "    item\n      Name = 'Channel2'\n      Color = clBlue\n    end>\n" + PinLists +
                                  "end\n";

const std::string Changed = Head + Axes +
                            "  Highlighting.Channels.HiglightFromMouse = True\n"
                            "  Highlighting.Channels.Color = clFuchsia\n"
                            "  Highlighting.MouseHitPoint.Enabled = False\n"
                            "  Highlighting.MouseHitPoint.UseChannelColor = False\n"
                            "  Highlighting.MouseHitPoint.Color = clYellow\n"
                            "  Highlighting.MouseHitPoint.Label.Text = '%Y'\n" +
                            TwoChannels +
                            "    item\n      Name = 'Channel2'\n      Visible = False\n      Color = clBlue\n"
                            "      Width = 3\n      ChannelMode = cmBar\n      ShadeMode = csmTop\n"
                            "      Points.Visible = True\n      Points.Shape = psStar\n      Points.Size = 5\n"
                            "      Points.UseChannelColor = False\n      Points.Pen.Color = clYellow\n"
                            "      Points.Brush.Color = clAqua\n      Points.Brush.Style = bsClear\n"
                            "      AxisIndex_ = (\n        1\n        2)\n    end>\n" +
                            PinLists + "  Vertical = True\n  SizeLimit = 1000\nend\n";

TEST(ScopeStorage, ReadsAndWritesBackUnchanged) {
  for (const std::string& text : {Demonstration, Changed}) EXPECT_EQ(TLayoutWriter::WriteRoot(*Read(text)), text);
}

TEST(ScopeStorage, TheDemonstrationsSettingsAreRead) {
  TScopePtr scope = Read(Demonstration);
  EXPECT_EQ(scope->Width(), 364);
  EXPECT_EQ(scope->Height(), 205);
  EXPECT_FALSE(scope->Title()->Visible());
  EXPECT_FALSE(scope->Legend()->Visible());
  EXPECT_EQ(scope->Zooming()->Mode(), TKvDisplayZoomMode::zmBoth);
  EXPECT_EQ(scope->NavigateMode(), TKvDisplayNavigateMode::nmZoom);
  EXPECT_EQ(scope->YAxis()->Min()->Value(), -1000);
  EXPECT_EQ(scope->YAxis()->Max()->Value(), 1000);
  EXPECT_EQ(scope->XAxis()->Min()->Value(), 0);
  EXPECT_EQ(scope->XAxis()->Max()->Value(), 1024);
  EXPECT_EQ(scope->XAxis()->Max()->Mode(), TKvMaxAxisMode::mamValue);
  EXPECT_FALSE(scope->XAxis()->Min()->AutoScale());
  EXPECT_FALSE(scope->XAxis()->Max()->AutoScale());
  EXPECT_EQ(scope->XAxis()->TicksMode(), TKvDisplayAxisTicksMode::atmBufferSamples);
  EXPECT_FALSE(scope->XAxis()->AxisLabel()->Visible());
  EXPECT_FALSE(scope->YAxis()->AxisLabel()->Visible());
  EXPECT_TRUE(scope->XAxis()->Zooming()->Range()->Low()->Enabled());
  EXPECT_TRUE(scope->YAxis()->Zooming()->Range()->Low()->Enabled());
  EXPECT_EQ(scope->DataView()->Border()->Pen()->Color(), clGreen);
  EXPECT_EQ(scope->YAxis()->DataView()->ZeroLine()->Pen()->Color(), clWhite);
  EXPECT_FALSE(scope->Vertical());
  EXPECT_EQ(scope->SizeLimit(), 0u);
  const char* names[] = {"Signal", "Channel1", "Channel2"};
  const TColor colours[] = {clRed, clLime, clBlue};
  ASSERT_EQ(scope->Channels()->Count(), 3);
  ASSERT_EQ(scope->InputPins()->GetCount(), 3);
  ASSERT_EQ(scope->XInputPins()->GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const TKvScopeChannel& channel = scope->Channels()->Channel(i);
    EXPECT_EQ(channel.Name(), names[i]);
    EXPECT_EQ(channel.Color(), colours[i]);
    EXPECT_EQ(channel.ChannelMode(), TKvChannelMode::cmLine);
    EXPECT_EQ(channel.ShadeMode(), TKvScopeShadeMode::csmZero);
    EXPECT_FALSE(channel.Points()->Visible());
    EXPECT_EQ(scope->InputPins()->GetPin(i), channel.InputPin());
    EXPECT_EQ(scope->InputPins()->GetPinName(i), names[i]);
    EXPECT_EQ(scope->XInputPins()->GetPinName(i), names[i]);
  }
}

TEST(ScopeStorage, TheChangedSettingsAreRead) {
  TScopePtr scope = Read(Changed);
  EXPECT_TRUE(scope->Vertical());
  EXPECT_EQ(scope->SizeLimit(), 1000u);
  EXPECT_TRUE(scope->Highlighting()->Channels()->HiglightFromMouse());
  EXPECT_EQ(scope->Highlighting()->Channels()->Color(), clFuchsia);
  const TKvMouseHitPoint& hitPoint = *scope->Highlighting()->MouseHitPoint();
  EXPECT_FALSE(hitPoint.Enabled());
  EXPECT_FALSE(hitPoint.UseChannelColor());
  EXPECT_EQ(hitPoint.Color(), clYellow);
  EXPECT_EQ(hitPoint.Label()->Text(), "%Y");
  const TKvScopeChannel& channel = scope->Channels()->Channel(2);
  EXPECT_FALSE(channel.Visible());
  EXPECT_EQ(channel.Width(), 3);
  EXPECT_EQ(channel.ChannelMode(), TKvChannelMode::cmBar);
  EXPECT_EQ(channel.ShadeMode(), TKvScopeShadeMode::csmTop);
  const TKvScopePoints& points = *channel.Points();
  EXPECT_TRUE(points.Visible());
  EXPECT_EQ(points.Shape(), TKvScopePointShape::psStar);
  EXPECT_EQ(points.Size(), 5u);
  EXPECT_FALSE(points.UseChannelColor());
  EXPECT_EQ(points.Pen()->Color(), clYellow);
  EXPECT_EQ(points.Brush()->Color(), clAqua);
  EXPECT_EQ(points.Brush()->Style(), TKvBrushStyle::bsClear);
  // Axes that do not exist yet: the indices are kept, Y first in the list.
  EXPECT_EQ(channel.YAxisIndex(), 1);
  EXPECT_EQ(channel.XAxisIndex(), 2);
}

TEST(ScopeStorage, OlderLayoutsGaveThePointsOneColour) {
  TScopePtr scope = Read(
      "object KvScope3: TKvScope\n  Channels = <\n    item\n      Name = 'Channel0'\n"
      "      Color = clRed\n      Points.Color = clNavy\n      Points.Size = 0\n    end>\nend\n");
  const TKvScopePoints& points = *scope->Channels()->Channel(0).Points();
  EXPECT_EQ(points.Pen()->Color(), clNavy);
  EXPECT_EQ(points.Brush()->Color(), clNavy);
  // A size of 0 is taken as 1.
  EXPECT_EQ(points.Size(), 1u);
}

}  // namespace
