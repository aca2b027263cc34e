// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/win32/form1_window.h"

#include "frontends/win32/error_report.h"
#include "frontends/win32/text.h"

namespace quorvel::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"QuorvelForm1";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

// The car at an icon size of `dpi`, made for this window: a shared icon keeps the size it was
// first loaded at, and the sizes change with the density.
HICON CarIcon(HINSTANCE instance, int metric, UINT dpi) {
  const int size = GetSystemMetricsForDpi(metric, dpi);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, 0));
}

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = Form1Window::Procedure;
  windowClass.hInstance = instance;
  // The icons are the window's own (WM_SETICON), at its density.
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
}

}  // namespace

Form1Window::Form1Window(HINSTANCE instance) : instance_(instance), runner_(*this) {
  RegisterWindowClass(instance);
  window_ = CreateWindowExW(0, kWindowClass, Utf16(ui::kForm1.caption).c_str(), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            nullptr, instance, this);
  const UINT dpi = GetDpiForWindow(window_);
  SetIcons(dpi);
  FitClientArea(dpi, nullptr);
  controls_.Create(window_, dpi);
  focus_ = controls_[ui::kForm1.firstFocus];
  runner_.Run(ui::kForm1.load);
}

Form1Window::~Form1Window() {
  if (window_) DestroyWindow(window_);
  for (HICON icon : icons_) {
    if (icon) DestroyIcon(icon);
  }
}

void Form1Window::SetIcons(UINT dpi) {
  const struct {
    WPARAM which;
    int metric;
  } kinds[] = {{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}};
  for (const auto& kind : kinds) {
    HICON icon = CarIcon(instance_, kind.metric, dpi);
    if (!icon) continue;
    SendMessageW(window_, WM_SETICON, kind.which, reinterpret_cast<LPARAM>(icon));
    HICON& slot = icons_[kind.which];
    if (slot) DestroyIcon(slot);
    slot = icon;
  }
}

void Form1Window::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetFocus(focus_);
}

// The client area is the designed size at the window's pixel density; at a change of
// density the system suggests where the window goes.
void Form1Window::FitClientArea(UINT dpi, const RECT* suggested) {
  RECT frame{0, 0, TwipsToPixels(ui::kForm1.clientWidth, dpi),
             TwipsToPixels(ui::kForm1.clientHeight, dpi)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (suggested) {
    SetWindowPos(window_, nullptr, suggested->left, suggested->top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

LRESULT CALLBACK Form1Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT Form1Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      if (lParam) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      // A plain window does not remember its focused control as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      if (focus_ && IsWindow(focus_)) SetFocus(focus_);
      return 0;
    case WM_DPICHANGED: {
      const UINT dpi = LOWORD(wParam);
      FitClientArea(dpi, reinterpret_cast<const RECT*>(lParam));
      SetIcons(dpi);
      controls_.Layout(dpi);
      return 0;
    }
    case WM_SYSCOLORCHANGE:
      controls_.RenderEmblem();
      break;
    case WM_DESTROY:
      // The close box: the program ends with status 0.
      controls_.ForgetAccessibleNames();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The only place where control events meet event procedures: a push button runs its click
// procedure when pressed, an option button when it becomes the selected one.
void Form1Window::OnCommand(int controlId, int notification) {
  if (notification != BN_CLICKED) return;
  const ui::ControlDesign* design = controls_.DesignOf(controlId);
  if (!design || !design->click) return;
  if (design->kind == ui::ControlKind::OptionButton) {
    if (SendMessageW(controls_[design->id], BM_GETCHECK, 0, 0) != BST_CHECKED) return;
    if (selectedOption_ == design) return;
    selectedOption_ = design;
  }
  runner_.Run(design->click);
}

std::string Form1Window::Text(ui::ControlId control) const {
  return Utf8(WindowText(controls_[control]));
}

void Form1Window::SetText(ui::ControlId control, std::string_view utf8Text) {
  SetWindowTextW(controls_[control], Utf16(utf8Text).c_str());
}

void Form1Window::SetEnabled(ui::ControlId control, bool enabled) {
  EnableWindow(controls_[control], enabled);
}

void Form1Window::SetCaption(ui::ControlId control, std::string_view utf8Caption) {
  const std::wstring caption = Utf16(utf8Caption);
  SetWindowTextW(controls_[control], caption.c_str());
  if (ui::Design(control).showsResult) controls_.SetResultTip(control, caption.c_str());
}

std::string Form1Window::DecimalSeparator() const {
  wchar_t separator[LOCALE_NAME_MAX_LENGTH] = L".";
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                       LOCALE_NAME_MAX_LENGTH)) {
    return ".";
  }
  return Utf8(separator);
}

// End: the window goes at once and the message loop ends with status 0; the runner lets no
// further event procedure run.
void Form1Window::End() {
  ShowWindow(window_, SW_HIDE);
  PostQuitMessage(0);
}

void Form1Window::ReportRunTimeError(std::string_view utf8ErrorName) {
  ShowErrorReport(window_, Utf16(utf8ErrorName));
}

}  // namespace quorvel::win32
