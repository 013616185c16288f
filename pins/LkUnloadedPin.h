#pragma once

// Placeholders for pins that a layout names before they exist.

#include "pins/LkBasicPin.h"

#include <string>
#include <vector>

// Stands for a pin that the layout names but that does not exist yet: records the links asked of it
// and hands them over when the real pin appears (ResolvePlaceholders). At run time no real pin links
// to it (it reports design mode), so a link between two pins of a layout is made when the second
// of its ends is read.
class TLkUnloadedPin : public TLkBasicPin {
public:
  PUBLISHED_CLASS_INFO

  struct TRequest {
    TLkBasicPin* Peer;
    TLkBasicPin* AfterPin;
  };

  // Made through LkPlaceholders::Create, which registers (and owns) it.
  TLkUnloadedPin(std::string identPath, std::string displayPath, TComponent* root, TLkPinKind kind, bool designing);
  ~TLkUnloadedPin() override;

  TLkPinKind GetKind() const override { return Kind; }
  bool IsPlaceholder() const override { return true; }
  bool IsDesigning() const override { return true; }
  std::string GetDisplayPath(bool withRoot) override;
  std::string GetIdentPath(bool withRoot) override;
  bool CanLinkTo(TLkBasicPin*) override { return true; }
  // Records the request; a source peer also gets the placeholder as a sink, a sink peer takes it
  // as its source.
  bool ConnectAfter(TLkBasicPin* pin, TLkBasicPin* afterPin) override;
  bool AddLink(TLkBasicPin* pin, TLkBasicPin* afterPin) override { return ConnectAfter(pin, afterPin); }
  void RemoveLink(TLkBasicPin* pin, bool keepPlaceholder) override;
  void Released() override;
  void UnlinkAll() override;
  int GetLinkCount() override { return static_cast<int>(Requests_.size()); }
  TLkBasicPin* GetLinkedPin(int index) override;
  TLkBasicPin* GetLinkAfterPin(int index) override;
  bool IsLinkedTo(TLkBasicPin* pin) override;
  uint8_t Notify(TLkNotifyOperation&) override { return 0; }
  void PinDestroying(TLkBasicPin* pin) override;
  void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) override;

  const std::vector<TRequest>& Requests() const { return Requests_; }
  TComponent* RootComponent() const { return Root_; }
  bool WasDesigning() const { return Designing; }
  // A kept placeholder does not free itself; clearing the flag lets it go when it is unused.
  void SetKept(bool kept);
  // Held by a pin list, which frees it.
  void SetPending(bool pending) { Pending = pending; }
  // The state group the pin it stands for joins when it appears.
  const std::string& PendingGroup() const { return PendingGroup_; }
  void SetPendingGroup(const std::string& name) { PendingGroup_ = name; }

private:
  std::string IdentPath;
  std::string DisplayPath;
  TComponent* Root_;
  TLkPinKind Kind;
  bool Designing;
  std::vector<TRequest> Requests_;
  std::string PendingGroup_;
  bool Kept = false;
  bool Pending = false;
  bool InRelease = false;
};

// The placeholders, owned by the registry until they are resolved or released.
namespace LkPlaceholders {
TLkUnloadedPin* Create(const std::string& identPath, const std::string& displayPath, TComponent* root, TLkPinKind kind);
// Frees a placeholder now (it leaves the registry).
void Free(TLkUnloadedPin* placeholder);
// Links the placeholder to `pin` by replaying what was asked of it (last request first), tells
// every pin that `pin` replaces it, and frees it.
void ResolveOnto(TLkUnloadedPin* placeholder, TLkBasicPin& pin);
std::vector<TLkUnloadedPin*> All();
}  // namespace LkPlaceholders
