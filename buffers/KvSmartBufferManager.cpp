#include "buffers/KvSmartBufferManager.h"

#include "platform/ScopeGuards.h"

#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <new>

namespace {

constexpr std::align_val_t AreaAlignment{32};

void* Allocate(uint32_t size) { return ::operator new(size, AreaAlignment); }

std::atomic<TKvSmartBufferManager::TRefusal> Refusal{nullptr};
void Free(void* area) { ::operator delete(area, AreaAlignment); }

// Trimming belongs to the GUI thread: started with every Qt application, it stops with it.
void StartTrimTimer() {
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setObjectName("KvSmartBufferManagerTrim");
  QObject::connect(timer, &QTimer::timeout, [] { TKvSmartBufferManager::Instance().Trim(); });
  timer->start(TKvSmartBufferManager::TrimIntervalMs);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(StartTrimTimer)

TKvSmartBufferManager& TKvSmartBufferManager::Instance() {
  static TKvSmartBufferManager* const pool = new TKvSmartBufferManager;
  return *pool;
}

TKvSmartBufferManager::TSizeClass& TKvSmartBufferManager::Find(uint32_t size) {
  for (TSizeClass& sizeClass : Classes)
    if (sizeClass.Size == size) return sizeClass;
  return Classes.emplace_back(TSizeClass{size, {}, 0});
}

void TKvSmartBufferManager::SetRefusal(TRefusal refusal) { Refusal.store(refusal); }

void* TKvSmartBufferManager::Take(uint32_t size) {
  if (size == 0) return nullptr;
  if (const TRefusal refuse = Refusal.load(std::memory_order_relaxed); refuse && refuse(size)) throw std::bad_alloc();
  {
    std::lock_guard lock(Guard);
    TSizeClass& sizeClass = Find(size);
    sizeClass.Countdown = int32_t(sizeClass.Free.size()) + KeepTicks;
    ++InUse;
    if (!sizeClass.Free.empty()) {
      void* area = sizeClass.Free.back();
      sizeClass.Free.pop_back();
      return area;
    }
  }
  // The heap is asked outside the lock; a failure gives the count back.
  const TLkFailureGuard giveBack([this] {
    std::lock_guard lock(Guard);
    --InUse;
  });
  return Allocate(size);
}

void TKvSmartBufferManager::Return(void* area, uint32_t size) {
  if (!area) return;
  std::lock_guard lock(Guard);
  TSizeClass& sizeClass = Find(size);
  sizeClass.Free.push_back(area);
  sizeClass.Countdown = int32_t(sizeClass.Free.size()) + KeepTicks;
  --InUse;
}

void TKvSmartBufferManager::Trim() {
  std::lock_guard lock(Guard);
  for (auto it = Classes.end(); it != Classes.begin();) {
    TSizeClass& sizeClass = *--it;
    if (sizeClass.Countdown <= 0) continue;
    --sizeClass.Countdown;
    while (sizeClass.Free.size() > std::size_t(sizeClass.Countdown)) {
      Free(sizeClass.Free.back());
      sizeClass.Free.pop_back();
    }
    if (sizeClass.Countdown == 0) it = Classes.erase(it);
  }
}

TKvSmartBufferManager::TSizeClassState TKvSmartBufferManager::SizeClass(uint32_t size) const {
  std::lock_guard lock(Guard);
  for (const TSizeClass& sizeClass : Classes)
    if (sizeClass.Size == size) return {true, uint32_t(sizeClass.Free.size()), sizeClass.Countdown};
  return {};
}

int64_t TKvSmartBufferManager::AreasInUse() const {
  std::lock_guard lock(Guard);
  return InUse;
}

void* TKvPooled::operator new(std::size_t size) { return TKvSmartBufferManager::Instance().Take(uint32_t(size)); }

void TKvPooled::operator delete(void* object, std::size_t size) {
  TKvSmartBufferManager::Instance().Return(object, uint32_t(size));
}
