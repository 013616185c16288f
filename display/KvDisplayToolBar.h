#pragma once

#include "display/KvBasicDisplayToolBar.h"
#include "display/KvToolBarDialogs.h"
#include "display/KvToolBarPosition.h"

// A display's own tool bar: two rows of six buttons (hold or release, zoom or pan, copy, print,
// save, properties; zoom in, zoom out, zoom off, previous and next zoom, zoom both axes), placed
// by Position within the display or its data view.
//
// Printing and saving hold the display while the dialog is open; a confirmed print or save puts
// the hold back as it was, a cancelled one leaves the display held, and a failed one says so and
// puts the hold back.
class TKvDisplayToolBar : public TKvBasicDisplayToolBar {
public:
  PUBLISHED_CLASS_INFO

  void UpdateStates() override;

  explicit TKvDisplayToolBar(TKvDataDisplay& display);

  TKvToolBarPosition* Position() const { return const_cast<TKvToolBarPosition*>(&Position_); }
  TKvDisplayToolBarButtons* Buttons() const { return const_cast<TKvDisplayToolBarButtons*>(&Buttons_); }
  // How printing and saving ask the user.
  TKvToolBarDialogs Dialogs = StandardToolBarDialogs();

  // What the print and save buttons do.
  void PrintWithDialog();
  void SaveWithDialog();

protected:
  int ComputeBarLeft() const override;
  int ComputeBarTop() const override;

private:
  // The host's left or top and its extent across or down.
  std::pair<int, int> HostSpan(bool across) const;
  // Holds the display, runs `ask`; when it answers true runs `act` and puts the hold back.
  void WithHold(const std::function<bool()>& ask, const std::function<void()>& act);

  TKvToolBarPosition Position_;
  TKvDisplayToolBarButtons Buttons_;
};
