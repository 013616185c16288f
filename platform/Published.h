#pragma once

// Building the class information of a class: which properties it publishes, with their kinds,
// accessors, declared defaults and stored-predicates, and (for root classes) its methods and
// fields. Each class defines its table once:
//
//   const TClassInfo& TPanel::StaticClassInfo() {
//     return DefineClass<TPanel, TWinControl>("TPanel", [](TPublished<TPanel>& p) {
//       p.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1);
//     });
//   }

#include "platform/ClassInfo.h"
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Event.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

// Names of an enumeration's values in a layout.
template <class E>
using TEnumNames = std::vector<std::pair<E, const char*>>;
// Names of the members of a set: each stands for a bit of the set's value.
using TSetNames = std::vector<std::pair<uint32_t, const char*>>;

namespace published_detail {

struct TIntegerCodec {
  using T = int32_t;
  T Read(TLayoutReader& reader) const { return static_cast<T>(reader.ReadInteger(INT32_MIN, INT32_MAX)); }
  void Write(TLayoutWriter& writer, T value) const { writer.WriteInteger(value); }
};

struct TUnsignedCodec {
  using T = uint32_t;
  T Read(TLayoutReader& reader) const { return static_cast<T>(reader.ReadInteger(0, UINT32_MAX)); }
  void Write(TLayoutWriter& writer, T value) const { writer.WriteInteger(value); }
};

struct TBooleanCodec {
  using T = bool;
  T Read(TLayoutReader& reader) const { return reader.ReadBoolean(); }
  void Write(TLayoutWriter& writer, T value) const { writer.WriteBoolean(value); }
};

struct TStringCodec {
  using T = std::string;
  T Read(TLayoutReader& reader) const { return reader.ReadString(); }
  void Write(TLayoutWriter& writer, const T& value) const { writer.WriteString(value); }
};

struct TColourCodec {
  using T = TColor;
  T Read(TLayoutReader& reader) const {
    if (reader.NextValue() == TValueKind::Identifier) {
      const std::string name = reader.ReadIdent();
      if (const auto color = IdentToColor(name)) return *color;
      reader.Error("unknown colour " + name);
    }
    // System colours are often written as unsigned numbers.
    return static_cast<T>(static_cast<uint32_t>(reader.ReadInteger(INT32_MIN, UINT32_MAX)));
  }
  void Write(TLayoutWriter& writer, T value) const {
    if (const auto name = ColorToIdent(value)) writer.WriteIdent(*name);
    else writer.WriteInteger(value);
  }
};

template <class E>
struct TEnumCodec {
  using T = E;
  const TEnumNames<E>* Names;
  T Read(TLayoutReader& reader) const {
    const std::string name = reader.ReadIdent();
    for (const auto& [value, each] : *Names)
      if (name == each) return value;
    reader.Error("invalid value " + name);
  }
  void Write(TLayoutWriter& writer, T value) const {
    for (const auto& [each, name] : *Names)
      if (each == value) return writer.WriteIdent(name);
    writer.WriteInteger(static_cast<int64_t>(value));
  }
};

struct TSetCodec {
  using T = uint32_t;
  const TSetNames* Names;
  T Read(TLayoutReader& reader) const {
    T bits = 0;
    for (const std::string& name : reader.ReadSet()) {
      bool known = false;
      for (const auto& [bit, each] : *Names)
        if (name == each) bits |= bit, known = true;
      if (!known) reader.Error("invalid set member " + name);
    }
    return bits;
  }
  void Write(TLayoutWriter& writer, T bits) const {
    std::vector<std::string> names;
    for (const auto& [bit, name] : *Names)
      if (bits & bit) names.emplace_back(name);
    writer.WriteSet(names);
  }
};

template <class C>
const C& Cast(const TPersistent& object) {
  return static_cast<const C&>(object);
}
template <class C>
C& Cast(TPersistent& object) {
  return static_cast<C&>(object);
}

template <class C, class Codec>
class TValueProperty : public TPropertyInfo {
public:
  using T = typename Codec::T;
  TValueProperty(std::string name, TPropertyKind kind, Codec codec, std::function<T(const C&)> get,
                 std::function<void(C&, T)> set, std::optional<T> defaultValue, std::function<bool(const C&)> stored)
      : TPropertyInfo(std::move(name), kind),
        Codec_(codec),
        Get(std::move(get)),
        Set(std::move(set)),
        Default(std::move(defaultValue)),
        Stored(std::move(stored)) {}

