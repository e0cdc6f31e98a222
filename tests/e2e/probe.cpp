// Looks at and pokes the windows of the program under test from a second process in the same
// Wine session: the end-to-end scripts use it where X11 cannot tell Win32 classes apart.
//   probe list                       class, title, visible, iconic of every top-level window
//   probe wait <class> <ms>          exit 0 once a visible window of that class exists
//   probe state <class>              "visible=… iconic=… foreground=…"
//   probe minimize|close <class>
//   probe dialog <ms> [id]           waits for a message box, prints caption, text and whether a
//                                    main window exists, then presses OK (or the button id)
// A <window> is a class, optionally ":" and an exact title ("*" for any class), or a
// handle in hexadecimal; it names the first visible top-level window that matches.
//   probe owner <class>              every visible top-level window with a visible descendant
//                                    of that class: handle, class, title
//   probe wait <window> <ms> / waitgone <window> <ms>
//   probe tree <window>              the window and its descendants: handle, class, text,
//                                    screen rectangle, visible, enabled
//   probe rect <window>              "x y w h" of the window
//   probe foreground                 class and title of the foreground window
//   probe click <x> <y> [right|double]   a real mouse click at screen coordinates
//   probe keys <text> / key <name>   typed text, or one key: enter escape up down home end tab
//                                    space delete backspace
//   probe text <hwnd>                a window's text
//   probe combo <hwnd>               a combo box's selection, text and items
//   probe choose <hwnd> <text>       drops the combo box down and clicks the item with that text
//                                    (or, when none has it, the first that starts with it)
//   probe header <hwnd>              the column captions of a tree grid's header
//   probe listview <hwnd>            a list view's rows: first column and "selected=0|1"
//   probe button <window> <text>     clicks the push button of that window with that caption
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

// WM_GETTEXT, which the system carries across processes: GetWindowTextW would give an edit
// control's caption from its creation, not what it holds.
std::wstring Text(HWND h) {
    wchar_t buf[1024];
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                             1000, &n)) {
        n = static_cast<DWORD_PTR>(GetWindowTextW(h, buf, 1024));
    }
    return std::wstring(buf, n > 0 && n < 1024 ? n : 0);
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

// "class" or "class:title"; "*" matches any class.
HWND FindTop(const std::wstring& which) {
    if (which.rfind(L"0x", 0) == 0) {
        HWND h =
            reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(which.c_str(), nullptr, 16)));
        return IsWindow(h) && IsWindowVisible(h) ? h : nullptr;
    }
    const size_t colon = which.find(L':');
    const std::wstring cls = which.substr(0, colon);
    const bool anyClass = cls == L"*";
    const bool titled = colon != std::wstring::npos;
    const std::wstring title = titled ? which.substr(colon + 1) : std::wstring();
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, anyClass ? nullptr : cls.c_str(), nullptr)) != nullptr) {
        if (!IsWindowVisible(h)) continue;
        if (titled && Text(h) != title) continue;
        return h;
    }
    return nullptr;
}

std::wstring Hex(HWND h) {
    wchar_t buf[32];
    swprintf(buf, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)));
    return buf;
}

HWND ParseHandle(const wchar_t* s) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(s, nullptr, 0)));
}

std::wstring RectText(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top);
}

void PrintWindowLine(HWND h, int depth) {
    Print(std::wstring(depth * 2, L' ') + Hex(h) + L"\t" + ClassOf(h) + L"\t" + Text(h) + L"\t" +
          RectText(h) + L"\tvisible=" + (IsWindowVisible(h) ? L"1" : L"0") + L"\tenabled=" +
          (IsWindowEnabled(h) ? L"1" : L"0"));
}

void PrintTree(HWND h, int depth) {
    PrintWindowLine(h, depth);
    for (HWND c = GetWindow(h, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        PrintTree(c, depth + 1);
    }
}

void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void Click(int x, int y, const std::wstring& how) {
    SetCursorPos(x, y);
    Sleep(50);
    const bool right = how == L"right";
    const int times = how == L"double" ? 2 : 1;
    for (int i = 0; i < times; ++i) {
        SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        Sleep(30);
        SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        Sleep(30);
    }
}

void ClickCentre(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, L"left");
}

void SendKey(WORD vk, wchar_t unicode) {
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.wScan = unicode;
        i.ki.dwFlags = unicode != 0 ? KEYEVENTF_UNICODE : 0;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(30);
}

