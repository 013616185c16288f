#include "buffers/KvSimpleDataBuffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace {

// A file descriptor closed when it goes.
class TFile {
public:
  TFile(const std::string& name, int flags, const char* failure) : Descriptor(::open(name.c_str(), flags, 0666)) {
    if (Descriptor < 0) Fail(failure, name);
  }
  ~TFile() {
    if (Descriptor >= 0) ::close(Descriptor);
  }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  [[noreturn]] static void Fail(const char* what, const std::string& name) {
    throw EFileError(std::string(what) + " \"" + name + "\". " + std::strerror(errno));
  }

  uint64_t Size(const std::string& name) const {
    struct stat status {};
    if (::fstat(Descriptor, &status) != 0) Fail("Cannot read file", name);
    return uint64_t(status.st_size);
  }

  // Reads into or writes from `data` all `bytes`, or raises EFileError naming what happened.
  template <class Byte>
  void Transfer(const std::string& name, Byte* data, uint32_t bytes) {
    constexpr bool reading = !std::is_const_v<Byte>;
    while (bytes > 0) {
      ssize_t done;
      if constexpr (reading) done = ::read(Descriptor, data, bytes);
      else done = ::write(Descriptor, data, bytes);
      if (done < 0 && errno == EINTR) continue;
      if (done < 0) Fail(reading ? "Cannot read file" : "Cannot write file", name);
      if (done == 0) throw EFileError("File \"" + name + "\" ended before the buffer was full");
      data += done;
      bytes -= uint32_t(done);
    }
  }

  void Close(const std::string& name) {
    const int descriptor = std::exchange(Descriptor, -1);
    if (::close(descriptor) != 0) Fail("Cannot write file", name);
  }

private:
  int Descriptor;
};

}  // namespace

void TKvGenericBuffer::SaveToFile(const std::string& fileName) {
  TFile file(fileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, "Cannot create file");
  file.Transfer(fileName, static_cast<const uint8_t*>(Read()), GetSize());
  file.Close(fileName);
}

void TKvGenericBuffer::LoadFromFile(const std::string& fileName) {
  TFile file(fileName, O_RDONLY | O_CLOEXEC, "Cannot open file");
  const uint32_t bytes = GetSize();
  if (const uint64_t held = file.Size(fileName); held < bytes)
    throw EFileError("File \"" + fileName + "\" holds " + std::to_string(held) + " bytes; the buffer needs " +
                     std::to_string(bytes));
  // Read into a block of its own, which replaces this buffer's only once every byte is in: a
  // failure leaves the buffer as it was. The samples start where they start in this block.
  const uint32_t offset = uint32_t(Data - Block_->Data());
  auto deleteUnused = [](TKvSmartBuffer* block) { delete block; };
  std::unique_ptr<TKvSmartBuffer, decltype(deleteUnused)> fresh(Block_->Duplicate(offset), deleteUnused);
  file.Transfer(fileName, fresh->Data() + offset, bytes);
  ReplaceBlock(fresh.release());
}
