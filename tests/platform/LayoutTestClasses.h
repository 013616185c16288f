#pragma once

// Small components that publish one property of every kind, for the layout tests and the fuzzer.

#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Event.h"
#include "platform/EzLockedPersistent.h"

#include <memory>
#include <string>
#include <vector>

// What the test components did, in order ("Loaded Thing1", "Destroying Thing2", "~Thing2" ...).
std::vector<std::string>& TestLog();

enum class TShape { shCircle, shSquare, shTriangle };
enum TFlag : uint32_t { fgRed = 1, fgGreen = 2, fgBlue = 4 };

// A sub-object with a floating-point property whose default is not zero.
class TTestSettings : public TEzLockedPersistentNotify {
public:
  PUBLISHED_CLASS_INFO
  using TEzLockedPersistentNotify::TEzLockedPersistentNotify;

  double Level() const { return Level_; }
  void SetLevel(double level) { Level_ = level; }
  int Count() const { return Count_; }
  void SetCount(int count) { Count_ = count; }

private:
  double Level_ = 100;
  int Count_ = 0;
};

class TTestItem : public TLkExtCollectionItem {
public:
  PUBLISHED_CLASS_INFO
  using TLkExtCollectionItem::TLkExtCollectionItem;

  const std::string& Title() const { return Title_; }
  void SetTitle(const std::string& title) { Title_ = title; }
  double Weight() const { return Weight_; }
  void SetWeight(double weight) { Weight_ = weight; }

private:
  std::string Title_;
  double Weight_ = 1;
};

class TTestItems : public TLkExtCollection {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestItems(TPersistent* owner) : TLkExtCollection(owner, ItemsOf<TTestItem>()) {}

  std::vector<std::string> Added;  // what the added-hook saw, before any listener

protected:
  void ItemAdded(TCollectionItem& item) override;
};

class TTestThing : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestThing(TComponent* owner);
  ~TTestThing() override;

  int Size() const { return Size_; }
  void SetSize(int size) { Size_ = size; }
  uint32_t Mask() const { return Mask_; }
  void SetMask(uint32_t mask) { Mask_ = mask; }
  bool Active() const { return Active_; }
  void SetActive(bool active) { Active_ = active; }
  double Gain() const { return Gain_; }
  void SetGain(double gain) { Gain_ = gain; }
  TShape Shape() const { return Shape_; }
  void SetShape(TShape shape) { Shape_ = shape; }
  uint32_t Flags() const { return Flags_; }
  void SetFlags(uint32_t flags) { Flags_ = flags; }
  const std::string& Text() const { return Text_; }
  void SetText(const std::string& text) { Text_ = text; }
  int32_t Tint() const { return Tint_; }
  void SetTint(int32_t tint) { Tint_ = tint; }
  TTestSettings* Settings() const { return Settings_.get(); }
  TTestItems* Items() const { return Items_.get(); }
  TTestThing* Peer() const { return Peer_; }
  void SetPeer(TTestThing* peer);

  TEvent<TNotifyEvent> OnPing;

  // Extra property "Extra": a nested list of integers and strings, kept as read.
  std::vector<std::string> Extra;
  bool LoadingSeenWhileReading = false;

  void DefineProperties(TFiler& filer) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void Destroying() override;

private:
  int Size_ = 10;
  uint32_t Mask_ = 0;
  bool Active_ = false;
  double Gain_ = 0.5;
  TShape Shape_ = TShape::shCircle;
  uint32_t Flags_ = 0;
  std::string Text_;
  int32_t Tint_ = 0x0000FF;
  std::unique_ptr<TTestSettings> Settings_;
  std::unique_ptr<TTestItems> Items_;
  TTestThing* Peer_ = nullptr;
};

// The root of the test layouts, with two fields and methods for events.
class TTestRoot : public TComponent {
public:
  PUBLISHED_CLASS_INFO
  explicit TTestRoot(TComponent* owner = nullptr) : TComponent(owner) {}
  ~TTestRoot() override;

  TTestThing* Thing1 = nullptr;
  TTestThing* Thing2 = nullptr;
  int Pings = 0;

  void Ping(TObject* Sender);
  void Count(TObject* Sender, int& Value);

  void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const override;
  void Loaded() override;

protected:
  void Destroying() override;
};

// Makes TTestThing known to layouts.
void RegisterTestClasses();