  bool IsStored(const TPersistent& object) const override {
    const C& c = Cast<C>(object);
    if (Stored && !Stored(c)) return false;
    return !Default || !(Get(c) == *Default);
  }
  void Read(TPersistent& object, TLayoutReader& reader) const override { Set(Cast<C>(object), Codec_.Read(reader)); }
  void Write(const TPersistent& object, TLayoutWriter& writer) const override {
    Codec_.Write(writer, Get(Cast<C>(object)));
  }

private:
  Codec Codec_;
  std::function<T(const C&)> Get;
  std::function<void(C&, T)> Set;
  std::optional<T> Default;
  std::function<bool(const C&)> Stored;
};

template <class C>
class TFloatProperty : public TFloatPropertyInfo {
public:
  TFloatProperty(std::string name, std::function<double(const C&)> get, std::function<void(C&, double)> set,
                 std::optional<double> defaultValue, std::function<bool(const C&)> stored)
      : TFloatPropertyInfo(std::move(name)),
        Getter(std::move(get)),
        Setter(std::move(set)),
        Default(defaultValue),
        Stored(std::move(stored)) {}

  double Get(const TPersistent& object) const override { return Getter(Cast<C>(object)); }
  void Set(TPersistent& object, double value) const override { Setter(Cast<C>(object), value); }
  bool IsStored(const TPersistent& object) const override {
    if (Stored && !Stored(Cast<C>(object))) return false;
    return !Default || Get(object) != *Default;
  }
  void Read(TPersistent& object, TLayoutReader& reader) const override { Set(object, reader.ReadFloat()); }
  void Write(const TPersistent& object, TLayoutWriter& writer) const override { writer.WriteFloat(Get(object)); }

private:
  std::function<double(const C&)> Getter;
  std::function<void(C&, double)> Setter;
  std::optional<double> Default;
  std::function<bool(const C&)> Stored;
};

template <class C>
class TSubObjectProperty : public TObjectPropertyInfo {
public:
  TSubObjectProperty(std::string name, TPropertyKind kind, std::function<TPersistent*(const C&)> get,
                     std::function<bool(const C&)> stored)
      : TObjectPropertyInfo(std::move(name), kind), Get(std::move(get)), Stored(std::move(stored)) {}

  TPersistent* Object(const TPersistent& owner) const override { return Get(Cast<C>(owner)); }
  bool IsStored(const TPersistent& object) const override {
    if (Stored && !Stored(Cast<C>(object))) return false;
    if (Kind() != TPropertyKind::Collection) return true;
    const auto* collection = static_cast<const TCollection*>(Object(object));
    return collection && collection->Count() > 0;
  }
  void Read(TPersistent& object, TLayoutReader& reader) const override {
    if (Kind() != TPropertyKind::Collection) reader.Error(Name() + " holds an object; set its properties by name");
    reader.ReadCollection(*static_cast<TCollection*>(Object(object)));
  }
  void Write(const TPersistent& object, TLayoutWriter& writer) const override {
    writer.WriteCollection(*static_cast<const TCollection*>(Object(object)));
  }

private:
  std::function<TPersistent*(const C&)> Get;
  std::function<bool(const C&)> Stored;
};

template <class C, class T>
class TComponentProperty : public TComponentPropertyInfo {
public:
  TComponentProperty(std::string name, std::function<T*(const C&)> get, std::function<void(C&, T*)> set)
      : TComponentPropertyInfo(std::move(name)), Getter(std::move(get)), Setter(std::move(set)) {}

