#pragma once
// The main window as start-up completes it, with the shipped default skin, its debug lines
// recorded, and the hand-over to the user-interface thread installed.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/win32/Unit1.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/Win32System.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::app::test {

class DebugLines final : public platform::SystemForwarder {
  public:
    explicit DebugLines(platform::System& target) : SystemForwarder(target) {}
    void DebugOutput(std::u16string_view line) override {
        {
            std::lock_guard lock(m_);
            lines_.emplace_back(line);
        }
        SystemForwarder::DebugOutput(line);
    }
    std::vector<std::u16string> Lines() {
        std::lock_guard lock(m_);
        return lines_;
    }
    void Clear() {
        std::lock_guard lock(m_);
        lines_.clear();
    }
    int Count(std::u16string_view prefix) {
        int n = 0;
        for (const auto& l : Lines()) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    // Index of the first line starting with prefix at or after from; -1 when none.
    int Find(std::u16string_view prefix, int from = 0) {
        const auto lines = Lines();
        for (size_t i = static_cast<size_t>(from); i < lines.size(); ++i) {
            if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        }
        return -1;
    }

  private:
    std::mutex m_;
    std::vector<std::u16string> lines_;
};

// Dispatches messages for ms milliseconds.
inline void Pump(int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetSystem(&lines);
        for (char16_t& c : skinFolder) c = c == u'/' ? u'\\' : c;
        ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
        form = std::make_unique<TForm_KT7>(&application);
        form->SkinFolder = skinFolder;
        ASSERT_TRUE(form->Create());
        form->Show();
        form->Perform_EveryThingAfterOnCreate();
        Pump(50);
    }
    void TearDown() override {
        form.reset();
        application.DestroyComponents();
        Pump(20);
        platform::SetSystem(nullptr);
    }

    RECT ClientRectOf(HWND w) {
        RECT r{};
        GetClientRect(w, &r);
        return r;
    }
    // A child window's place in the main window's client coordinates.
    RECT PlaceOf(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    SIZE WindowSize() {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    platform::win32::Win32System sys;
    DebugLines lines{sys};
    toolkit::TComponent application;
    std::u16string skinFolder = u"" ORVELLA_SKIN_DIR;
    std::unique_ptr<TForm_KT7> form;
};

}  // namespace orv::app::test
