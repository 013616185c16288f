#include "app/SoakPlot.h"

#include "buffers/KvSimpleDataBuffer.h"
#include "display/KvScope.h"
#include "pins/KvStreamTypes.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <stdexcept>

namespace {

constexpr int PlotWidth = 900;
constexpr int PanelHeight = 260;

// A scope fed with (minute, value) pairs, one channel per series. Members go in reverse order:
// the pins unlink from the scope before it goes.
struct TPanelScope {
  std::unique_ptr<TKvScope, TComponentDeleter> Scope{new TKvScope(nullptr)};
  std::unique_ptr<TComponent, TComponentDeleter> Owner{new TComponent(nullptr)};
  std::vector<TLkPinPtr<TKvLkRealSourcePin>> Sources;

  TPanelScope(const std::vector<double>& minutes, const TSoakPanel& panel) {
    Scope->SetBounds(0, 0, PlotWidth, PanelHeight);
    Scope->Title()->SetText(panel.Title);
    Scope->Title()->SetVisible(true);
    Scope->XAxis()->AxisLabel()->SetText("Minutes");
    // The title gives the unit.
    Scope->YAxis()->AxisLabel()->SetVisible(false);
    TKvScopeChannels& channels = *Scope->Channels();
    while (channels.Count() < int(panel.Series.size())) channels.AddChannel();
    for (size_t i = 0; i < panel.Series.size(); ++i) {
      const TSoakSeries& series = panel.Series[i];
      TKvScopeChannel& channel = channels.Channel(int(i));
      channel.SetName(series.Name);
      channel.SetColor(series.Color);
      Sources.emplace_back(new TKvLkRealSourcePin(Owner.get(), nullptr));
      if (!channel.InputPin()->Connect(Sources.back().get())) throw std::logic_error("a plot channel refused its pin");
      // Real parts are the X values, imaginary parts the Y values.
      const TRef<IKvComplexBuffer> pairs = MakeRef<TKvComplexBuffer>(uint32_t(minutes.size()));
      Primitives::Ipp64fc* out = pairs->WriteData();
      for (size_t k = 0; k < minutes.size(); ++k)
        out[k] = {minutes[k], k < series.Values.size() ? series.Values[k] : 0};
      Sources.back()->SendBuffer(pairs);
    }
  }
};

}  // namespace

void SaveSoakPlot(const std::vector<double>& minutes, const std::vector<TSoakPanel>& panels, const std::string& file) {
  std::vector<std::unique_ptr<TPanelScope>> scopes;
  for (const TSoakPanel& panel : panels) scopes.push_back(std::make_unique<TPanelScope>(minutes, panel));
  // Committed now, rather than by the refresh timers a while later.
  for (const auto& scope : scopes) scope->Scope->CommitWaitingData();

  QImage picture(PlotWidth, PanelHeight * int(panels.size()), QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  for (size_t i = 0; i < scopes.size(); ++i)
    painter.drawImage(QPoint(0, int(i) * PanelHeight), scopes[i]->Scope->RenderImage());
  painter.end();
  if (!picture.save(QString::fromStdString(file), "PNG")) throw std::runtime_error("cannot write " + file);
}
