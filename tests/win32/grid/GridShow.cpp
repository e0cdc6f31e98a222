// Shows the result list with a few hundred rows of real files and folders in a window, for
// a person to look at: grid_show [seconds] [name bar 0|1|2] [width] [height]. Ends after
// the given time or when the window is closed.
#include <windows.h>
// After windows.h, which it builds on.
#include <objbase.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "analysis/VTree_Kram.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/VirtualDrawTreeWindow.h"

using namespace orv;
using namespace orv::analysis;
using orv::toolkit::win32::THostWindow;
using orv::toolkit::win32::TVirtualDrawTreeWindow;

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    const int bar = argc > 2 ? std::atoi(argv[2]) : 2;
    const int width = argc > 3 ? std::atoi(argv[3]) : 900;
    const int height = argc > 4 ? std::atoi(argv[4]) : 600;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    ResultTree tree;
    int64_t total = 0;
    tree.BeginUpdate();
    int n = 0;
    for (const wchar_t* dir : {L"C:\\windows", L"C:\\windows\\system32"}) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((std::wstring(dir) + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (fd.cFileName[0] == L'.') continue;
            const std::wstring full = std::wstring(dir) + L"\\" + fd.cFileName;
            TSizeNode row;
            row.FullPath.assign(full.begin(), full.end());
            row.IsFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            row.Size = row.IsFolder
                           ? static_cast<int64_t>(n % 37) * 7340032 + 1024 * n
                           : (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            row.Folders = row.IsFolder ? static_cast<uint32_t>(n % 12) : 0;
            row.Files = row.IsFolder ? static_cast<uint32_t>(n * 7 % 400) : 0;
            total += row.Size;
            tree.AddChild(kNoNode, row);
            ++n;
        } while (FindNextFileW(h, &fd) && n < 400);
        FindClose(h);
    }
    // Equal sizes and the extremes of the size texts.
    for (int64_t size : {int64_t{0}, int64_t{1023}, int64_t{1048575}, int64_t{5} << 40}) {
        TSizeNode row;
        row.FullPath =
            u"C:\\Samples\\size " + std::u16string(u"of a sample file with a long name.bin");
        row.Size = size;
        total += size;
        tree.AddChild(kNoNode, row);
    }
    tree.EndUpdate();

    THostWindow frame;
    frame.CreateTopLevel(L"Orvella grid", width, height);
    TVirtualDrawTreeWindow grid;
    for (auto [text, width] : {std::pair{u"Name", 236},
                               {u"Ordner", 68},
                               {u"Dateien", 68},
                               {u"Größe", 80},
                               {u"Größe % ", 92},
                               {u"Ordnergröße %", 120}}) {
        grid.AddColumn(text, width);
    }
    grid.SetSortColumn(4);
    grid.CreateWindowIn(frame.Handle(), 0, 0, width, height);
    grid.SetTree(&tree);
    TShellIconCache icons;
    TRowDrawState state;
    state.TotalSize = total;
    state.NameBalken = bar;
    state.HasCurrentRoot = true;
    state.CurrentRootSize = total / 2;
    state.IconCache = &icons;
    grid.OnDrawNode = [&](toolkit::TVirtualDrawTree&, toolkit::TPaintInfo& info) {
        DrawNode(state, tree, info);
    };
    grid.OnMakeComparer = [&](toolkit::TVirtualDrawTree&, int column) {
        return MakeNodeComparer(tree, column);
    };
    grid.OnMakeSortKeys = [&](toolkit::TVirtualDrawTree&, int column) {
        return MakeSortKeys(tree, column);
    };
    grid.OnHeaderClick = TVTree_DefaultEvents::OnHeaderClick;
    grid.SortTree(4, toolkit::TSortDirection::Ascending);
    frame.OnResized = [&](int w, int h) {
        MoveWindow(grid.Handle(), 0, 0, w, h, TRUE);
        Fit_Columns(&grid, {0});
    };
    Fit_Columns(&grid, {0});
    for (size_t r : {1u, 2u, 3u, 6u}) grid.SetSelected(grid.RowAt(r), true);
    bool closed = false;
    frame.OnClosed = [&] { closed = true; };
    ShowWindow(frame.Handle(), SW_SHOW);
    SetFocus(grid.Handle());

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (!closed && GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