bool KeyByName(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        WORD vk;
    } keys[] = {{L"enter", VK_RETURN},  {L"escape", VK_ESCAPE}, {L"up", VK_UP},
                {L"down", VK_DOWN},     {L"home", VK_HOME},     {L"end", VK_END},
                {L"tab", VK_TAB},       {L"space", VK_SPACE},   {L"delete", VK_DELETE},
                {L"backspace", VK_BACK}};
    for (const auto& k : keys) {
        if (name == k.name) {
            SendKey(k.vk, 0);
            return true;
        }
    }
    return false;
}

std::wstring ComboItem(HWND combo, int i) {
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    if (n == CB_ERR || n < 0) return {};
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(s.data()));
    s.resize(wcslen(s.c_str()));
    return s;
}

// The real combo box: the handle itself or its first COMBOBOX descendant (toolkit wrappers).
HWND ComboOf(HWND h) {
    if (_wcsicmp(ClassOf(h).c_str(), L"ComboBox") == 0) return h;
    return FindWindowExW(h, nullptr, L"ComboBox", nullptr);
}

// Header items live in the other process: the item and its text buffer are placed there.
bool PrintHeader(HWND grid) {
    HWND header = FindWindowExW(grid, nullptr, WC_HEADERW, nullptr);
    if (header == nullptr) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(header, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    const size_t textChars = 256;
    const size_t size = sizeof(HDITEMW) + textChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    bool ok = remote != nullptr;
    const int count = ok ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; ok && i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(HDITEMW));
        item.cchTextMax = static_cast<int>(textChars);
        SIZE_T done = 0;
        wchar_t text[256] = {};
        ok = WriteProcessMemory(process, remote, &item, sizeof item, &done) &&
             SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(remote)) &&
             ReadProcessMemory(process, remote, &item, sizeof item, &done) &&
             ReadProcessMemory(process, remote + sizeof(HDITEMW), text, sizeof text, &done);
        text[255] = 0;
        if (ok) Print(std::wstring(text) + L"\twidth=" + std::to_wstring(item.cxy));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

bool PrintListView(HWND list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    const size_t textChars = 256;
    const size_t size = sizeof(LVITEMW) + textChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    bool ok = remote != nullptr;
    const int count = ok ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; ok && i < count; ++i) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        item.cchTextMax = static_cast<int>(textChars);
        SIZE_T done = 0;
        wchar_t text[256] = {};
        ok = WriteProcessMemory(process, remote, &item, sizeof item, &done) &&
             SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote)) >= 0 &&
             ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text, &done);
        text[255] = 0;
        const LRESULT state = SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_SELECTED);
        if (ok)
            Print(std::wstring(text) + L"\tselected=" + ((state & LVIS_SELECTED) ? L"1" : L"0"));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

struct ButtonSearch {
    std::wstring caption;
    HWND found = nullptr;
};

std::wstring WithoutAmpersands(std::wstring s) {
    std::wstring out;
    for (wchar_t c : s) {
        if (c != L'&') out += c;
    }
    return out;
}

struct DescendantSearch {
    std::wstring cls;
    bool found = false;
};

