#pragma once

#include <string>

class TClassInfo;

// Root of every class that publishes properties: its class information says what it stores in a
// window layout and how it is created from one.
class TObject {
public:
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& info) const;
};

// Declares a class's own class information; its definition builds the table with TClassInfo.
#define PUBLISHED_CLASS_INFO                  \
  static const TClassInfo& StaticClassInfo(); \
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
