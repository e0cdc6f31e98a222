// Painting a full screen of the result list: a 1000 x 800 grid with all six columns, shell
// icons of real files and folders, share bars, scrolled by a screen between frames. Prints
// the median time of a frame with an icon lookup per cell, with the icon cache, and without
// icons (the drawing alone).
#include <windows.h>
// After windows.h, which it builds on.
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "analysis/VTree_Kram.h"
#include "platform/Shell.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/VirtualDrawTreeWindow.h"

using namespace orv;
using namespace orv::analysis;
using orv::toolkit::win32::THostWindow;
using orv::toolkit::win32::TVirtualDrawTreeWindow;

namespace {

struct Entry {
    std::u16string path;
    bool folder;
};

// Files and folders of the system folders: programs with icons of their own, libraries,
// texts and folders, as a drive listing has them.
std::vector<Entry> RealEntries() {
    std::vector<Entry> out;
    for (const wchar_t* dir : {L"C:\\windows\\system32", L"C:\\windows", L"C:\\windows\\Fonts"}) {
        WIN32_FIND_DATAW fd;
        const std::wstring pattern = std::wstring(dir) + L"\\*";
        HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (fd.cFileName[0] == L'.') continue;
            std::wstring full = std::wstring(dir) + L"\\" + fd.cFileName;
            out.push_back({std::u16string(full.begin(), full.end()),
                           (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileW(h, &fd) && out.size() < 3000);
        FindClose(h);
    }
    return out;
}

// For the figure without icons: the drawing alone.
class NoIcons : public platform::Shell {
  public:
    platform::IconHandle AssociatedSmallIcon(std::u16string_view) override { return nullptr; }
    platform::IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(platform::IconHandle) override {}
    bool Open(std::u16string_view) override { return false; }
    bool MoveToRecycleBin(std::u16string_view) override { return false; }
};

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 60;
    const size_t rows = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const std::vector<Entry> entries = RealEntries();
    if (entries.empty()) {
        std::printf("no files found under C:\\windows\n");
        return 1;
    }
    ResultTree tree;
    int64_t total = 0;
    tree.BeginUpdate();
    for (size_t i = 0; i < rows; ++i) {
        const Entry& e = entries[i % entries.size()];
        TSizeNode row;
        row.FullPath = e.path;
        row.IsFolder = e.folder;
        row.Size = static_cast<int64_t>((i * 7919) % 100000) * 1024;
        row.Folders = e.folder ? static_cast<uint32_t>(i % 40) : 0;
        row.Files = e.folder ? static_cast<uint32_t>(i % 900) : 0;
        total += row.Size;
        tree.AddChild(kNoNode, row);
    }
    tree.EndUpdate();

    THostWindow frame;
    frame.CreateTopLevel(L"Orvella grid paint benchmark", 1000, 800);
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
    grid.CreateWindowIn(frame.Handle(), 0, 0, 1000, 800, false);
    grid.SetTree(&tree);
    Fit_Columns(&grid, {0});
    TShellIconCache cache;
    TRowDrawState state;
    state.TotalSize = total;
    state.NameBalken = 1;
    state.HasCurrentRoot = true;
    state.CurrentRootSize = total / 3;
    grid.OnDrawNode = [&](toolkit::TVirtualDrawTree&, toolkit::TPaintInfo& info) {
        DrawNode(state, tree, info);
    };
    ShowWindow(frame.Handle(), SW_SHOW);
    UpdateWindow(frame.Handle());

    const int screen = grid.RowsAreaHeight();
    std::printf("grid %d x %d, %d rows on screen, %zu rows, %zu distinct files and folders\n",
                grid.ClientWidth(), grid.ClientHeight(), screen / grid.DefaultNodeHeight() + 1,
                rows, entries.size());
    NoIcons noIcons;
    const char* modes[] = {"icon lookup per cell",
                           "icon cache (types by extension, programs and folders by path)",
                           "no icons"};
    for (int mode = 0; mode < 3; ++mode) {
        state.IconCache = mode == 1 ? &cache : nullptr;
        platform::SetShell(mode == 2 ? &noIcons : nullptr);
        std::vector<double> ms;
        for (int f = 0; f < frames; ++f) {
            grid.SetOffsetY((f * screen) % std::max(1, grid.MaxOffsetY()));
            const double t0 = Now();
            RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            GdiFlush();
            ms.push_back(Now() - t0);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        std::printf("frame, %s: median %.2f ms, fastest %.2f ms, slowest %.2f ms (%d frames)\n",
                    modes[mode], Median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()), frames);
    }
    return 0;
}
