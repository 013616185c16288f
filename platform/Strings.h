#pragma once

#include "platform/Event.h"
#include "platform/Persistent.h"

#include <string>
#include <vector>

// A list of strings held by a control (a drop-down list's items); the layout stores it as the
// extra property Strings, one string per list item.
class TStrings : public TPersistent {
public:
  PUBLISHED_CLASS_INFO

  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EListError for an index outside 0 .. Count() - 1.
  const std::string& Strings(int index) const;
  void Add(const std::string& text);
  void Clear();
  void SetStrings(std::vector<std::string> items);
  const std::vector<std::string>& Items() const { return Items_; }

  void DefineProperties(TFiler& filer) override;
  void Assign(const TPersistent& source) override;

  TEvent<TNotifyEvent> OnChange;

private:
  std::vector<std::string> Items_;
};
