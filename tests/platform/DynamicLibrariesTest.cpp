#include "platform/DynamicLibraries.h"

#include <gtest/gtest.h>

namespace {

const std::string Alsa = "libasound.so.2";

TEST(DynamicLibraries, NamesThatDifferOnlyInCaseShareOneLoad) {
  void* handle = DynamicLibraries::Load(Alsa);
  ASSERT_NE(handle, nullptr);
  // No file of that name exists: only the lower-cased key finds the library already loaded.
  EXPECT_EQ(DynamicLibraries::Load("LIBASOUND.SO.2"), handle);
  EXPECT_EQ(DynamicLibraries::Load("LibAsound.so.2"), handle);
}

TEST(DynamicLibraries, EntryPointIsFoundByName) {
  EXPECT_NE(DynamicLibraries::EntryPoint(Alsa, "snd_pcm_open"), nullptr);
  EXPECT_NE(DynamicLibraries::EntryPoint("LIBASOUND.so.2", "snd_pcm_close"), nullptr);
}

TEST(DynamicLibraries, MissingLibraryOrEntryPointNamesTheLibrary) {
  struct Case {
    std::string Library;
    const char* Entry;
  };
  for (const Case& c : {Case{"libnotthere.so.7", "snd_pcm_open"}, Case{Alsa, "no_such_entry_point"}}) {
    try {
      DynamicLibraries::EntryPoint(c.Library, c.Entry);
      ADD_FAILURE() << c.Library << " " << c.Entry << " was found";
    } catch (const ELibraryNotLoaded& error) {
      EXPECT_EQ(std::string(error.what()), c.Library + " is not loaded");
    }
  }
}

TEST(DynamicLibraries, AFailedLoadIsNotRemembered) {
  EXPECT_THROW(DynamicLibraries::Load("libnotthere.so.7"), ELibraryNotLoaded);
  EXPECT_THROW(DynamicLibraries::Load("LIBNOTTHERE.so.7"), ELibraryNotLoaded);
}

}  // namespace
