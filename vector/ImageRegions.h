#pragma once

#include "vector/PrimitiveTypes.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

// Walking the one-channel regions of the image primitives: a pointer to the first element, a step
// in bytes from one row to the next (any sign, unless the primitive checks it) and a size.
namespace Primitives {
namespace [[gnu::visibility("hidden")]] Own {

// Rows sit at byte steps, so an element need not be aligned to its size.
template <class T>
T Load(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof(T));
  return value;
}
template <class T>
void Store(unsigned char* at, T value) {
  std::memcpy(at, &value, sizeof(T));
}

// The first byte of row y.
template <class T>
auto* Row(T* image, int step, int y) {
  using Byte = std::conditional_t<std::is_const_v<T>, const unsigned char, unsigned char>;
  return reinterpret_cast<Byte*>(image) + std::ptrdiff_t(y) * step;
}

// dst = map(src) element by element; src and dst may be the same region.
template <class S, class D, class Map>
void MapRegion(const S* pSrc, int srcStep, D* pDst, int dstStep, IppiSize roiSize, Map map) {
  for (int y = 0; y < roiSize.height; ++y) {
    const unsigned char* src = Row(pSrc, srcStep, y);
    unsigned char* dst = Row(pDst, dstStep, y);
    for (std::size_t x = 0; x < std::size_t(roiSize.width); ++x)
      Store<D>(dst + x * sizeof(D), map(Load<S>(src + x * sizeof(S))));
  }
}

// Copies `rowBytes` bytes from each of the region's rows.
template <class S, class D>
void CopyRows(const S* pSrc, int srcStep, D* pDst, int dstStep, int height, std::size_t rowBytes) {
  for (int y = 0; y < height; ++y) std::memcpy(Row(pDst, dstStep, y), Row(pSrc, srcStep, y), rowBytes);
}

// srcDst = combine(srcDst, src) element by element.
template <class T, class Combine>
void CombineRegion(const T* pSrc, int srcStep, T* pSrcDst, int srcDstStep, IppiSize roiSize, Combine combine) {
  for (int y = 0; y < roiSize.height; ++y) {
    const unsigned char* src = Row(pSrc, srcStep, y);
    unsigned char* dst = Row(pSrcDst, srcDstStep, y);
    for (std::size_t x = 0; x < std::size_t(roiSize.width) * sizeof(T); x += sizeof(T))
      Store<T>(dst + x, combine(Load<T>(dst + x), Load<T>(src + x)));
  }
}

}  // namespace Own
}  // namespace Primitives
