#include "LayoutTestClasses.h"

#include "platform/Published.h"

std::vector<std::string>& TestLog() {
  static std::vector<std::string> log;
  return log;
}

const TClassInfo& TTestSettings::StaticClassInfo() {
  return DefineClass<TTestSettings, TEzLockedPersistentNotify>("TTestSettings", [](TPublished<TTestSettings>& p) {
    p.Float("Level", &TTestSettings::Level, &TTestSettings::SetLevel, 100.0)
        .Integer("Count", &TTestSettings::Count, &TTestSettings::SetCount, 0);
  });
}

const TClassInfo& TTestItem::StaticClassInfo() {
  return DefineClass<TTestItem, TLkExtCollectionItem>("TTestItem", [](TPublished<TTestItem>& p) {
    p.String("Title", &TTestItem::Title, &TTestItem::SetTitle, std::string())
        .Float("Weight", &TTestItem::Weight, &TTestItem::SetWeight, 1.0);
  });
}

const TClassInfo& TTestItems::StaticClassInfo() { return DefineClass<TTestItems, TLkExtCollection>("TTestItems"); }

void TTestItems::ItemAdded(TCollectionItem& item) { Added.push_back("item " + std::to_string(item.Index())); }

const TClassInfo& TTestThing::StaticClassInfo() {
  static const TEnumNames<TShape> shapes = {
      {TShape::shCircle, "shCircle"}, {TShape::shSquare, "shSquare"}, {TShape::shTriangle, "shTriangle"}};
  static const TSetNames flags = {{fgRed, "fgRed"}, {fgGreen, "fgGreen"}, {fgBlue, "fgBlue"}};
  return DefineClass<TTestThing, TComponent>("TTestThing", [](TPublished<TTestThing>& p) {
    p.Integer("Size", &TTestThing::Size, &TTestThing::SetSize, 10)
        .Unsigned("Mask", &TTestThing::Mask, &TTestThing::SetMask, 0u)
        .Boolean("Active", &TTestThing::Active, &TTestThing::SetActive, false)
        .Float("Gain", &TTestThing::Gain, &TTestThing::SetGain, 0.5)
        .Enumeration("Shape", shapes, &TTestThing::Shape, &TTestThing::SetShape, TShape::shCircle)
        .Set("Flags", flags, &TTestThing::Flags, &TTestThing::SetFlags, 0u)
        .String("Text", &TTestThing::Text, &TTestThing::SetText, std::string())
        .Colour("Tint", &TTestThing::Tint, &TTestThing::SetTint, 0x0000FF)
        .Object("Settings", &TTestThing::Settings)
        .Collection("Items", &TTestThing::Items)
        .Component<TTestThing>("Peer", &TTestThing::Peer, &TTestThing::SetPeer)
        .Event("OnPing", &TTestThing::OnPing);
  });
}

TTestThing::TTestThing(TComponent* owner)
    : TComponent(owner), Settings_(std::make_unique<TTestSettings>(this)), Items_(std::make_unique<TTestItems>(this)) {}

TTestThing::~TTestThing() { TestLog().push_back("~" + Name()); }

void TTestThing::SetPeer(TTestThing* peer) {
  Peer_ = peer;
  if (peer) FreeNotification(peer);
}

void TTestThing::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Extra",
      [this](TLayoutReader& reader) {
        LoadingSeenWhileReading = IsLoading();
        // A list whose items are integers, strings or lists of them, one level deep.
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
          if (reader.NextValue() == TValueKind::List) {
            reader.ReadListBegin();
            std::string inner = "(";
            while (!reader.EndOfList())
              inner += reader.NextValue() == TValueKind::Integer ? std::to_string(reader.ReadInteger()) + ";"
                                                                 : reader.ReadString() + ";";
            reader.ReadListEnd();
            Extra.push_back(inner + ")");
          } else if (reader.NextValue() == TValueKind::Integer) {
            Extra.push_back(std::to_string(reader.ReadInteger()));
          } else {
            Extra.push_back(reader.ReadString());
          }
        }
        reader.ReadListEnd();
      },
      [this](TLayoutWriter& writer) {
        writer.WriteListBegin();
        for (const std::string& item : Extra) writer.WriteString(item);
        writer.WriteListEnd();
      },
      !Extra.empty());
}

void TTestThing::Loaded() {
  TComponent::Loaded();
  TestLog().push_back("Loaded " + Name());
}

void TTestThing::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component == Peer_) Peer_ = nullptr;
  TComponent::Notification(component, operation);
}

void TTestThing::Destroying() {
  // A virtual call that must still reach the whole object.
  TestLog().push_back("Destroying " + Name() + " " + ClassName());
  TComponent::Destroying();
}

const TClassInfo& TTestRoot::StaticClassInfo() {
  return DefineClass<TTestRoot, TComponent>("TTestRoot", [](TPublished<TTestRoot>& p) {
    p.Field("Thing1", &TTestRoot::Thing1)
        .Field("Thing2", &TTestRoot::Thing2)
        .Method<TNotifyEvent>("Ping", &TTestRoot::Ping)
        .Method<void(TObject*, int&)>("Count", &TTestRoot::Count);
  });
}

TTestRoot::~TTestRoot() { TestLog().push_back("~" + Name()); }

void TTestRoot::Ping(TObject*) { ++Pings; }

void TTestRoot::Count(TObject*, int& value) { ++value; }

void TTestRoot::GetChildren(const std::function<void(TComponent*)>& visit, TComponent*) const {
  for (int i = 0; i < ComponentCount(); ++i) visit(Components(i));
}

void TTestRoot::Loaded() {
  TComponent::Loaded();
  TestLog().push_back("Loaded " + Name());
}

void TTestRoot::Destroying() {
  TestLog().push_back("Destroying " + Name() + " " + ClassName());
  TComponent::Destroying();
}

void RegisterTestClasses() { RegisterClasses<TTestThing>(); }
