#include "tree/MenuNode.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vantrel {

MenuNode::MenuNode() { ++liveCount_; }

MenuNode::MenuNode(std::string caption_, int imageIndex_, Command command_)
    : caption(std::move(caption_)), imageIndex(imageIndex_), command(command_) {
    ++liveCount_;
}

MenuNode::~MenuNode() { --liveCount_; }

void MenuNode::SetTag(std::unique_ptr<LinkEntry> entry) {
    changes_ += IsUserEntry() || IsUserEntry(entry.get());
    tag_ = std::move(entry);
}

void MenuNode::ReleaseTag() {
    changes_ += IsUserEntry();
    tag_.reset();
}

int MenuNode::IndexInParent() const {
    if (!parent_)
        return -1;
    for (std::size_t i = 0; i < parent_->children_.size(); ++i)
        if (parent_->children_[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

void MenuNode::DeferChildren(ChildMaker maker) {
    if (!children_.empty() || maker_)
        throw std::logic_error("MenuNode::DeferChildren: the node already has children");
    maker_ = maker;
}

void MenuNode::MakeDeferredChildrenNow() const {
    const ChildMaker maker = maker_;
    maker_ = nullptr;
    // Nodes are never created const, so the maker may change this one.
    auto& self = const_cast<MenuNode&>(*this);
    try {
        maker(self);
    } catch (...) {
        // All or nothing: the next access tries again.
        children_.clear();
        maker_ = maker;
        throw;
    }
}

MenuNode& MenuNode::Append(std::unique_ptr<MenuNode> child) {
    if (!child)
        throw std::invalid_argument("MenuNode::Append: null child");
    MakeDeferredChildren();
    child->parent_ = this;
    changes_ += child->IsUserEntry();
    children_.push_back(std::move(child));
    return *children_.back();
}

MenuNode& MenuNode::Append(std::string caption_, int imageIndex_, Command command_) {
    return Append(std::make_unique<MenuNode>(std::move(caption_), imageIndex_, command_));
}

void MenuNode::Move(std::size_t from, std::size_t to) {
    MakeDeferredChildren();
    if (from >= children_.size() || to >= children_.size())
        throw std::out_of_range("MenuNode::Move");
    auto node = std::move(children_[from]);
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(from));
    changes_ += node->IsUserEntry();
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(to), std::move(node));
}

std::unique_ptr<MenuNode> MenuNode::Remove(MenuNode& child) {
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == &child) {
            auto node = std::move(*it);
            children_.erase(it);
            node->parent_ = nullptr;
            changes_ += node->IsUserEntry();
            return node;
        }
    }
    return nullptr;
}

bool MenuNode::HoldsUserEntries() const {
    return std::any_of(children_.begin(), children_.end(),
                       [](const auto& child) { return child->IsUserEntry(); });
}

void MenuNode::Clear() {
    maker_ = nullptr;
    changes_ += HoldsUserEntries();
    children_.clear();
}

std::vector<std::unique_ptr<MenuNode>> MenuNode::TakeChildren() {
    MakeDeferredChildren();
    changes_ += HoldsUserEntries();
    std::vector<std::unique_ptr<MenuNode>> taken = std::move(children_);
    children_.clear();
    for (auto& child : taken)
        child->parent_ = nullptr;
    return taken;
}

MenuNode* MenuNode::Find(const std::string& layoutName) {
    if (name == layoutName)
        return this;
    for (auto& child : children_)
        if (MenuNode* found = child->Find(layoutName))
            return found;
    return nullptr;
}

} // namespace vantrel
