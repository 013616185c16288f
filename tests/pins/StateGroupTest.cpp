#include "PinLayoutKit.h"

#include "pins/LkStdTypes.h"
#include "platform/LayoutReader.h"
#include "platform/LayoutWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using TOwned = std::unique_ptr<TTestComponent, TComponentDeleter>;

// A component named Name under a root named Root, with boolean state pins.
struct TStateOwner {
  TOwned Root{new TTestComponent};
  TTestComponent* Node;
  std::vector<TLkPinPtr<TLkBoolStatePin>> Pins;
  std::vector<std::vector<bool>> Heard;
  explicit TStateOwner(const char* root) : Node(new TTestComponent(Root.get())) {
    Root->SetName(root);
    Node->SetName("Node");
  }
  TLkBoolStatePin& Add() {
    const size_t index = Pins.size();
    Heard.emplace_back();
    Pins.emplace_back(
        new TLkBoolStatePin(Node, [this, index](TLkBasicPin*, bool value) { Heard[index].push_back(value); }));
    return *Pins.back();
  }
};

TEST(StateGroup, GroupsAreNamedAfterTheRootAndNumberedFromOne) {
  TStateOwner owner("Form1");
  TLkBoolStatePin& a = owner.Add();
  TLkBoolStatePin& b = owner.Add();
  TLkBoolStatePin& c = owner.Add();
  TLkBoolStatePin& d = owner.Add();
  ASSERT_TRUE(a.JoinState(&b));
  ASSERT_TRUE(c.JoinState(&d));
  EXPECT_EQ(a.Dispatcher()->Name(), "Form1Link1");
  EXPECT_EQ(c.Dispatcher()->Name(), "Form1Link2");
  EXPECT_TRUE(a.IsGroupedWith(&b));
  EXPECT_FALSE(a.IsGroupedWith(&c));
  // A group made at design time is counted on its own.
  owner.Root->SetDesigning(true);
  TLkBoolStatePin& e = owner.Add();
  TLkBoolStatePin& f = owner.Add();
  ASSERT_TRUE(e.JoinState(&f));
  EXPECT_EQ(e.Dispatcher()->Name(), "Form1Link1");
}

TEST(StateGroup, AGroupLeftWithOneMemberDissolves) {
  TStateOwner owner("Form1");
  TLkBoolStatePin& a = owner.Add();
  TLkBoolStatePin& b = owner.Add();
  TLkBoolStatePin& c = owner.Add();
  ASSERT_TRUE(a.JoinState(&b));
  ASSERT_TRUE(a.JoinState(&c));
  const std::string name = a.Dispatcher()->Name();
  EXPECT_EQ(a.Dispatcher()->GetMemberCount(), 3);
  b.LeaveGroup();
  EXPECT_EQ(a.Dispatcher()->GetMemberCount(), 2);
  owner.Pins[2].reset();  // c goes
  EXPECT_FALSE(a.IsStateLinked());
  EXPECT_EQ(TLkStateDispatcher::Find(name, false), nullptr);
}

TEST(StateGroup, AJoiningPinLearnsTheGroupsValueAtOnceAndChangesTravel) {
  TStateOwner owner("Form1");
  TLkBoolStatePin& a = owner.Add();
  TLkBoolStatePin& b = owner.Add();
  ASSERT_TRUE(a.JoinState(&b));
  a.SetValue(true);
  EXPECT_TRUE(b.Value());
  TLkBoolStatePin& late = owner.Add();
  ASSERT_TRUE(late.JoinState(&a));
  EXPECT_TRUE(late.Value());
  // Each member that holds state tells the newcomer.
  EXPECT_EQ(owner.Heard[2], (std::vector<bool>{true, true}));
  // Setting the value it already has sends nothing.
  const size_t heard = owner.Heard[1].size();
  a.SetValue(true);
  EXPECT_EQ(owner.Heard[1].size(), heard);
  late.SetValue(false);
  EXPECT_FALSE(a.Value());
  EXPECT_FALSE(b.Value());
}

TEST(StateGroup, AFloatStateReachesAnIntegerPinRoundedToEven) {
  TOwned owner(new TTestComponent);
  owner->SetName("Form1");
  std::vector<int32_t> received;
  TLkPinPtr<TLkFloatIntStatePin> state(new TLkFloatIntStatePin(owner.get(), nullptr));
  TLkPinPtr<TLkIntegerSinkPin> integer(
      new TLkIntegerSinkPin(owner.get(), nullptr, [&](TLkBasicPin*, int32_t value) { received.push_back(value); }));
  ASSERT_TRUE(state->JoinState(integer.get()));
  for (float value : {2.5f, 3.5f, -2.5f, 1e10f, -1e10f}) state->SetValue(value);
  state->SetValue(NAN);
  state->SetValue(NAN);   // NaN again: unchanged
  state->SetValue(7.0f);  // a number after NaN is a change
  EXPECT_EQ(received, (std::vector<int32_t>{0, 2, 4, -2, INT32_MAX, INT32_MIN, 0, 7}));
}

TEST(StateGroup, StateIsWrittenAndReadAcrossTwoRoots) {
  RegisterPinLayoutClasses();
  auto make = [](const char* root) {
    std::unique_ptr<TTestLinkRoot, TComponentDeleter> form(new TTestLinkRoot);
    form->SetName(root);
    (new TTestNode(form.get()))->SetName("Node");
    return form;
  };
  auto node = [](auto& form) { return dynamic_cast<TTestNode*>(form->FindComponent("Node")); };
  std::string first, second;
  {
    auto one = make("Form1");
    auto two = make("Form2");
    ASSERT_TRUE(node(one)->StatePin()->JoinState(node(two)->StatePin()));
    node(one)->StatePin()->SetValue(true);
    first = TLayoutWriter::WriteRoot(*one);
    second = TLayoutWriter::WriteRoot(*two);
  }
  EXPECT_NE(first.find("    StatePin.State = (\n      'Form1Link1'\n      Form2.Node.StatePin)"), std::string::npos)
      << first;
  EXPECT_NE(second.find("    StatePin.State = (\n      'Form1Link1'\n      Form1.Node.StatePin)"), std::string::npos)
      << second;
  std::unique_ptr<TTestLinkRoot, TComponentDeleter> one(new TTestLinkRoot), two(new TTestLinkRoot);
  TLayoutReader::ReadRoot(*one, first);
  TLayoutReader::ReadRoot(*two, second);
  EXPECT_TRUE(node(one)->StatePin()->IsGroupedWith(node(two)->StatePin()));
  EXPECT_EQ(node(one)->StatePin()->Dispatcher()->Name(), "Form1Link1");
  node(two)->StatePin()->SetValue(true);
  EXPECT_TRUE(node(one)->StatePin()->Value());
}

}  // namespace
