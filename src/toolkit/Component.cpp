#include "toolkit/Component.h"

#include <algorithm>

#include "core/Text.h"

namespace orv::toolkit {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    for (TComponent* c : children_) c->parent_ = nullptr;
    children_.clear();
    if (parent_ != nullptr) Remove(parent_->children_, this);
    if (owner_ != nullptr) Remove(owner_->owned_, this);
}

void TComponent::DestroyComponents() {
    while (!owned_.empty()) {
        TComponent* c = owned_.back();
        owned_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
}

TComponent* TComponent::FindComponent(std::u16string_view name) const {
    for (TComponent* c : owned_) {
        if (EqualsIgnoreCaseAscii(c->name_, name)) return c;
    }
    return nullptr;
}

void TComponent::SetParent(TComponent* parent) {
    if (parent == parent_) return;
    // A component cannot be shown inside itself or inside one of its own children.
    for (TComponent* p = parent; p != nullptr; p = p->parent_) {
        if (p == this) return;
    }
    if (parent_ != nullptr) Remove(parent_->children_, this);
    parent_ = parent;
    if (parent_ != nullptr) parent_->children_.push_back(this);
}

void TComponent::Remove(std::vector<TComponent*>& list, TComponent* c) {
    const auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end()) list.erase(it);
}

}  // namespace orv::toolkit
