#pragma once

// The pin whose value is a state shared by a group.

#include "pins/LkPin.h"

// A pin whose value is a state shared by a group of pins: it links only through state groups.
class TLkStatePin : public TLkPin {
public:
  PUBLISHED_CLASS_INFO

  TLkStatePin(TComponent* owner, ILkLock* componentLock = nullptr);
  ~TLkStatePin() override;

  TLkPinKind GetKind() const override { return TLkPinKind::State; }
  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool CanLinkTo(TLkBasicPin* peer) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override { return JoinStateAfter(pin, afterPin); }
  void RemoveLink(TLkBasicPin*, bool) override {}
  void UnlinkAll() override { LeaveGroup(); }
  int GetLinkCount() override { return 0; }
  TLkBasicPin* GetLinkedPin(int) override { return nullptr; }
  TLkBasicPin* GetLinkAfterPin(int) override { return nullptr; }
  bool IsLinkedTo(TLkBasicPin* pin) override { return IsGroupedWith(pin); }
  TGUID GetCurrentType() override;
  // Sends to the pin's group.
  uint8_t Notify(TLkNotifyOperation& operation) override { return SendToGroup(operation, 0, nullptr); }
  void LinksChanged() override { ResyncGroup(); }
};
