#pragma once

#include "platform/Persistent.h"

#include <functional>
#include <string>
#include <vector>

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,     // its layout is being read
  csDesigning = 1u << 1,   // it is edited by a design tool, not run
  csDestroying = 1u << 2,  // it is going; it has stopped and unlinked
};

enum class TOperation { opInsert, opRemove };

// A bad component name or a name used twice within one owner.
class EComponentError : public Exception {
public:
  using Exception::Exception;
};

// A named object owned by another component (the root has no owner). Owners free what they own,
// newest first. Destruction runs in two phases (see Free), so that no virtual call reaches a
// half-destroyed object.
class TComponent : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Frees a component: first it and everything it owns hear Destroying() while all of them are
  // whole, then what it owns is freed, newest first, and then the component itself.
  static void Free(TComponent* component);

  const std::string& Name() const { return Name_; }
  // Raises EComponentError for a name that is not an identifier or is taken within the owner.
  void SetName(const std::string& name);

  TComponent* Owner() const { return Owner_; }
  // The outermost owner: the component itself when it has none.
  TComponent* Root();
  int ComponentCount() const { return static_cast<int>(Components_.size()); }
  TComponent* Components(int index) const;
  // The owned component of that name (names compare without regard to case), or none.
  TComponent* FindComponent(const std::string& name) const;

  unsigned ComponentState() const { return State_; }
  bool IsLoading() const { return State_ & csLoading; }
  bool IsDesigning() const { return State_ & csDesigning; }
  bool IsDestroying() const { return State_ & csDestroying; }
  // Sets or clears design mode for the component and everything it owns.
  void SetDesigning(bool designing);
  void SetLoading(bool loading) { State_ = loading ? State_ | csLoading : State_ & ~csLoading; }

  // Called once the whole layout it was read from is in place; clears the loading flag.
  virtual void Loaded();
  // A component was added to or is leaving the owner tree, or one this component asked to be told
  // about is going. Overrides drop their references to a component that is removed, then call the
  // base, which passes the news on to everything this component owns.
  virtual void Notification(TComponent* component, TOperation operation);
  // Asks to hear Notification(component, opRemove) when `component` goes, whoever owns it.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Layout nesting: a component read inside another's block is told so; controls become its
  // children. GetChildren lists the components written inside this one's block.
  virtual void SetParentComponent(TComponent* parent);
  virtual void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const;

  TPersistent* GetOwner() const override { return Owner_; }

protected:
  // First phase of destruction: stop, unlink and let go while the object is still whole.
  // Overrides call the base last.
  virtual void Destroying() {}

private:
  static bool SameName(const std::string& a, const std::string& b);
  void BeginDestroy();
  void DestroyComponents();
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  // Sets the published field of that name, if the class has one, to the owned component.
  void BindField(const std::string& name, TComponent* component);

  std::string Name_;
  TComponent* Owner_ = nullptr;
  std::vector<TComponent*> Components_;
  std::vector<TComponent*> FreeNotifies;
  unsigned State_ = 0;
};

// Frees components through TComponent::Free.
struct TComponentDeleter {
  void operator()(TComponent* component) const { TComponent::Free(component); }
};
