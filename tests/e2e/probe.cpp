// Looks at and pokes the windows of the program under test from a second process in the same
// Wine session: the end-to-end scripts use it where X11 cannot tell Win32 classes apart.
//   probe list                       class, title, visible, iconic of every top-level window
//   probe wait <class> <ms>          exit 0 once a visible window of that class exists
//   probe state <class>              "visible=… iconic=… foreground=…"
//   probe minimize|close <class>
//   probe dialog <ms>                waits for a message box, prints caption, text and whether a
//                                    main window exists, then presses OK
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring Text(HWND h) {
    wchar_t buf[1024];
    int n = GetWindowTextW(h, buf, 1024);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256];
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

void Print(const std::wstring& s) {
    // UTF-8 on stdout, one line per call.
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), out.data(), n, nullptr, nullptr);
    std::printf("%s\n", out.c_str());
    std::fflush(stdout);
}

BOOL CALLBACK ListOne(HWND h, LPARAM) {
    Print(ClassOf(h) + L"\t" + Text(h) + L"\tvisible=" + (IsWindowVisible(h) ? L"1" : L"0") +
          L"\ticonic=" + (IsIconic(h) ? L"1" : L"0"));
    return TRUE;
}

HWND FindVisible(const wchar_t* cls) {
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, cls, nullptr)) != nullptr) {
        if (IsWindowVisible(h)) return h;
    }
    return nullptr;
}

struct DialogText {
    std::wstring text;
};

BOOL CALLBACK CollectStatic(HWND h, LPARAM p) {
    auto* d = reinterpret_cast<DialogText*>(p);
    if (_wcsicmp(ClassOf(h).c_str(), L"Static") == 0) {
        std::wstring t = Text(h);
        if (!t.empty()) d->text += (d->text.empty() ? L"" : L" ") + t;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring cmd = argv[1];
    if (cmd == L"list") {
        EnumWindows(ListOne, 0);
        return 0;
    }
    if (cmd == L"wait" && argc >= 4) {
        const DWORD limit = wcstoul(argv[3], nullptr, 10);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < limit) {
            if (FindVisible(argv[2]) != nullptr) return 0;
            Sleep(100);
        }
        return 1;
    }
    if (cmd == L"state" && argc >= 3) {
        HWND h = FindWindowExW(nullptr, nullptr, argv[2], nullptr);
        if (h == nullptr) {
            Print(L"none");
            return 1;
        }
        Print(std::wstring(L"visible=") + (IsWindowVisible(h) ? L"1" : L"0") + L" iconic=" +
              (IsIconic(h) ? L"1" : L"0") + L" foreground=" +
              (GetForegroundWindow() == h ? L"1" : L"0") + L" title=" + Text(h));
        return 0;
    }
    if ((cmd == L"minimize" || cmd == L"close") && argc >= 3) {
        HWND h = FindWindowExW(nullptr, nullptr, argv[2], nullptr);
        if (h == nullptr) return 1;
        if (cmd == L"minimize") {
            ShowWindowAsync(h, SW_MINIMIZE);
        } else {
            PostMessageW(h, WM_CLOSE, 0, 0);
        }
        return 0;
    }
    if (cmd == L"dialog" && argc >= 3) {
        const DWORD limit = wcstoul(argv[2], nullptr, 10);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < limit) {
            HWND h = FindVisible(L"#32770");
            if (h != nullptr) {
                DialogText d;
                EnumChildWindows(h, CollectStatic, reinterpret_cast<LPARAM>(&d));
                const bool mainWindow =
                    FindWindowExW(nullptr, nullptr, L"TForm_KT7", nullptr) != nullptr;
                Print(Text(h) + L"\t" + d.text + L"\tmainwindow=" + (mainWindow ? L"1" : L"0"));
                PostMessageW(h, WM_COMMAND, IDOK, 0);
                return 0;
            }
            Sleep(100);
        }
        return 1;
    }
    return 2;
}
