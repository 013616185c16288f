#pragma once

// A pin owned by a component, with the table of the types it offers or accepts.

#include "pins/LkBasicPin.h"
#include "pins/LkHandler.h"

#include <atomic>
#include <vector>

// One stream type a pin offers or accepts, with its handler. The last registered is preferred.
struct TLkTypeEntry {
  TGUID Type;
  TLkHandler Handler;
};

// A pin owned by a component, with a type table.
class TLkPin : public TLkBasicPin {
public:
  PUBLISHED_CLASS_INFO

  TComponent* GetOwner() const override { return Owner_; }
  const std::vector<TLkTypeEntry>& Types() const { return Types_; }
  // Registers a type; a type already in the table keeps its place and gets the new handler.
  void AddType(const TGUID& type, TLkHandler handler = {});
  // The handler for a type: its entry's, the type's default handler when the entry has none, and
  // none when the pin has no entry for the type.
  TLkHandler HandlerFor(const TGUID& type);
  virtual TGUID GetCurrentType() = 0;
  TGUID FindStateType(TLkBasicPin* peer, TLkFormatConverterClass* converter = nullptr,
                      TLkFormatConverter** existing = nullptr) override;

protected:
  TLkPin(TComponent* owner, ILkLock* componentLock, TLkPinList* ownerList);

  // Nested sends from this pin; sends beyond a limit raise ELkException.
  std::atomic<int> ReentryDepth{0};

private:
  static uint8_t DefaultTypeHandler(void* self, TLkBasicPin* peer, const TGUID& type, uint8_t flags,
                                    TLkNotifyOperation& operation);
  TComponent* Owner_;
  std::vector<TLkTypeEntry> Types_;
};

// A pin that carries a stream of operations.
class TLkStreamPin : public TLkPin {
public:
  PUBLISHED_CLASS_INFO

protected:
  using TLkPin::TLkPin;
};