  bool Set(TPersistent& object, TComponent* component) const override {
    T* typed = dynamic_cast<T*>(component);
    if (component && !typed) return false;
    Setter(Cast<C>(object), typed);
    return true;
  }
  TComponent* Get(const TPersistent& object) const override { return Getter(Cast<C>(object)); }
  bool IsStored(const TPersistent& object) const override { return Get(object) != nullptr; }
  void Read(TPersistent& object, TLayoutReader& reader) const override {
    reader.AddFixup(reader.ReadIdent(), [this, &object](TComponent* component) { return Set(object, component); });
  }
  void Write(const TPersistent& object, TLayoutWriter& writer) const override {
    TComponent* component = Get(object);
    TComponent* root = component->Root();
    writer.WriteIdent(root == writer.Root() ? component->Name() : root->Name() + "." + component->Name());
  }

private:
  std::function<T*(const C&)> Getter;
  std::function<void(C&, T*)> Setter;
};

template <class C, class Signature>
class TEventProperty : public TPropertyInfo {
public:
  TEventProperty(std::string name, TEvent<Signature> C::*member)
      : TPropertyInfo(std::move(name), TPropertyKind::Event), Member(member) {}

  bool IsStored(const TPersistent& object) const override { return !(Cast<C>(object).*Member).MethodName().empty(); }
  void Read(TPersistent& object, TLayoutReader& reader) const override {
    const std::string method = reader.ReadIdent();
    const std::any function = reader.BindMethod(method, typeid(std::function<Signature>));
    (Cast<C>(object).*Member).Bind(method, std::any_cast<std::function<Signature>>(function));
  }
  void Write(const TPersistent& object, TLayoutWriter& writer) const override {
    writer.WriteIdent((Cast<C>(object).*Member).MethodName());
  }

private:
  TEvent<Signature> C::*Member;
};

}  // namespace published_detail

// The table builder handed to a class's definition; each call adds one entry.
template <class C>
class TPublished {
public:
  using TStored = std::function<bool(const C&)>;

  explicit TPublished(TClassInfo& info) : Info(info) {}

