#pragma once

#include "platform/LayoutValue.h"
#include "platform/Persistent.h"

#include <any>
#include <functional>
#include <string>
#include <typeindex>
#include <vector>

class TCollection;

// Reads a window layout into a root component: creates the components it names through the class
// registry, sets their properties through the class tables, hands extra properties to the objects'
// DefineProperties hooks, binds event properties to the root's methods by name, resolves component
// references once everything is read, and then calls Loaded on every component.
//
// Property readers and hooks see it as a cursor over the value being read: they may peek at the
// kind of the next value and walk nested lists. A value of the wrong kind, or a value left unread,
// is a read error naming the line.
class TLayoutReader : public TFiler {
public:
  // Reads `text` into `root`, whose class must be the one the layout names. On error nothing that
  // the read created remains, and ELayoutReadError names the line and the problem.
  static void ReadRoot(TComponent& root, const std::string& text);

  TValueKind NextValue() const;
  bool EndOfList() const;
  int64_t ReadInteger(int64_t minimum = INT64_MIN, int64_t maximum = INT64_MAX);
  double ReadFloat();  // integers are accepted too
  std::string ReadString();
  std::string ReadIdent();
  bool ReadBoolean();
  std::vector<std::string> ReadSet();
  std::vector<uint8_t> ReadBinary();
  void ReadListBegin();
  void ReadListEnd();  // a read error when items are left
  void SkipValue();
  // Clears the collection and reads its items.
  void ReadCollection(TCollection& collection);

  // Resolves `name` to a component of the root once the whole layout is read and hands it to
  // `apply`, which answers false when the component does not fit.
  void AddFixup(const std::string& name, std::function<bool(TComponent*)> apply);
  // The event function of the root's method `name`; a read error unless its type is `eventType`.
  std::any BindMethod(const std::string& name, std::type_index eventType) const;

  [[noreturn]] void Error(const std::string& problem) const;

  TComponent* Root() const override { return Root_; }
  void DefineProperty(const std::string& name, const std::function<void(TLayoutReader&)>& read,
                      const std::function<void(TLayoutWriter&)>& write, bool hasData) override;

private:
  struct TFrame {
    const std::vector<TLayoutValue>* Values;
    size_t Index;
  };
  struct TFixup {
    std::string Name;
    int Line;
    std::function<bool(TComponent*)> Apply;
  };

  explicit TLayoutReader(TComponent& root) : Root_(&root) {}
  void ReadObject(TComponent& component, const TLayoutObject& object);
  void ReadProperty(TPersistent& object, const TLayoutProperty& property);
  const TLayoutValue& Current() const;
  const TLayoutValue& Take(TValueKind kind);
  void ResolveFixups();

  TComponent* Root_;
  std::vector<TComponent*> Created;
  std::vector<TComponent*> Loading;
  std::vector<TFixup> Fixups;
  std::vector<TFrame> Frames;
  int PropertyLine = 0;
  std::string ExtraName;
  bool ExtraHandled = false;
};
