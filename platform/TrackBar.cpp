#include "platform/TrackBar.h"

#include "platform/Published.h"

const TClassInfo& TTrackBar::StaticClassInfo() {
  static const TEnumNames<TTrackBarOrientation> orientations = {{TTrackBarOrientation::trHorizontal, "trHorizontal"},
                                                                {TTrackBarOrientation::trVertical, "trVertical"}};
  return DefineClass<TTrackBar, TWinControl>("TTrackBar", [](TPublished<TTrackBar>& p) {
    // Max before Min and Position, so that a stored range is in place before the position.
    p.Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
        .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0)
        .Enumeration("Orientation", orientations, &TTrackBar::Orientation, &TTrackBar::SetOrientation,
                     TTrackBarOrientation::trHorizontal)
        .Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1)
        .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0)
        .Event("OnChange", &TTrackBar::OnChange);
  });
}

TTrackBar::TTrackBar(TComponent* owner) : TWidgetControl(owner) {
  setRange(0, 10);
  setTickInterval(1);
  setTickPosition(QSlider::TicksBothSides);
  SetOrientation(TTrackBarOrientation::trHorizontal);
  setGeometry(0, 0, 150, 45);
  QObject::connect(this, &QSlider::valueChanged, this, [this] { OnChange(this); });
}

TTrackBarOrientation TTrackBar::Orientation() const {
  return orientation() == Qt::Vertical ? TTrackBarOrientation::trVertical : TTrackBarOrientation::trHorizontal;
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
  const bool vertical = orientation == TTrackBarOrientation::trVertical;
  setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  setInvertedAppearance(vertical);
  setInvertedControls(vertical);
}