BOOL CALLBACK FindDescendant(HWND h, LPARAM p) {
    auto* d = reinterpret_cast<DescendantSearch*>(p);
    if (_wcsicmp(ClassOf(h).c_str(), d->cls.c_str()) == 0 && IsWindowVisible(h)) {
        d->found = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ListOwner(HWND h, LPARAM p) {
    if (!IsWindowVisible(h)) return TRUE;
    DescendantSearch d{*reinterpret_cast<const std::wstring*>(p)};
    EnumChildWindows(h, FindDescendant, reinterpret_cast<LPARAM>(&d));
    if (d.found) Print(Hex(h) + L"\t" + ClassOf(h) + L"\t" + Text(h));
    return TRUE;
}

BOOL CALLBACK FindButton(HWND h, LPARAM p) {
    auto* b = reinterpret_cast<ButtonSearch*>(p);
    if (_wcsicmp(ClassOf(h).c_str(), L"Button") == 0 && IsWindowVisible(h) &&
        WithoutAmpersands(Text(h)) == b->caption) {
        b->found = h;
        return FALSE;
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
            if (FindTop(argv[2]) != nullptr) return 0;
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
                const WPARAM id = argc >= 4 ? wcstoul(argv[3], nullptr, 10) : IDOK;
                PostMessageW(h, WM_COMMAND, id, 0);
                return 0;
            }
            Sleep(100);
        }
        return 1;
    }
    if (cmd == L"waitgone" && argc >= 4) {
        const DWORD limit = wcstoul(argv[3], nullptr, 10);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < limit) {
            if (FindTop(argv[2]) == nullptr) return 0;
            Sleep(100);
        }
        return 1;
    }
    if ((cmd == L"tree" || cmd == L"rect") && argc >= 3) {
        HWND h = FindTop(argv[2]);
        if (h == nullptr) return 1;
        if (cmd == L"rect") {
            Print(RectText(h));
        } else {
            PrintTree(h, 0);
        }
        return 0;
    }
    if (cmd == L"owner" && argc >= 3) {
        const std::wstring cls = argv[2];
        EnumWindows(ListOwner, reinterpret_cast<LPARAM>(&cls));
        return 0;
    }
    if (cmd == L"foreground") {
        HWND h = GetForegroundWindow();
        Print(h == nullptr ? L"none" : ClassOf(h) + L"\t" + Text(h));
        return 0;
    }
    if (cmd == L"click" && argc >= 4) {
        Click(_wtoi(argv[2]), _wtoi(argv[3]), argc >= 5 ? argv[4] : L"left");
        return 0;
    }
    if (cmd == L"keys" && argc >= 3) {
        for (const wchar_t* c = argv[2]; *c != 0; ++c) SendKey(0, *c);
        return 0;
    }
    if (cmd == L"key" && argc >= 3) return KeyByName(argv[2]) ? 0 : 2;
    if (cmd == L"text" && argc >= 3) {
        HWND h = ParseHandle(argv[2]);
        if (!IsWindow(h)) return 1;
        Print(Text(h));
        return 0;
    }
    if ((cmd == L"combo" || cmd == L"choose") && argc >= 3) {
        HWND combo = ComboOf(ParseHandle(argv[2]));
        if (combo == nullptr || !IsWindow(combo)) return 1;
        const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        if (cmd == L"combo") {
            // A list-only box has no text of its own: its selected item stands for it.
            const int sel = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
            std::wstring text = Text(combo);
            if (text.empty() && sel >= 0) text = ComboItem(combo, sel);
            Print(L"sel=" + std::to_wstring(sel) + L"\ttext=" + text);
            for (int i = 0; i < count; ++i) Print(ComboItem(combo, i));
            return 0;
        }
        if (argc < 4) return 2;
        int index = -1;
        for (int i = 0; i < count && index < 0; ++i) {
            if (ComboItem(combo, i) == argv[3]) index = i;
        }
        const size_t want = wcslen(argv[3]);
        for (int i = 0; i < count && index < 0; ++i) {
            if (ComboItem(combo, i).compare(0, want, argv[3]) == 0) index = i;
        }
        if (index < 0) return 1;
        // Dropped down, the list is a top-level window of its own; its rows are equally high.
        RECT r{};
        GetWindowRect(combo, &r);
        Click(r.right - 8, (r.top + r.bottom) / 2, L"left");
        HWND list = nullptr;
        for (int i = 0; i < 30 && list == nullptr; ++i) {
            Sleep(100);
            list = FindTop(L"ComboLBox");
        }
        if (list == nullptr) return 1;
        const int rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        if (index < top || rowHeight <= 0) return 1;
        POINT p{4, (index - top) * rowHeight + rowHeight / 2};
        ClientToScreen(list, &p);
        Click(p.x + 10, p.y, L"left");
        return 0;
    }
    if (cmd == L"listview" && argc >= 3) return PrintListView(ParseHandle(argv[2])) ? 0 : 1;
    if (cmd == L"header" && argc >= 3) return PrintHeader(ParseHandle(argv[2])) ? 0 : 1;
    if (cmd == L"button" && argc >= 4) {
        HWND h = FindTop(argv[2]);
        if (h == nullptr) return 1;
        ButtonSearch b{argv[3]};
        EnumChildWindows(h, FindButton, reinterpret_cast<LPARAM>(&b));
        if (b.found == nullptr) return 1;
        ClickCentre(b.found);
        return 0;
    }
    return 2;
}
