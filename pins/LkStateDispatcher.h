#pragma once

// A named group of state-linked pins.

#include "pins/LkBasicPin.h"
#include "platform/Component.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A named group of state-linked pins. Each member is reached through a connection pin: the
// member itself, or the input of a converter the group keeps. A group made at design time and one
// made at run time live in different registries; names are unique within one.
class TLkStateDispatcher : public TLkPinObject {
public:
  PUBLISHED_CLASS_INFO

  struct TMember {
    TLkBasicPin* Connection;
    TLkBasicPin* Member;
    TLkBasicPin* AfterPin;
  };

  // Makes and registers a group named after `root`: root name + "Link" + the smallest free number.
  static TLkStateDispatcher* Create(TComponent* root, bool designing);
  static TLkStateDispatcher* CreateNamed(const std::string& name, bool designing);
  static TLkStateDispatcher* Find(const std::string& name, bool designing);
  // The group of that name, made (and `created` set) when there is none.
  static TLkStateDispatcher* FindOrCreateNamed(const std::string& name, bool designing, bool& created);
  ~TLkStateDispatcher() override;

  const std::string& Name() const { return Name_; }
  bool Designing() const { return Designing_; }
  int GetMemberCount();
  TLkBasicPin* GetMember(int index);
  TLkBasicPin* GetConnectionPin(int index);
  TLkBasicPin* GetMemberAfterPin(int index);
  std::vector<TMember> Members();
  // The same, or none while a stop is pending on the group: for sends and joins, refused then.
  std::optional<std::vector<TMember>> MembersUnlessStopped();
  // Refused (false) while a stop is pending on the group.
  [[nodiscard]] bool AddMember(TLkBasicPin* connection, TLkBasicPin* member) {
    return AddMemberAfter(connection, member, nullptr);
  }
  [[nodiscard]] bool AddMemberAfter(TLkBasicPin* connection, TLkBasicPin* member, TLkBasicPin* afterPin);
  // Frees a group that has no members (one made for a join that was refused).
  void FreeIfEmpty();
  // Takes the member out and answers how many are left; at none the group has freed itself.
  int RemoveMember(TLkBasicPin* member);
  // The converter a member is reached through, if any.
  TLkFormatConverter* ConverterOf(TLkBasicPin* member);
  // Keeps a converter that reaches a member, made for the types `from` to `to`.
  void KeepConverter(std::unique_ptr<TLkFormatConverter, TComponentDeleter> converter, const TGUID& from,
                     const TGUID& to);
  int ConverterCount();
  std::vector<TLkFormatConverter*> Converters();
  // The types a kept converter was made for.
  std::pair<TGUID, TGUID> ConverterTypes(const TLkFormatConverter* converter);

  void PinDestroying(TLkBasicPin* pin) override;
  void PinReplaced(TLkBasicPin* oldPin, TLkBasicPin* newPin) override;

  // Writing State across roots: which roots have written their list, and how many members wrote.
  std::vector<TComponent*> SavedRoots;
  int SavedCount = 0;

private:
  TLkStateDispatcher(std::string name, bool designing);
  std::string Name_;
  bool Designing_;
  struct TKept {
    std::unique_ptr<TLkFormatConverter, TComponentDeleter> Converter;
    TGUID From;
    TGUID To;
  };
  std::vector<TMember> Members_;
  std::vector<TKept> Converters_;
};