  template <class G, class S>
  TPublished& Integer(const char* name, G get, S set, std::optional<int32_t> defaultValue = {}, TStored stored = {}) {
    return Value(name, TPropertyKind::Integer, published_detail::TIntegerCodec{}, get, set, defaultValue, stored);
  }
  template <class G, class S>
  TPublished& Unsigned(const char* name, G get, S set, std::optional<uint32_t> defaultValue = {}, TStored stored = {}) {
    return Value(name, TPropertyKind::Unsigned, published_detail::TUnsignedCodec{}, get, set, defaultValue, stored);
  }
  template <class G, class S>
  TPublished& Boolean(const char* name, G get, S set, std::optional<bool> defaultValue = {}, TStored stored = {}) {
    return Value(name, TPropertyKind::Boolean, published_detail::TBooleanCodec{}, get, set, defaultValue, stored);
  }
  template <class G, class S>
  TPublished& String(const char* name, G get, S set, std::optional<std::string> defaultValue = {},
                     TStored stored = {}) {
    return Value(name, TPropertyKind::String, published_detail::TStringCodec{}, get, set, std::move(defaultValue),
                 stored);
  }
  template <class G, class S>
  TPublished& Colour(const char* name, G get, S set, std::optional<TColor> defaultValue = {}, TStored stored = {}) {
    return Value(name, TPropertyKind::Colour, published_detail::TColourCodec{}, get, set, defaultValue, stored);
  }
  template <class E, class G, class S>
  TPublished& Enumeration(const char* name, const TEnumNames<E>& names, G get, S set,
                          std::optional<std::type_identity_t<E>> defaultValue = {}, TStored stored = {}) {
    return Value(name, TPropertyKind::Enumeration, published_detail::TEnumCodec<E>{&names}, get, set, defaultValue,
                 stored);
  }
  template <class G, class S>
  TPublished& Set(const char* name, const TSetNames& names, G get, S set, std::optional<uint32_t> defaultValue = {},
                  TStored stored = {}) {
    return Value(name, TPropertyKind::Set, published_detail::TSetCodec{&names}, get, set, defaultValue, stored);
  }
  template <class G, class S>
  TPublished& Float(const char* name, G get, S set, std::optional<double> defaultValue = {}, TStored stored = {}) {
    Info.AddProperty(std::make_unique<published_detail::TFloatProperty<C>>(
        name, [get](const C& c) { return static_cast<double>(std::invoke(get, c)); },
        [set](C& c, double value) { std::invoke(set, c, value); }, defaultValue, stored));
    return *this;
  }
  // A sub-object owned by the object; its properties are written with the property's name in
  // front ("Font.Name").
  template <class G>
  TPublished& Object(const char* name, G get, TStored stored = {}) {
    return SubObject(name, TPropertyKind::Object, get, stored);
  }
  template <class G>
  TPublished& Collection(const char* name, G get, TStored stored = {}) {
    return SubObject(name, TPropertyKind::Collection, get, stored);
  }
  // A reference to a component of class T.
  template <class T, class G, class S>
  TPublished& Component(const char* name, G get, S set) {
    Info.AddProperty(std::make_unique<published_detail::TComponentProperty<C, T>>(
        name, [get](const C& c) -> T* { return std::invoke(get, c); },
        [set](C& c, T* value) { std::invoke(set, c, value); }));
    return *this;
  }
  // The event may be a member of a base class of C.
  template <class Signature, class Owner>
  TPublished& Event(const char* name, TEvent<Signature> Owner::*member) {
    TEvent<Signature> C::*own = member;
    Info.AddProperty(std::make_unique<published_detail::TEventProperty<C, Signature>>(name, own));
    return *this;
  }
  // A method of this root class that events of the given signature can be bound to.
  template <class Signature, class M>
  TPublished& Method(const char* name, M method) {
    Info.AddMethod({name, typeid(std::function<Signature>), [method](TComponent& root) -> std::any {
                      C& self = dynamic_cast<C&>(root);
                      return std::function<Signature>([&self, method](auto&&... args) {
                        return std::invoke(method, self, std::forward<decltype(args)>(args)...);
                      });
                    }});
    return *this;
  }
  // A field of this root class set to the owned component of the same name.
  template <class T>
  TPublished& Field(const char* name, T* C::*member) {
    Info.AddField({name, [member](TComponent& root, TComponent* component) {
                     T* typed = dynamic_cast<T*>(component);
                     if (component && !typed) return false;
                     dynamic_cast<C&>(root).*member = typed;
                     return true;
                   }});
    return *this;
  }

private:
  template <class Codec, class G, class S>
  TPublished& Value(const char* name, TPropertyKind kind, Codec codec, G get, S set,
                    std::optional<typename Codec::T> defaultValue, TStored stored) {
    using T = typename Codec::T;
    Info.AddProperty(std::make_unique<published_detail::TValueProperty<C, Codec>>(
        name, kind, codec, [get](const C& c) { return static_cast<T>(std::invoke(get, c)); },
        [set](C& c, T value) { std::invoke(set, c, static_cast<decltype(value)>(value)); }, std::move(defaultValue),
        std::move(stored)));
    return *this;
  }
  template <class G>
  TPublished& SubObject(const char* name, TPropertyKind kind, G get, TStored stored) {
    Info.AddProperty(std::make_unique<published_detail::TSubObjectProperty<C>>(
        name, kind, [get](const C& c) -> TPersistent* { return std::invoke(get, c); }, std::move(stored)));
    return *this;
  }

  TClassInfo& Info;
};

// The class information of C, derived from Base, with the entries `publish` adds. Components that
// can be built from an owner alone get a factory, so that layouts can create them by class name.
template <class C, class Base, class Publish>
const TClassInfo& DefineClass(const char* name, Publish publish) {
  static TClassInfo info(name, &Base::StaticClassInfo());
  static const bool built = [&] {
    TPublished<C> table(info);
    publish(table);
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>)
      info.SetFactory([](TComponent* owner) -> TComponent* { return new C(owner); });
    return true;
  }();
  (void)built;
  return info;
}

// A class without entries of its own.
template <class C, class Base>
const TClassInfo& DefineClass(const char* name) {
  return DefineClass<C, Base>(name, [](TPublished<C>&) {});
}

// Makes the classes known to layouts by name.
template <class... Classes>
void RegisterClasses() {
  (ClassRegistry::Register(Classes::StaticClassInfo()), ...);
}
