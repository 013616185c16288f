#include "LayoutTestClasses.h"

#include "platform/LayoutReader.h"
#include "tests/ErrorHookCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

using TRoot = std::unique_ptr<TTestRoot, TComponentDeleter>;

TRoot RootWithTwoThings() {
  TRoot root(new TTestRoot);
  root->SetName("Root");
  (new TTestThing(root.get()))->SetName("Thing1");
  (new TTestThing(root.get()))->SetName("Thing2");
  return root;
}

TEST(Component, EverythingHearsDestroyingBeforeAnythingIsDeletedNewestFirst) {
  TRoot root = RootWithTwoThings();
  TestLog().clear();
  root.reset();
  // The class name comes from a virtual call: it must still be the derived class.
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"Destroying Root TTestRoot", "Destroying Thing2 TTestThing",
                                                 "Destroying Thing1 TTestThing", "~Thing2", "~Thing1", "~Root"}));
}

TEST(Component, DeletedWithoutFreeOwnedComponentsStillHearTheFirstPhase) {
  auto* root = new TTestRoot;
  (new TTestThing(root))->SetName("A");
  TestLog().clear();
  delete root;
  // The root's own destructor has run by then (that is why Free exists), but A is still whole.
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"~", "Destroying A TTestThing", "~A"}));
}

TEST(Component, RootFieldsFollowTheirComponents) {
  TRoot root = RootWithTwoThings();
  ASSERT_NE(root->Thing1, nullptr);
  EXPECT_EQ(root->Thing1->Name(), "Thing1");
  root->Thing2->SetName("Other");
  EXPECT_EQ(root->Thing2, nullptr);
  TComponent::Free(root->Thing1);
  EXPECT_EQ(root->Thing1, nullptr);
  EXPECT_EQ(root->ComponentCount(), 1);
}

TEST(Component, ReferencesAreDroppedWhenTheirTargetGoesWhoeverOwnsIt) {
  TRoot first = RootWithTwoThings();
  TRoot second = RootWithTwoThings();
  first->Thing1->SetPeer(second->Thing1);
  first->Thing2->SetPeer(first->Thing1);
  second.reset();
  EXPECT_EQ(first->Thing1->Peer(), nullptr);
  TComponent::Free(first->Thing1);
  EXPECT_EQ(first->Thing2->Peer(), nullptr);
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwnerWhateverTheCase) {
  TRoot root = RootWithTwoThings();
  EXPECT_THROW(root->Thing2->SetName("THING1"), EComponentError);
  EXPECT_THROW(root->Thing2->SetName("2things"), EComponentError);
  EXPECT_THROW(root->Thing2->SetName("a.b"), EComponentError);
  EXPECT_EQ(root->Thing2->Name(), "Thing2");
  EXPECT_EQ(root->FindComponent("thing2"), root->Thing2);
  EXPECT_EQ(root->FindComponent("nothing"), nullptr);
}

TEST(Component, DesignModeReachesEverythingOwned) {
  TRoot root = RootWithTwoThings();
  root->SetDesigning(true);
  EXPECT_TRUE(root->Thing2->IsDesigning());
  auto* late = new TTestThing(root.get());
  EXPECT_TRUE(late->IsDesigning());
  root->SetDesigning(false);
  EXPECT_FALSE(late->IsDesigning());
}

TEST(Collection, AddedHookFirstThenListenersAndAThrowingListenersErrorGoesToTheHook) {
  const TErrorHookCapture hook;
  TTestItems items(nullptr);
  std::vector<std::string> heard;
  items.AddListener([&](TLkExtCollection&, TCollectionItem&, TCollectionNotification) {
    heard.push_back("first");
    throw std::runtime_error("listener failure");
  });
  const int second =
      items.AddListener([&](TLkExtCollection& collection, TCollectionItem& item, TCollectionNotification action) {
        const char* what = action == TCollectionNotification::cnAdded        ? "added"
                           : action == TCollectionNotification::cnExtracting ? "extracting"
                                                                             : "deleting";
        heard.push_back(std::string("second ") + what + " " + std::to_string(item.Index()) + " of " +
                        std::to_string(collection.Count()) + " hook " + std::to_string(items.Added.size()));
      });
  items.Add();
  items.Add();
  std::unique_ptr<TCollectionItem> extracted = items.Extract(items.Items(0));
  items.Delete(0);
  items.RemoveListener(second);
  items.Add();
  EXPECT_EQ(heard, (std::vector<std::string>{"first", "second added 0 of 1 hook 1", "first",
                                             "second added 1 of 2 hook 2", "first", "second extracting 0 of 2 hook 2",
                                             "first", "second deleting 0 of 1 hook 2", "first"}));
  EXPECT_EQ(extracted->Index(), -1);
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(hook.Errors(), std::vector<std::string>(5, "a collection listener: listener failure"));
}

TEST(Collection, AnItemClearsTheOutsideReferenceToItWhenDestroyed) {
  TTestItems items(nullptr);
  TTestItem* current = static_cast<TTestItem*>(&items.Add());
  current->SetReference(current);
  items.Add();
  items.Delete(0);
  EXPECT_EQ(current, nullptr);
  EXPECT_EQ(items.Count(), 1);
  EXPECT_THROW(items.Items(1), EListError);
}

TEST(Collection, ReferencesToAnItemReadAsNoneOnceItIsDeleted) {
  TTestItems items(nullptr);
  auto* first = static_cast<TTestItem*>(&items.Add());
  auto* second = static_cast<TTestItem*>(&items.Add());
  TLkItemRef<TTestItem> hovered = first;
  TLkItemRef<TTestItem> dragged = hovered;
  {
    // A reference that goes first leaves the item nothing to clear later.
    TLkItemRef<TTestItem> brief = first;
  }
  EXPECT_EQ(dragged.Get(), first);
  dragged = second;
  items.Delete(0);
  EXPECT_FALSE(hovered);
  EXPECT_EQ(hovered.Get(), nullptr);
  EXPECT_EQ(dragged.Get(), second);
  items.Clear();
  EXPECT_FALSE(dragged);
}

}  // namespace
