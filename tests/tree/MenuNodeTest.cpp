#include "tree/MenuNode.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {
namespace {

int makerCalls = 0;

void MakeTwoCommands(MenuNode& node) {
    ++makerCalls;
    node.Append("Open", -1, Command::OpenLink);
    node.Append("Copy", -1, Command::CopyLink);
}

bool failNextMaker = false;
void MakeOrFailHalfway(MenuNode& node) {
    node.Append("Open", -1, Command::OpenLink);
    if (failNextMaker) {
        failNextMaker = false;
        throw std::runtime_error("out of memory");
    }
    node.Append("Copy", -1, Command::CopyLink);
}

std::vector<std::string> Captions(const MenuNode& node) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < node.Count(); ++i)
        captions.push_back(node.Child(i).caption);
    return captions;
}

TEST(MenuNodeDeferredChildrenTest, AreMadeOnceOnFirstAccessAndLookLikeAnyOthers) {
    makerCalls = 0;
    const long before = MenuNode::LiveCount();
    MenuNode entry("Entry", -1);
    entry.DeferChildren(&MakeTwoCommands);

    EXPECT_TRUE(entry.HasChildren());      // a popup menu shows the submenu arrow
    EXPECT_FALSE(entry.HasMadeChildren()); // but nothing is made yet
    EXPECT_EQ(MenuNode::LiveCount() - before, 1);
    EXPECT_EQ(makerCalls, 0);

    EXPECT_EQ(Captions(entry), (std::vector<std::string>{"Open", "Copy"}));
    EXPECT_EQ(entry.Child(1).Parent(), &entry);
    EXPECT_EQ(entry.Child(1).IndexInParent(), 1);
    EXPECT_EQ(entry.Count(), 2u);
    EXPECT_EQ(makerCalls, 1);
    EXPECT_TRUE(entry.HasMadeChildren());
}

TEST(MenuNodeDeferredChildrenTest, ChangingTheChildrenMakesTheDeferredOnesFirst) {
    MenuNode appended("A", -1);
    appended.DeferChildren(&MakeTwoCommands);
    appended.Append("entry", -1);
    EXPECT_EQ(Captions(appended), (std::vector<std::string>{"Open", "Copy", "entry"}));

    MenuNode moved("M", -1);
    moved.DeferChildren(&MakeTwoCommands);
    moved.Move(0, 1);
    EXPECT_EQ(Captions(moved), (std::vector<std::string>{"Copy", "Open"}));

    MenuNode cleared("C", -1);
    cleared.DeferChildren(&MakeTwoCommands);
    cleared.Clear();
    EXPECT_FALSE(cleared.HasChildren());
    EXPECT_EQ(cleared.Count(), 0u);

    MenuNode twice("T", -1);
    twice.DeferChildren(&MakeTwoCommands);
    EXPECT_THROW(twice.DeferChildren(&MakeTwoCommands), std::logic_error);
    twice.Count();
    EXPECT_THROW(twice.DeferChildren(&MakeTwoCommands), std::logic_error);
}

TEST(MenuNodeDeferredChildrenTest, AMakerThatFailsLeavesNothingHalfMadeAndIsTriedAgain) {
    const long before = MenuNode::LiveCount();
    {
        MenuNode entry("Entry", -1);
        entry.DeferChildren(&MakeOrFailHalfway);
        failNextMaker = true;
        EXPECT_THROW(entry.Count(), std::runtime_error);
        EXPECT_FALSE(entry.HasMadeChildren());
        EXPECT_TRUE(entry.HasChildren());
        EXPECT_EQ(Captions(entry), (std::vector<std::string>{"Open", "Copy"}));
    }
    EXPECT_EQ(MenuNode::LiveCount(), before);
}

TEST(MenuNodeDeferredChildrenTest, FindByLayoutNameDoesNotMakeThem) {
    MenuNode root("root", -1);
    MenuNode& fixed = root.Append("Fixed", -1);
    fixed.name = "PopupMenuFixed";
    MenuNode& entry = root.Append("Entry", -1);
    entry.DeferChildren(&MakeTwoCommands);
    EXPECT_EQ(root.Find("PopupMenuFixed"), &fixed);
    EXPECT_EQ(root.Find("nowhere"), nullptr);
    EXPECT_FALSE(entry.HasMadeChildren());
}

} // namespace
} // namespace vantrel
