#pragma once
// The component model every window is built from. A component has a Name, a Tag, an owner
// that destroys it, a parent it is shown in, a class name, and the text slots that
// translation writes. A slot accessor answers null for a kind that has no such slot.
//
// Owned components are created with their owner and belong to it: `new TLabel(form)`.
// Destroying a component destroys what it owns, last created first, and detaches its
// children; a component destroyed on its own leaves its owner's and parent's lists.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv::toolkit {

// Single texts that translation may set.
enum class TTextSlotKind {
    Caption,            // a control's caption
    MarkupText,         // the whole mark-up text of a mark-up label, all lines
    CaptionObjectText,  // the text of a label's caption object
    HeaderFontName,     // the font name of a column header
};

// Lists of texts that translation may set item by item.
enum class TListSlotKind {
    TabCaptions,
    ColumnCaptions,
};

class TTextSlot {
  public:
    virtual ~TTextSlot() = default;
    virtual std::u16string Get() const = 0;
    virtual void Set(std::u16string_view text) = 0;
};

class TListSlot {
  public:
    virtual ~TListSlot() = default;
    virtual size_t Count() const = 0;
    virtual std::u16string Get(size_t index) const = 0;
    virtual void Set(size_t index, std::u16string_view text) = 0;
};

// A text held by the component itself; changed() runs after every Set.
class TStringSlot final : public TTextSlot {
  public:
    explicit TStringSlot(std::function<void()> changed = {}) : changed_(std::move(changed)) {}
    std::u16string Get() const override { return value_; }
    void Set(std::u16string_view text) override {
        value_.assign(text);
        if (changed_) changed_();
    }
    const std::u16string& Value() const { return value_; }

  private:
    std::u16string value_;
    std::function<void()> changed_;
};

class TComponent {
  public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The name of the kind ("TVirtualDrawTree"): exactly this kind, not a base of it.
    virtual std::u16string_view ClassName() const { return u"TComponent"; }

    const std::u16string& Name() const { return name_; }
    void SetName(std::u16string_view name) { name_.assign(name); }
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    // Ownership, in the order the owned components were created.
    TComponent* Owner() const { return owner_; }
    size_t ComponentCount() const { return owned_.size(); }
    TComponent* Component(size_t index) const { return owned_[index]; }
    // The owned component of that name, ignoring ASCII case; null when there is none.
    TComponent* FindComponent(std::u16string_view name) const;
    // Destroys every owned component now, last created first.
    void DestroyComponents();

    // The component this one is shown in; children in the order they were parented.
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent);
    size_t ChildCount() const { return children_.size(); }
    TComponent* Child(size_t index) const { return children_[index]; }

    // Translation slots; null when this kind has none.
    virtual TTextSlot* TextSlot(TTextSlotKind) { return nullptr; }
    virtual TListSlot* ListSlot(TListSlotKind) { return nullptr; }
    // Shows the component's current texts again (a text button after translation).
    virtual void Repaint() {}

  private:
    void Remove(std::vector<TComponent*>& list, TComponent* c);

    std::u16string name_;
    int32_t tag_ = 0;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> owned_;
    TComponent* parent_ = nullptr;
    std::vector<TComponent*> children_;
};

}  // namespace orv::toolkit
