#include "buffers/KvRealQueue.h"

#include "platform/Exception.h"

#include <string>

void TKvRealQueue::CheckIndex(int32_t index) const {
  if (index < 0 || index >= GetCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int32_t TKvRealQueue::Push(double value) {
  Values.push_back(value);
  return GetCount() - 1;
}

void TKvRealQueue::Drop() {
  CheckIndex(0);
  Values.pop_front();
}

double TKvRealQueue::GetItem(int32_t index) const {
  CheckIndex(index);
  return Values[std::size_t(index)];
}

void TKvRealQueue::SetItem(int32_t index, double value) {
  CheckIndex(index);
  Values[std::size_t(index)] = value;
}
