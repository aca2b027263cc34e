// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real Quorvel.exe from outside, as a user and a screen reader would: it starts
// the program, finds its controls by window ID, reads them, clicks and types through the
// system's input queue, and checks what the program shows. Run under Wine by CTest.
//
//   drive_quorvel window EXE [DPI [WIDTH...]]
//                                     controls, places, texts and their size in their boxes,
//                                     z-order, focus, keyboard, Salir, on a screen of DPI dots
//                                     per inch (default 96), which it checks first; above 96
//                                     dpi with the WIDTHs designed-widths gives
//   drive_quorvel designed-widths     the measured labels' text widths in the designed look,
//                                     in a 96-dpi prefix
//   drive_quorvel calculate EXE SEP   the worked example, its result with decimal separator SEP
//   drive_quorvel fault EXE           an arithmetic fault, its report dismissed with Escape and
//                                     with Enter, the window unchanged; the close request
//   drive_quorvel version EXE         the version record, manifest and icon sizes
//   drive_quorvel accessibility EXE   the names a screen reader reads for the inputs
//   drive_quorvel screenshot EXE DIR [NAME]
//                                     the window as it opens and after the worked example, in
//                                     DIR\\NAME.png and DIR\\NAME-calculated.png (quorvel-wine)
//   drive_quorvel startup EXE RUNS    milliseconds from start to the window shown
#include <initguid.h>
#include <oleacc.h>
#include <shellscalingapi.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/png.h"
#include "tests/win32/utf8.h"
#include "ui/form1_design.h"

