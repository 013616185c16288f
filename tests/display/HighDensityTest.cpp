// At a device pixel ratio of 2 the picture has twice the pixels, and a one-pixel line covers both
// device pixels of its logical pixel without blending into its neighbours.
#include "DisplayTestKit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The ratio is fixed when the application starts: the test runs itself again with the screen
// scaled by 2.
bool RanAtRatioTwo(const char* test) {
  if (qApp->devicePixelRatio() == 2) return false;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_SCALE_FACTOR", "2");
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QString("--gtest_filter=") + test});
  EXPECT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
  return true;
}

TEST(HighDensity, LinesAreWholeDevicePixelsAtRatioTwo) {
  if (RanAtRatioTwo("HighDensity.LinesAreWholeDevicePixelsAtRatioTwo")) return;
  TChartPtr chart = BareChart(100, 60);
  ShowOnlyTheZeroLine(*chart);
  ASSERT_EQ(chart->devicePixelRatioF(), 2);

  const QImage image = Expose(*chart);
  ASSERT_EQ(image.size(), QSize(200, 120));
  EXPECT_EQ(chart->OffscreenImage().size(), QSize(200, 120));
  // The zero line at logical y = 30: device rows 60 and 61, in full white, black on both sides.
  for (int x : {0, 50, 197}) {
    EXPECT_EQ(Rgb(image, x, 60), 0xFFFFFFu) << x;
    EXPECT_EQ(Rgb(image, x, 61), 0xFFFFFFu) << x;
  }
  EXPECT_EQ(Rgb(image, 50, 59), 0u);
  EXPECT_EQ(Rgb(image, 50, 62), 0u);
  // The border's last logical column 99 is device columns 198 and 199; 197 is inside.
  EXPECT_EQ(Rgb(image, 198, 20), 0x008000u);
  EXPECT_EQ(Rgb(image, 199, 20), 0x008000u);
  EXPECT_EQ(Rgb(image, 197, 20), 0u);
  EXPECT_EQ(chart->RenderImage().size(), QSize(200, 120));
}

}  // namespace
