// The numeric field as a real window: typed characters, the clipboard, leaving the field and the
// mouse, driven through window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "numedit/win32/SaNumEdit.h"

namespace sm::numedit_win32 {
namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

std::wstring WindowText(HWND h) {
  wchar_t buf[64] = {};
  GetWindowTextW(h, buf, 64);
  return buf;
}

class SaNumEditWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SmNumEditTestForm";
    RegisterClassW(&wc);
    form = CreateWindowExW(0, L"SmNumEditTestForm", L"form", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                           nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(form, nullptr);
    edit = CreateSaNumEdit(form, 1, 10, 10, 121, 24);
    other = CreateSaNumEdit(form, 2, 10, 50, 121, 24);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(other, nullptr);
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    SetFocus(edit);
    Pump();
    control = SaNumEditFromHandle(edit);
    ASSERT_NE(control, nullptr);
  }
  void TearDown() override {
    if (form) DestroyWindow(form);
    Pump();
  }
  void Type(const std::wstring& chars) {
    for (wchar_t c : chars) PostMessageW(edit, WM_CHAR, c, 0);
    Pump();
  }

  HWND form = nullptr, edit = nullptr, other = nullptr;
  TSaNumEdit* control = nullptr;
};

TEST_F(SaNumEditWindow, TypedDigitsAndFullWidthCharacters) {
  ASSERT_EQ(GetFocus(), edit);
  control->Model().ClearSelect();
  Type(L"12a34");
  EXPECT_EQ(WindowText(edit), L"1234");  // the value text, never the grouped display
  EXPECT_EQ(control->Model().ValText(), "1,234");
  Type(L"\xFF0E\xFF15");  // full-width full stop and five
  EXPECT_EQ(WindowText(edit), L"1234.5");
  EXPECT_TRUE(SetWindowTextW(edit, L"-７"));
  EXPECT_EQ(WindowText(edit), L"-7");
  // A small buffer gets as much as fits and a terminating zero.
  wchar_t small[3] = {L'x', L'x', L'x'};
  EXPECT_EQ(SendMessageW(edit, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(small)), 2);
  EXPECT_EQ(std::wstring(small), L"-7");
}

TEST_F(SaNumEditWindow, PasteWithoutCommaDropsTheGrouping) {
  control->Model().SetComma(false);
  TWin32Clipboard clipboard(edit);
  clipboard.SetText("1,234");
  ASSERT_TRUE(clipboard.HasText());
  EXPECT_EQ(clipboard.GetText(), "1,234");
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(edit, WM_KEYDOWN, 'V', 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(WindowText(edit), L"1234");
}

TEST_F(SaNumEditWindow, LeavingALoneMinusEmptiesIt) {
  ASSERT_EQ(GetFocus(), edit);
  Type(L"-");
  EXPECT_EQ(WindowText(edit), L"-");
  SetFocus(other);
  Pump();
  EXPECT_EQ(WindowText(edit), L"");
}

TEST_F(SaNumEditWindow, DoubleClickKeepsItsSelection) {
  SetWindowTextW(edit, L"56");
  control->Model().ClearSelect();
  const LPARAM at = MAKELPARAM(60, 12);
  SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(edit, WM_LBUTTONUP, 0, at);
  SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(edit, WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(control->Model().HasSelection());
  SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_FALSE(control->Model().HasSelection());
}

TEST_F(SaNumEditWindow, AnswersTheDialogCode) {
  EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), 129);
  control->Model().SetEnterFocusMove(true);
  EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), 133);
}

}  // namespace
}  // namespace sm::numedit_win32