namespace {

using quorvel::ui::ControlDesign;
using quorvel::ui::ControlId;
using quorvel::ui::ControlKind;
using quorvel::ui::Design;
using quorvel::ui::kForm1Controls;

int failures = 0;

using quorvel::test::Utf8;

std::wstring Utf16(const char* text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void Check(bool ok, const std::string& what) {
  if (!ok) {
    ++failures;
    Say("FAIL: " + what);
  }
}

void CheckText(const std::wstring& actual, const std::wstring& expected, const std::string& what) {
  Check(actual == expected,
        what + ": \"" + Utf8(actual) + "\", expected \"" + Utf8(expected) + "\"");
}

// Waits up to twenty seconds for `condition`, looking every 10 ms.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 2000; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, 10000, &copied);
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

// The program under test: its process, its window and its controls by ID.
class Quorvel {
 public:
  explicit Quorvel(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      Say("cannot start " + Utf8(exe));
      return;
    }
    WaitFor([this] { return (form_ = FindForm()) != nullptr; });
    Check(form_ != nullptr, "the window opens");
    thread_ = GetWindowThreadProcessId(form_, nullptr);
  }

  ~Quorvel() {
    if (Running()) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  bool ok() const { return form_ != nullptr; }
  HWND form() const { return form_; }

  HWND operator[](ControlId id) const {
    const ControlDesign& design = Design(id);
    HWND parent = design.inFrame ? (*this)[ControlId::Frame1] : form_;
    return GetDlgItem(parent, WindowId(design));
  }

  static int WindowId(const ControlDesign& design) {
    if (design.kind == ControlKind::Picture) return 1100;
    if (design.kind == ControlKind::Line) return 1101;
    return 1000 + design.tabIndex;
  }

  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // The program's exit code once it has ended, or -1 if it is still running after 10 s.
  int ExitCode() const {
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

  // The control with the keyboard focus; the combo box for its text part.
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(thread_, &info) || !info.hwndFocus) return nullptr;
    HWND focus = info.hwndFocus;
    if (ClassOf(GetParent(focus)) == L"ComboBox") focus = GetParent(focus);
    return focus;
  }

  // Whether the program's thread has the window active, with the focus in one of its
  // controls, and has handled every message sent to it until now.
  bool Activated() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(thread_, &info) || info.hwndActive != form_ || !info.hwndFocus ||
        !IsChild(form_, info.hwndFocus)) {
      return false;
    }
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
  }

  // A window of the program's that the main window owns: the error report.
  HWND OwnedPopup() const {
    struct Search {
      HWND owner;
      HWND found;
    } search{form_, nullptr};
    EnumThreadWindows(
        thread_,
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == s->owner) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

 private:
  HWND FindForm() const {
    struct Search {
      DWORD process;
      HWND found;
    } search{process_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          if (process == s->process && IsWindowVisible(window) &&
              ClassOf(window) == L"QuorvelForm1") {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION process_{};
  HWND form_ = nullptr;
  DWORD thread_ = 0;
};

// --- Input through the system's queue, as from the keyboard and mouse ---

void Key(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    inputs.push_back(in);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Type(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT in[2]{};
    for (INPUT& i : in) {
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = c;
      i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
}

// Puts the keyboard focus in a control of the program, sharing its input state for the
// moment, as the user's click would.
void FocusOn(const Quorvel& q, HWND control) {
  const DWORD mine = GetCurrentThreadId();
  const DWORD theirs = GetWindowThreadProcessId(control, nullptr);
  AttachThreadInput(mine, theirs, TRUE);
  SetFocus(control);
  AttachThreadInput(mine, theirs, FALSE);
  Check(WaitFor([&] { return q.Focus() == control; }), "the focus moves to a control");
}

void BringToFront(const Quorvel& q) {
  SetForegroundWindow(q.form());
  Check(WaitFor([&] { return GetForegroundWindow() == q.form(); }),
        "the window comes to the front");
  // The program takes its activation a moment later, and puts the focus back in the
  // window's own focused control then: wait until its thread has the window active with the
  // focus in one of its controls, and has handled every message sent to it meanwhile.
  Check(WaitFor([&] { return q.Activated(); }), "the window takes the focus");
}

// Puts the focus in a field and types into it.
void TypeInto(const Quorvel& q, ControlId field, const std::wstring& text) {
  const std::wstring before = TextOf(q[field]);
  const auto typeAtEnd = [&] {
    FocusOn(q, q[field]);
    // The caret after the field's text, as a click at its end leaves it.
    SendMessageW(q[field], EM_SETSEL, before.size(), before.size());
    Type(text);
  };
  const auto arrived = [&] { return TextOf(q[field]) == before + text; };
  typeAtEnd();
  if (!WaitFor(arrived) && TextOf(q[field]) == before) {
    // Not one keystroke arrived: on a loaded machine another window of the session (Wine's
    // desktop, a console) can take the front for a moment, and keystrokes go to it. The
    // window is brought back and the text typed again; a keystroke that did arrive is never
    // typed twice.
    std::fprintf(stderr, "No keystroke reached %s (the front window was %p): typing again\n",
                 Design(field).name, static_cast<void*>(GetForegroundWindow()));
    BringToFront(q);
    typeAtEnd();
  }
  Check(WaitFor(arrived), std::string("typing reaches ") + Design(field).name);
}

// Presses a button as a click does; the report it may open runs inside the click, so the
// press is posted, not sent.
void Press(const Quorvel& q, ControlId button) { PostMessageW(q[button], BM_CLICK, 0, 0); }

RECT PlaceInParent(HWND control) {
  RECT box;
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

std::string Describe(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof(text), "(%ld, %ld) %ld x %ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return text;
}

// The screen's pixel density for the window scenario.
int dpi = 96;

int Pixels(int twips) { return MulDiv(twips, dpi, 1440); }

RECT DesignedPixels(const ControlDesign& design) {
  return {Pixels(design.box.left), Pixels(design.box.top), Pixels(design.box.right()),
          Pixels(design.box.bottom())};
}

// Whether a per-monitor-aware window on this screen gets the density asked for, from the
// system, its monitor and itself alike. Wine takes it from the registry as its server starts;
// set later, it applies only in part, and the program rightly lays out at the old density.
bool DensityInForce(int asked) {
  HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr, nullptr,
                               nullptr);
  UINT monitor = 0, unused = 0;
  GetDpiForMonitor(MonitorFromWindow(probe, MONITOR_DEFAULTTOPRIMARY), MDT_EFFECTIVE_DPI, &monitor,
                   &unused);
  const UINT system = GetDpiForSystem();
  const UINT window = GetDpiForWindow(probe);
  DestroyWindow(probe);
  const auto asked_ = static_cast<UINT>(asked);
  if (system == asked_ && monitor == asked_ && window == asked_) return true;
  Check(false, "the screen is not at the " + std::to_string(asked) +
                   " dpi asked for: the system says " + std::to_string(system) + ", the monitor " +
                   std::to_string(monitor) + ", a window " + std::to_string(window) +
                   "; the prefix's LogPixels must be set before its Wine server starts");
  return false;
}

// Everything the user can change or the program writes: texts, enabled states, selections
// and the result.
struct WindowState {
  std::vector<std::wstring> texts;
  std::vector<bool> enabled;
  std::vector<LRESULT> checked;
  bool operator==(const WindowState&) const = default;
};

WindowState StateOf(const Quorvel& q) {
  WindowState state;
  for (const ControlDesign& design : kForm1Controls) {
    state.texts.push_back(TextOf(q[design.id]));
    state.enabled.push_back(IsWindowEnabled(q[design.id]) != 0);
    state.checked.push_back(design.kind == ControlKind::OptionButton
                                ? SendMessageW(q[design.id], BM_GETCHECK, 0, 0)
                                : 0);
  }
  return state;
}

// A window's picture as it is on the screen: rows top to bottom, four bytes (BGRx) a pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
};

// A top-down 32-bit bitmap selected into a memory device context compatible with the screen:
// what is drawn into `memory` can be read back as a Picture.
class Surface {
 public:
  Surface(int width, int height) : width_(width), height_(height) {
    screen_ = GetDC(nullptr);
    memory = CreateCompatibleDC(screen_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(memory, bitmap_);
  }
  ~Surface() {
    SelectObject(memory, old_);
    DeleteObject(bitmap_);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen_);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC screen() const { return screen_; }
  Picture Read() const {
    GdiFlush();
    const auto* first = static_cast<const std::uint8_t*>(bits_);
    return {width_, height_,
            std::vector<std::uint8_t>(first, first + static_cast<size_t>(width_) * height_ * 4)};
  }

  HDC memory;

 private:
  int width_, height_;
  HDC screen_;
  void* bits_ = nullptr;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

Picture Capture(HWND window) {
  RECT box;
  GetWindowRect(window, &box);
  Surface surface(box.right - box.left, box.bottom - box.top);
  BitBlt(surface.memory, 0, 0, box.right - box.left, box.bottom - box.top, surface.screen(),
         box.left, box.top, SRCCOPY);
  return surface.Read();
}

bool SaveWindow(HWND window, const std::wstring& path) {
  const Picture picture = Capture(window);
  return quorvel::test::WritePng(path, picture.width, picture.height, picture.bgra);
}

// The columns of `area` in `picture` that hold ink: pixels far from `background`. Returns the
// first and one past the last such column, relative to the area's left edge; {0, 0} if none.
std::pair<int, int> InkColumns(const Picture& picture, const RECT& area, COLORREF background) {
  int first = -1, last = -1;
  for (int y = std::max(0L, area.top); y < std::min<long>(picture.height, area.bottom); ++y) {
    for (int x = std::max(0L, area.left); x < std::min<long>(picture.width, area.right); ++x) {
      const std::uint8_t* p = &picture.bgra[(static_cast<size_t>(y) * picture.width + x) * 4];
      const int distance = std::abs(p[0] - GetBValue(background)) +
                           std::abs(p[1] - GetGValue(background)) +
                           std::abs(p[2] - GetRValue(background));
      if (distance < 192) continue;
      if (first < 0 || x < first) first = x;
      last = std::max(last, x);
    }
  }
  if (first < 0) return {0, 0};
  return {first - area.left, last + 1 - area.left};
}

// How wide a text's ink is in the window's designed look: in the designed face at 96 dpi,
// drawn here black on white.
int DesignedInkWidth(const std::wstring& text, const quorvel::ui::FontDesign& font) {
  const int height = -static_cast<int>(std::lround(font.points * 96 / 72.0));
  HFONT face =
      CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, Utf16(font.family).c_str());
  const int width = 1000, rows = 2 * -height;
  Surface surface(width, rows);
  HGDIOBJ oldFont = SelectObject(surface.memory, face);
  RECT all{0, 0, width, rows};
  FillRect(surface.memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(surface.memory, RGB(0, 0, 0));
  SetBkMode(surface.memory, TRANSPARENT);
  TextOutW(surface.memory, 2, 2, text.c_str(), static_cast<int>(text.size()));
  const Picture picture = surface.Read();
  SelectObject(surface.memory, oldFont);
  DeleteObject(face);
  const auto [left, right] = InkColumns(picture, all, RGB(255, 255, 255));
  return right - left;
}

// The labels whose text is measured on the screen: the window's font and the title's.
constexpr ControlId kMeasuredLabels[] = {ControlId::Label1, ControlId::Label7, ControlId::Label13,
                                         ControlId::Label9};

// The measured labels' texts' ink widths in the designed look. Only a 96-dpi prefix has it:
// at a higher density Wine gives "MS Sans Serif" from its larger bitmaps.
std::vector<int> DesignedInkWidths() {
  std::vector<int> widths;
  for (ControlId id : kMeasuredLabels) {
    widths.push_back(DesignedInkWidth(Utf16(Design(id).text), quorvel::ui::Font(Design(id).font)));
  }
  return widths;
}

// Text grows with its boxes: on the screen, a label's text is at least as wide for its box as
// in the designed look at 96 dpi (`designedWidths`), less a tenth, and ends inside the box
// where no input covers it. It may be wider: the bitmap face has no 13.5-point size, so the
// title's designed look is a smaller one, which a scalable face outgrows.
void CheckTextSize(const Quorvel& q, const std::vector<int>& designedWidths) {
  const Picture picture = Capture(q.form());
  RECT window;
  GetWindowRect(q.form(), &window);
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  for (size_t i = 0; i < std::size(kMeasuredLabels); ++i) {
    const ControlId id = kMeasuredLabels[i];
    const ControlDesign& design = Design(id);
    RECT box;
    GetWindowRect(q[id], &box);
    // The part of the box left of an input that lies over it (Text1 over Label1's end).
    for (const ControlDesign& other : kForm1Controls) {
      RECT otherBox, common;
      GetWindowRect(q[other.id], &otherBox);
      if (other.id != id && otherBox.left > box.left && IntersectRect(&common, &box, &otherBox)) {
        box.right = otherBox.left;
      }
    }
    OffsetRect(&box, -window.left, -window.top);
    const auto [left, right] = InkColumns(picture, box, background);
    const double designed = designedWidths.at(i) * dpi / 96.0;
    const double ratio = (right - left) / designed;
    char figures[160];
    std::snprintf(figures, sizeof(figures),
                  " text %d px wide, %.0f px at the designed look (%.2f), ending at %d of %ld",
                  right - left, designed, ratio, right, box.right - box.left);
    Say(std::string("note: ") + design.name + figures);
    Check(ratio > 0.9 && right < box.right - box.left,
          std::string(design.name) + "'s text grows with its box:" + figures);
  }
}

// --- Scenarios ---

void CheckControls(const Quorvel& q) {
  CheckText(TextOf(q.form()), Utf16(quorvel::ui::kForm1.caption), "window caption");
  RECT client;
  GetClientRect(q.form(), &client);
  // 495 x 440 at 96 dpi.
  Check(client.right == Pixels(quorvel::ui::kForm1.clientWidth) &&
            client.bottom == Pixels(quorvel::ui::kForm1.clientHeight),
        "client area at " + std::to_string(dpi) + " dpi: " + Describe(client));

  for (const ControlDesign& design : kForm1Controls) {
    const std::string name = design.name;
    HWND control = q[design.id];
    Check(control != nullptr,
          name + " found by its ID " + std::to_string(Quorvel::WindowId(design)));
    if (!control) continue;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & 0x1F;
    std::wstring wantedClass;
    bool styleOk = true;
    switch (design.kind) {
      case ControlKind::Label:
        wantedClass = L"Static";
        styleOk = (style & SS_NOPREFIX) && type == SS_LEFTNOWORDWRAP;
        break;
      case ControlKind::TextBox:
        wantedClass = L"Edit";
        styleOk = (style & WS_TABSTOP) && !(style & ES_MULTILINE);
        break;
      case ControlKind::ComboBox:
        wantedClass = L"ComboBox";
        styleOk = (style & 3) == CBS_DROPDOWN;
        break;
      case ControlKind::OptionButton:
        wantedClass = L"Button";
        styleOk = type == BS_AUTORADIOBUTTON;
        break;
      case ControlKind::PushButton:
        // Never the default button.
        wantedClass = L"Button";
        styleOk = type == BS_PUSHBUTTON;
        break;
      case ControlKind::Frame:
        wantedClass = L"Button";
        styleOk = type == BS_GROUPBOX;
        break;
      case ControlKind::Picture:
        wantedClass = L"Static";
        styleOk = type == SS_BITMAP && (style & SS_REALSIZECONTROL) &&
                  SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        break;
      case ControlKind::Line:
        wantedClass = L"Static";
        styleOk = type == SS_BLACKRECT;
        break;
    }
    Check(_wcsicmp(ClassOf(control).c_str(), wantedClass.c_str()) == 0,
          name + " is a " + Utf8(wantedClass) + ", not a " + Utf8(ClassOf(control)));
    Check(styleOk, name + " has the style of its kind");
    Check(GetParent(control) == (design.inFrame ? q[ControlId::Frame1] : q.form()),
          name + (design.inFrame ? " lies in Frame1" : " lies in the window"));
    const RECT place = PlaceInParent(control);
    const RECT wanted = DesignedPixels(design);
    Check(EqualRect(&place, &wanted) != 0,
          name + " at " + Describe(place) + ", designed " + Describe(wanted));
    if (design.kind != ControlKind::Picture && design.kind != ControlKind::Line) {
      CheckText(TextOf(control), Utf16(design.text), name + " text");
    }
  }

  HWND combo = q[ControlId::Combo1];
  const auto items = Design(ControlId::Combo1).items;
  Check(SendMessageW(combo, CB_GETCOUNT, 0, 0) == static_cast<LRESULT>(items.size()),
        "Combo1 lists its units");
  for (size_t i = 0; i < items.size(); ++i) {
    wchar_t item[32] = L"";
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    CheckText(item, Utf16(items[i]), "Combo1 entry " + std::to_string(i));
  }
}

void CheckStartState(const Quorvel& q) {
  for (const ControlDesign& design : kForm1Controls) {
    const bool areaField = design.id == ControlId::Text7 || design.id == ControlId::Text8 ||
                           design.id == ControlId::Text9;
    Check((IsWindowEnabled(q[design.id]) != 0) == !areaField,
          std::string(design.name) + (areaField ? " disabled" : " enabled") + " at start");
  }
  Check(SendMessageW(q[ControlId::Option1], BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
            SendMessageW(q[ControlId::Option2], BM_GETCHECK, 0, 0) == BST_UNCHECKED,
        "neither option selected at start");
  Check(q.Focus() == q[ControlId::Text1], "Text1 has the focus at start");
}

// Each label that names an input comes just before it among the siblings, where Windows
// looks for an input's name; the focusable controls keep the designed tab order; Combo1 is
// on top where the labels' boxes meet it.
void CheckSiblingOrder(const Quorvel& q) {
  for (const ControlDesign& design : kForm1Controls) {
    if (!design.label) continue;
    Check(GetWindow(q[design.id], GW_HWNDPREV) == q[*design.label],
          std::string(Design(*design.label).name) + " comes just before " + design.name);
  }
  int lastTab = -1;
  for (HWND child = GetWindow(q.form(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id < 1000 || id >= 1100) continue;
    const ControlDesign& design = kForm1Controls[static_cast<size_t>(id - 1000)];
    if (!quorvel::ui::TakesFocus(design.kind)) continue;
    Check(design.tabIndex > lastTab, std::string(design.name) + " in tab order among siblings");
    lastTab = design.tabIndex;
  }
  RECT combo;
  GetWindowRect(q[ControlId::Combo1], &combo);
  for (ControlId label : {ControlId::Label10, ControlId::Label16}) {
    RECT box, common;
    GetWindowRect(q[label], &box);
    Check(IntersectRect(&common, &box, &combo) != 0,
          std::string(Design(label).name) + "'s box touches Combo1's");
    const POINT inBoth{(common.left + common.right - 1) / 2, (common.top + common.bottom - 1) / 2};
    HWND hit = WindowFromPoint(inBoth);
    Check(hit == q[ControlId::Combo1] || GetParent(hit) == q[ControlId::Combo1],
          std::string("Combo1 is above ") + Design(label).name);
  }
}

std::vector<ControlId> FocusTrail(const Quorvel& q, bool backwards, int presses) {
  std::vector<ControlId> trail;
  for (int i = 0; i < presses; ++i) {
    HWND before = q.Focus();
    Key(VK_TAB, backwards);
    WaitFor([&] { return q.Focus() != before; });
    const int id = GetDlgCtrlID(q.Focus());
    trail.push_back(id >= 1000 && id < 1100 ? kForm1Controls[static_cast<size_t>(id - 1000)].id
                                            : ControlId::Line1);
  }
  return trail;
}

std::string Names(const std::vector<ControlId>& ids) {
  std::string out;
  for (ControlId id : ids) out += std::string(out.empty() ? "" : " ") + Design(id).name;
  return out;
}

void CheckKeyboard(const Quorvel& q) {
  BringToFront(q);
  // Tab and Shift+Tab follow the designed order and skip the disabled area fields.
  const std::vector<ControlId> forward = {
      ControlId::Text2,    ControlId::Text3,  ControlId::Text4,   ControlId::Combo1,
      ControlId::Text5,    ControlId::Text6,  ControlId::Option1, ControlId::Option2,
      ControlId::Text10,   ControlId::Text11, ControlId::Text12,  ControlId::Command1,
      ControlId::Command2, ControlId::Text1};
  const auto trail = FocusTrail(q, false, static_cast<int>(forward.size()));
  Check(trail == forward, "Tab order: " + Names(trail) + "; designed: " + Names(forward));
  std::vector<ControlId> backward(forward.rbegin() + 1, forward.rend());
  backward.push_back(ControlId::Text1);
  const auto back = FocusTrail(q, true, static_cast<int>(backward.size()));
  Check(back == backward, "Shift+Tab order: " + Names(back) + "; designed: " + Names(backward));

  // No default or cancel button: Enter and Escape do nothing, even on "Calcular", which
  // pressed now would report a division by zero.
  const WindowState before = StateOf(q);
  for (ControlId at : {ControlId::Text1, ControlId::Command1}) {
    FocusOn(q, q[at]);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    // Keys arrive in order: once this Tab has moved the focus, Enter and Escape were handled,
    // and a report either opened inside them would own the focus by now.
    Key(VK_TAB);
    Check(WaitFor([&] { return q.Focus() != q[at]; }),
          std::string("Tab moves on from ") + Design(at).name + " after Enter and Escape");
    Check(q.Running() && IsWindowVisible(q.form()) && !q.OwnedPopup(),
          std::string("Enter and Escape in ") + Design(at).name + " do nothing");
  }
  Check(StateOf(q) == before, "the window is as before Enter and Escape");

  // The combo box keeps exactly what is typed: no completion from its list.
  HWND combo = q[ControlId::Combo1];
  FocusOn(q, combo);
  SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  Type(L"km");
  Key(VK_TAB);
  WaitFor([&] { return q.Focus() != combo; });
  CheckText(TextOf(combo), L"km", "Combo1 after typing km");

  // An arrow key on an option button moves to the other one, round past either end, and
  // selects it, which runs its procedure (the page's option buttons answer them alike).
  FocusOn(q, q[ControlId::Option1]);
  const std::pair<WORD, ControlId> arrows[] = {{VK_RIGHT, ControlId::Option2},
                                               {VK_DOWN, ControlId::Option1},
                                               {VK_LEFT, ControlId::Option2},
                                               {VK_UP, ControlId::Option1}};
  for (const auto& [key, to] : arrows) {
    const bool first = to == ControlId::Option1;
    const ControlId other = first ? ControlId::Option2 : ControlId::Option1;
    const ControlId field = first ? ControlId::Text7 : ControlId::Text8;
    Key(key);
    Check(WaitFor([&] { return q.Focus() == q[to] && IsWindowEnabled(q[field]); }),
          std::string("an arrow key moves to ") + Design(to).name + " and enables " +
              Design(field).name);
    Check(SendMessageW(q[to], BM_GETCHECK, 0, 0) == BST_CHECKED &&
              SendMessageW(q[other], BM_GETCHECK, 0, 0) == BST_UNCHECKED,
          std::string(Design(to).name) + " alone is selected after an arrow key");
  }
}

int Window(const std::wstring& exe, std::vector<int> designedWidths) {
  if (!DensityInForce(dpi)) return 1;
  if (designedWidths.empty() && dpi == 96) designedWidths = DesignedInkWidths();
  if (designedWidths.size() != std::size(kMeasuredLabels)) {
    Say("the texts' widths in the designed look, as designed-widths gives them in a 96-dpi "
        "prefix, are needed at " +
        std::to_string(dpi) + " dpi");
    return 2;
  }
  Quorvel q(exe);
  if (!q.ok()) return 1;
  CheckControls(q);
  CheckStartState(q);
  CheckTextSize(q, designedWidths);
  CheckSiblingOrder(q);
  CheckKeyboard(q);
  Press(q, ControlId::Command2);
  Check(q.ExitCode() == 0, "Salir ends the program with exit code 0");
  return failures;
}

void EnterWorkedExample(const Quorvel& q) {
  BringToFront(q);
  Press(q, ControlId::Option1);
  Check(WaitFor([&] { return IsWindowEnabled(q[ControlId::Text7]) != 0; }),
        "Area Frontal enables Text7");
  TypeInto(q, ControlId::Text5, L"7");
  TypeInto(q, ControlId::Text6, L"20");
  TypeInto(q, ControlId::Text7, L"2");
  TypeInto(q, ControlId::Text10, L"1000");
  Press(q, ControlId::Command1);
  WaitFor([&] { return TextOf(q[ControlId::Label15]) != L"0.--"; });
}

int Calculate(const std::wstring& exe, const std::wstring& separator) {
  Quorvel q(exe);
  if (!q.ok()) return 1;
  EnterWorkedExample(q);
  CheckText(TextOf(q[ControlId::Label15]), L"0" + separator + L"414589706622123",
            "Label15 after the worked example");
  PostMessageW(q.form(), WM_CLOSE, 0, 0);
  Check(q.ExitCode() == 0, "the close request ends the program with exit code 0");
  return failures;
}

void CheckReportAndDismiss(const Quorvel& q, WORD key, const char* keyName) {
  const WindowState before = StateOf(q);
  Press(q, ControlId::Command1);
  HWND report = nullptr;
  Check(WaitFor([&] { return (report = q.OwnedPopup()) != nullptr; }),
        "a fault opens the report, owned by the window");
  if (!report) return;
  CheckText(TextOf(report), L"Quorvel", "report title");
  Check(!IsWindowEnabled(q.form()), "the window is disabled while the report shows");
  int buttons = 0, icons = 0;
  std::wstring button, message;
  for (HWND c = GetWindow(report, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0) {
      ++buttons;
      button = TextOf(c);
    } else if ((style & SS_TYPEMASK) == SS_ICON) {
      icons += SendMessageW(c, STM_GETICON, 0, 0) != 0;
    } else {
      message = TextOf(c);
    }
  }
  Check(buttons == 1, "the report has exactly one button");
  CheckText(button, L"Aceptar", "the report's button");
  Check(icons == 1, "the report shows the error icon");
  CheckText(message, L"División por cero", "the report names the error");

  SetForegroundWindow(report);
  WaitFor([&] { return GetForegroundWindow() == report; });
  Key(key);
  Check(WaitFor([&] { return !IsWindow(report); }), std::string(keyName) + " dismisses the report");
  Check(WaitFor([&] { return IsWindowEnabled(q.form()) != 0; }),
        "the window is enabled again after the report");
  Check(q.Running(), "the program goes on after the report");
  Check(StateOf(q) == before, "every field, state and the result are as before the fault");
}

int Fault(const std::wstring& exe) {
  Quorvel q(exe);
  if (!q.ok()) return 1;
  BringToFront(q);
  // Some typing that must survive the fault; the times stay empty, so "Calcular" divides
  // by zero.
  TypeInto(q, ControlId::Text10, L"1000");
  TypeInto(q, ControlId::Text1, L"5");
  CheckReportAndDismiss(q, VK_ESCAPE, "Escape");
  CheckReportAndDismiss(q, VK_RETURN, "Enter");
  PostMessageW(q.form(), WM_CLOSE, 0, 0);
  Check(q.ExitCode() == 0, "the close request ends the program with exit code 0");
  return failures;
}

std::wstring VersionString(const std::vector<BYTE>& record, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\040A04B0\\") + name;
  if (!VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return L"(missing)";
  }
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

int Version(const std::wstring& exe) {
  DWORD ignored = 0;
  std::vector<BYTE> record(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  Check(!record.empty() &&
            GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()),
        "the program has a version record");
  if (record.empty()) return failures;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
  Check(fixed && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0 &&
            fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0,
        "file and product version 1,0,0,0");
  WORD* translation = nullptr;
  VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                 reinterpret_cast<void**>(&translation), &length);
  Check(translation && length == 4 && translation[0] == 0x040A && translation[1] == 1200,
        "translation Spanish (0x040A), Unicode (1200)");
  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } strings[] = {
      {L"FileVersion", L"1.00"},     {L"ProductVersion", L"1.00"},
      {L"InternalName", L"Quorvel"}, {L"OriginalFilename", L"Quorvel.exe"},
      {L"ProductName", L"Quorvel"},  {L"FileDescription", L"Quorvel: coeficiente aerodinámico Cx"}};
  for (const auto& s : strings) {
    CheckText(VersionString(record, s.name), s.value, Utf8(s.name));
  }

  HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC manifest = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  const std::string text =
      manifest ? std::string(static_cast<const char*>(LockResource(LoadResource(image, manifest))),
                             SizeofResource(image, manifest))
               : std::string();
  Check(text.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
            text.find("\"6.0.0.0\"") != std::string::npos,
        "the manifest asks for common controls 6");
  Check(text.find(">PerMonitorV2<") != std::string::npos,
        "the manifest declares per-monitor DPI awareness v2");
  HRSRC group = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
  std::vector<int> sizes;
  if (group) {
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(image, group)));
    const int count = dir[4] | dir[5] << 8;
    for (int i = 0; i < count; ++i) sizes.push_back(dir[6 + 14 * i]);
  }
  for (int size : {16, 32}) {
    Check(std::find(sizes.begin(), sizes.end(), size) != sizes.end(),
          "the icon has a " + std::to_string(size) + " px picture");
  }
  FreeLibrary(image);
  return failures;
}

int Accessibility(const std::wstring& exe) {
  Quorvel q(exe);
  if (!q.ok()) return 1;
  CoInitialize(nullptr);
  for (const ControlDesign& design : kForm1Controls) {
    if (!design.label) continue;
    IAccessible* accessible = nullptr;
    AccessibleObjectFromWindow(q[design.id], OBJID_CLIENT, IID_IAccessible,
                               reinterpret_cast<void**>(&accessible));
    BSTR name = nullptr;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (accessible) accessible->get_accName(self, &name);
    const std::wstring read = name ? std::wstring(name) : L"(none)";
    const std::wstring label = Utf16(Design(*design.label).text);
    if (design.kind == ControlKind::ComboBox) {
      // Wine's accessibility proxy names a combo box after its own text, not after the
      // label before it, which is what Windows reads; the order is checked instead.
      Check(GetWindow(q[design.id], GW_HWNDPREV) == q[*design.label] &&
                TextOf(q[*design.label]) == label,
            std::string(design.name) + " follows the label that names it");
      Say(std::string("note: ") + design.name + " is read as \"" + Utf8(read) + "\" here");
    } else {
      CheckText(read, label, std::string(design.name) + " accessible name");
    }
    if (name) SysFreeString(name);
    if (accessible) accessible->Release();
  }
  PostMessageW(q.form(), WM_CLOSE, 0, 0);
  Check(q.ExitCode() == 0, "the close request ends the program with exit code 0");
  CoUninitialize();
  return failures;
}

int Screenshot(const std::wstring& exe, const std::wstring& folder, const std::wstring& name) {
  Quorvel q(exe);
  if (!q.ok()) return 1;
  BringToFront(q);
  Sleep(300);
  Check(SaveWindow(q.form(), folder + L"\\" + name + L".png"), "saves the window as it opens");
  EnterWorkedExample(q);
  Sleep(300);
  Check(SaveWindow(q.form(), folder + L"\\" + name + L"-calculated.png"),
        "saves the window after the worked example");
  PostMessageW(q.form(), WM_CLOSE, 0, 0);
  Check(q.ExitCode() == 0, "the close request ends the program with exit code 0");
  return failures;
}

int Startup(const std::wstring& exe, int runs) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    Quorvel q(exe);
    QueryPerformanceCounter(&shown);
    if (!q.ok()) return 1;
    times.push_back(1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    PostMessageW(q.form(), WM_CLOSE, 0, 0);
    q.ExitCode();
  }
  std::string line = "start to window shown, ms, in order:";
  char number[32];
  for (double t : times) {
    std::snprintf(number, sizeof(number), " %.0f", t);
    line += number;
  }
  std::sort(times.begin(), times.end());
  std::snprintf(number, sizeof(number), "; median %.0f", times[times.size() / 2]);
  Say(line + number);
  return failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Places and sizes in the screen's own pixels, as the program (per-monitor aware) has them.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const std::wstring scenario = argc > 1 ? argv[1] : L"";
  if (scenario != L"designed-widths" && argc < 3) {
    Say("usage: drive_quorvel window|calculate|fault|version|accessibility|screenshot|startup EXE "
        "... | designed-widths");
    return 2;
  }
  const std::wstring exe = argc > 2 ? argv[2] : L"";
  int result = 2;
  if (scenario == L"window") {
    if (argc > 3) dpi = _wtoi(argv[3]);
    std::vector<int> designedWidths;
    for (int i = 4; i < argc; ++i) designedWidths.push_back(_wtoi(argv[i]));
    result = Window(exe, designedWidths);
  }
  if (scenario == L"designed-widths") {
    std::string widths;
    for (int width : DesignedInkWidths()) widths += std::to_string(width) + " ";
    Say(widths);
    return 0;
  }
  if (scenario == L"calculate" && argc > 3) result = Calculate(exe, argv[3]);
  if (scenario == L"fault") result = Fault(exe);
  if (scenario == L"version") result = Version(exe);
  if (scenario == L"accessibility") result = Accessibility(exe);
  if (scenario == L"screenshot" && argc > 3) {
    result = Screenshot(exe, argv[3], argc > 4 ? argv[4] : L"quorvel-wine");
  }
  if (scenario == L"startup") result = Startup(exe, argc > 3 ? _wtoi(argv[3]) : 5);
  if (result == 0) Say("passed: " + Utf8(scenario));
  return result == 0 ? 0 : 1;
}
