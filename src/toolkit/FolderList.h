#pragma once
// The folder list as far as it is portable: the current directory of a drive ("C:\" at the root,
// otherwise without trailing backslash), shown as its ancestors from the drive root down, the
// current folder, and its sub-folders in name order, each indented one level deeper. Opening an
// entry (a double click) makes it the current directory. The sub-folders come from the platform's
// Files.
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"

namespace orv::toolkit {

struct TFolderEntry {
    enum TKind { Ancestor, Current, Child };
    std::u16string Name;  // "C:\" for the root
    std::u16string Path;  // full path, root with its backslash
    int Level = 0;
    TKind Kind = Child;
};

class TFolderList : public TComponent {
  public:
    class TView {
      public:
        virtual ~TView() = default;
        virtual void EntriesChanged() = 0;
    };

    explicit TFolderList(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TDirectoryListBox"; }
    void SetView(TView* view) { view_ = view; }

    // "c:/a/b\\" -> "C:\a\b", "d:" -> "D:\"; empty for a path that does not begin with a drive
    // letter and a colon.
    static std::u16string NormalDirectory(std::u16string_view path);

    const std::u16string& Directory() const { return directory_; }
    // False, with a debug line and nothing changed, for a path that is not a drive path or not
    // an existing folder. Reading the same directory again refreshes the sub-folders without
    // OnChange.
    bool SetDirectory(std::u16string_view path);
    // The drive letter of the directory, 0 before any.
    char16_t Drive() const { return directory_.empty() ? char16_t{0} : directory_[0]; }
    // Goes to the root of that drive.
    bool SetDrive(char16_t letter);

    int Count() const { return static_cast<int>(entries_.size()); }
    // An empty entry for an index outside the list.
    const TFolderEntry& Entry(int index) const;
    // The entry of the current directory; -1 before any.
    int CurrentIndex() const;
    // Makes the entry's folder the current directory (double click, Enter).
    bool Open(int index);

    // The current directory changed.
    TNotifyEvent OnChange;

  private:
    void Rebuild();

    TView* view_ = nullptr;
    std::u16string directory_;
    std::vector<TFolderEntry> entries_;
};

}  // namespace orv::toolkit
