#pragma once

#include "platform/Exception.h"
#include "platform/Object.h"

#include <functional>
#include <string>

class TComponent;
class TLayoutReader;
class TLayoutWriter;

// What a persistent object sees of the layout reader or writer when it defines extra properties.
class TFiler {
public:
  virtual ~TFiler() = default;
  // An extra property `name`: the reader calls `read` when the layout holds it; the writer writes
  // it, through `write`, when `hasData` is true.
  virtual void DefineProperty(const std::string& name, const std::function<void(TLayoutReader&)>& read,
                              const std::function<void(TLayoutWriter&)>& write, bool hasData) = 0;
  // The root component of the layout being read or written.
  virtual TComponent* Root() const = 0;
};

// An assignment between objects that cannot take each other's values.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// An object whose published properties are stored in a window layout.
class TPersistent : public TObject {
public:
  PUBLISHED_CLASS_INFO

  // Extra properties that the object reads and writes itself, beside its published ones.
  virtual void DefineProperties(TFiler& filer);

  // Takes over the stored values of `source`. Raises EConvertError where the classes do not fit.
  virtual void Assign(const TPersistent& source);

  // The object this one belongs to (for paths and the owner's lock); none by default.
  virtual TPersistent* GetOwner() const { return nullptr; }
};
