#pragma once
// The shell's services for rows of the result lists and for web links. win32/ asks the Windows
// shell; natively there are no icons and the actions are only recorded (posix/Capture.h). Tests
// install their own with SetShell.
#include <string_view>

namespace orv::platform {

// An icon owned by whoever received it (HICON on Windows); release it with ReleaseIcon.
using IconHandle = void*;

class Shell {
  public:
    virtual ~Shell() = default;
    // The associated 16 x 16 icon of a file or folder; null when there is none.
    virtual IconHandle AssociatedSmallIcon(std::u16string_view path) = 0;
    // The 16 x 16 icon of the file type of an extension (without dot), not looking at any
    // file; null when there is none.
    virtual IconHandle FileTypeSmallIcon(std::u16string_view extension) = 0;
    virtual void ReleaseIcon(IconHandle icon) = 0;
    // Opens one file, folder or web address with its associated program (the verb "open", no
    // parameters). False, with a debug line, for an empty text, one with a NUL character, or when
    // the shell reports a failure.
    virtual bool Open(std::u16string_view pathOrAddress) = 0;
    // Moves one file or folder to the recycle bin without asking. False, with a debug line, for
    // an empty path, one with a NUL character or a wildcard ("*", "?"; the shell would expand
    // them), or when the move fails or is cut short.
    virtual bool MoveToRecycleBin(std::u16string_view path) = 0;
};

Shell& Shl();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetShell(Shell* replacement);
Shell& DefaultShell();

}  // namespace orv::platform
