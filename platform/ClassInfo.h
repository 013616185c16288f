#pragma once

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

class TComponent;
class TLayoutReader;
class TLayoutWriter;
class TPersistent;
class TCollection;

enum class TPropertyKind {
  Integer,
  Unsigned,
  Boolean,
  Float,
  Enumeration,
  Set,
  String,
  Colour,
  Object,
  Collection,
  Component,
  Event
};

// One published property of a class: how the layout reads and writes it.
class TPropertyInfo {
public:
  TPropertyInfo(std::string name, TPropertyKind kind) : Name_(std::move(name)), Kind_(kind) {}
  virtual ~TPropertyInfo() = default;

  const std::string& Name() const { return Name_; }
  TPropertyKind Kind() const { return Kind_; }

  // Whether the writer writes the property: its stored-predicate holds and its value differs
  // from the declared default (a property without a default is always written).
  virtual bool IsStored(const TPersistent& object) const = 0;
  // Reads the value at the reader's position into the object; a value of another kind is a read
  // error.
  virtual void Read(TPersistent& object, TLayoutReader& reader) const = 0;
  virtual void Write(const TPersistent& object, TLayoutWriter& writer) const = 0;

private:
  std::string Name_;
  TPropertyKind Kind_;
};

// A property whose value is a persistent object owned by the object that publishes it (a
// sub-object such as a font, or a collection). Its own properties nest under its name.
class TObjectPropertyInfo : public TPropertyInfo {
public:
  using TPropertyInfo::TPropertyInfo;
  virtual TPersistent* Object(const TPersistent& owner) const = 0;
};

// A floating-point property, reachable by name (a zero survives through the _Floats property).
class TFloatPropertyInfo : public TPropertyInfo {
public:
  TFloatPropertyInfo(std::string name) : TPropertyInfo(std::move(name), TPropertyKind::Float) {}
  virtual double Get(const TPersistent& object) const = 0;
  virtual void Set(TPersistent& object, double value) const = 0;
};

// A reference to a component of the same or another root, resolved after the layout is read.
class TComponentPropertyInfo : public TPropertyInfo {
public:
  TComponentPropertyInfo(std::string name) : TPropertyInfo(std::move(name), TPropertyKind::Component) {}
  // False when the component is not of the property's class.
  virtual bool Set(TPersistent& object, TComponent* component) const = 0;
  virtual TComponent* Get(const TPersistent& object) const = 0;
};

// A method of a root class that event properties can be bound to by name.
struct TMethodInfo {
  std::string Name;
  std::type_index EventType;
  // Makes the event function (an std::function of the event's signature, in an std::any) that
  // calls this method on `root`.
  std::function<std::any(TComponent& root)> Bind;
};

// A field of a root class that is set to the owned component of the same name when it is created
// and cleared when that component goes.
struct TFieldInfo {
  std::string Name;
  // Stores the component (or none); false when the component is not of the field's class.
  std::function<bool(TComponent& root, TComponent* component)> Set;
};

// Everything a class publishes: its name and parent, its stored properties in declaration order,
// and for root classes its methods and fields. Components also know how to create themselves.
class TClassInfo {
public:
  using TFactory = std::function<TComponent*(TComponent* owner)>;

  TClassInfo(std::string name, const TClassInfo* parent) : Name_(std::move(name)), Parent_(parent) {}
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return Name_; }
  const TClassInfo* Parent() const { return Parent_; }
  bool InheritsFrom(const TClassInfo& other) const;

  // Properties of this class and its parents: the parents' first, each in declaration order.
  void ForEachProperty(const std::function<void(const TPropertyInfo&)>& visit) const;
  const TPropertyInfo* FindProperty(const std::string& name) const;
  const TMethodInfo* FindMethod(const std::string& name) const;
  const TFieldInfo* FindField(const std::string& name) const;

  // Creates a component of this class; none for classes that are not created by name.
  const TFactory& Factory() const { return Factory_; }

  void AddProperty(std::unique_ptr<TPropertyInfo> property);
  void AddMethod(TMethodInfo method) { Methods.push_back(std::move(method)); }
  void AddField(TFieldInfo field) { Fields.push_back(std::move(field)); }
  void SetFactory(TFactory factory) { Factory_ = std::move(factory); }

private:
  std::string Name_;
  const TClassInfo* Parent_;
  std::vector<std::unique_ptr<TPropertyInfo>> Properties;
  std::vector<TMethodInfo> Methods;
  std::vector<TFieldInfo> Fields;
  TFactory Factory_;
};

// The classes that a layout may name in its object headers. Registering a class twice is harmless.
namespace ClassRegistry {
void Register(const TClassInfo& info);
const TClassInfo* Find(const std::string& name);
}  // namespace ClassRegistry
