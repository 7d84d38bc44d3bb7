#pragma once
// A menu item as a plain node: the user's tree lives inside the menus, so the node carries
// everything a popup menu needs (caption, picture, state) and, for entries, the record.

#include "tree/Command.h"
#include "tree/LinkEntry.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

class MenuNode {
public:
    MenuNode();
    MenuNode(std::string caption, int imageIndex, Command command = Command::None);
    MenuNode(const MenuNode&) = delete;
    MenuNode& operator=(const MenuNode&) = delete;
    ~MenuNode();

    std::string name;    // the form layout's name ("PopupMenuRun"); empty for run-time items
    std::string caption; // "-" makes a separator
    int imageIndex = -1; // even index into the main image list; -1: the record's own pixels
    Command command = Command::None;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    int shortcut = 0; // 0: none

    bool IsSeparator() const { return caption == "-"; }

    // The record of an entry; null for fixed items, action submenus and commands.
    LinkEntry* Tag() const { return tag_.get(); }
    void SetTag(std::unique_ptr<LinkEntry> entry);
    void ReleaseTag();

    MenuNode* Parent() const { return parent_; }
    std::size_t Count() const {
        MakeDeferredChildren();
        return children_.size();
    }
    bool HasChildren() const { return maker_ != nullptr || !children_.empty(); }
    MenuNode& Child(std::size_t index) const {
        MakeDeferredChildren();
        return *children_.at(index);
    }

    // Children that are the same for every entry of a kind (its command submenus) can be left
    // to be made on first use: a large tree would otherwise hold eight or more nodes per entry
    // that are never opened. Any access to the children makes them first, so callers see no
    // difference. Only a node without children may defer them.
    using ChildMaker = void (*)(MenuNode&);
    void DeferChildren(ChildMaker maker);
    // Children made so far, without making deferred ones. Deferred children are commands,
    // never entries, so walks over the user's entries need not make them.
    bool HasMadeChildren() const { return !children_.empty(); }
    // Position among the parent's children; -1 without a parent.
    int IndexInParent() const;

    MenuNode& Append(std::unique_ptr<MenuNode> child);
    MenuNode& Append(std::string caption, int imageIndex, Command command = Command::None);
    // Room for this many children without reallocating.
    void Reserve(std::size_t count) {
        MakeDeferredChildren();
        children_.reserve(count);
    }
    void Move(std::size_t from, std::size_t to);
    std::unique_ptr<MenuNode> Remove(MenuNode& child);
    void Clear(); // destroys every child (records included)
    // Hands every child over, each without a parent, and keeps none.
    std::vector<std::unique_ptr<MenuNode>> TakeChildren();

    // First node at or below this one with the given layout name; null when none.
    MenuNode* Find(const std::string& layoutName);

    // Menu nodes alive in the process, for leak tests.
    static long LiveCount() { return liveCount_; }
    // Counts the changes to the user's entries: a node gaining, losing or reordering them, or
    // an entry taking or releasing its record, counts itself; whoever rewrites an entry's
    // texts calls TextsChanged. Nodes without a record (commands, separators) and the rows
    // of the generated menus, made again at every click, do not count. Whoever keeps
    // something of the entries between two calls (Find) tells by it that it must look again.
    // Nodes are made and changed on the user-interface thread only.
    static unsigned Changes() { return changes_; }
    static void TextsChanged() { ++changes_; }

private:
    static bool IsUserEntry(const LinkEntry* record) {
        return record && record->kind != LinkKindDrive && record->kind != LinkKindSystem;
    }
    bool IsUserEntry() const { return IsUserEntry(tag_.get()); }
    bool HoldsUserEntries() const; // among its children
    void MakeDeferredChildren() const {
        if (maker_)
            MakeDeferredChildrenNow();
    }
    void MakeDeferredChildrenNow() const;

    MenuNode* parent_ = nullptr;
    std::unique_ptr<LinkEntry> tag_;
    // Mutable: making deferred children on first access does not change what the node holds.
    mutable ChildMaker maker_ = nullptr;
    mutable std::vector<std::unique_ptr<MenuNode>> children_;
    static inline long liveCount_ = 0;
    static inline unsigned changes_ = 0;
};

} // namespace vantrel
