// SPDX-License-Identifier: GPL-3.0-or-later
// The window's relayout when it moves to a screen of another pixel density, in this process.
// Windows sends WM_DPICHANGED then; Wine never does, so the test sends it itself, with the
// place the system would suggest, and looks at what the window made of it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "frontends/win32/form1_controls.h"
#include "frontends/win32/form1_window.h"
#include "ui/form1_design.h"

namespace quorvel::win32 {
namespace {

class Form1WindowDensity : public testing::TestWithParam<UINT> {
 protected:
  static void SetUpTestSuite() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
};

void MoveToDensity(HWND window, UINT dpi) {
  RECT suggested{40, 30, 40 + TwipsToPixels(ui::kForm1.clientWidth, dpi),
                 30 + TwipsToPixels(ui::kForm1.clientHeight, dpi)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

LOGFONTW FontOf(HWND window) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  EXPECT_NE(handle, nullptr);
  if (handle) GetObjectW(handle, sizeof(font), &font);
  return font;
}

int IconWidth(HWND window, WPARAM which) {
  auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

HWND TooltipOf(HWND form) {
  struct Search {
    HWND owner;
    HWND found;
  } search{form, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = L"";
        GetClassNameW(window, name, 64);
        if (GetWindow(window, GW_OWNER) == s->owner && std::wstring(name) == TOOLTIPS_CLASSW) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// From another density to this one, so that everything has to change.
TEST_P(Form1WindowDensity, ControlsFontsIconsAndTooltipFollowTheNewDensity) {
  const UINT dpi = GetParam();
  Form1Window form(GetModuleHandleW(nullptr));
  HWND window = form.handle();
  MoveToDensity(window, dpi == 192 ? 120 : 192);
  MoveToDensity(window, dpi);

  // The frame keeps the thickness of the screen the window is really on, so only the place is
  // the suggested one here; the client area at each density is the driver's to check.
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 30);

  HWND frame1 = nullptr;
  for (const ui::ControlDesign& design : ui::kForm1Controls) {
    if (design.kind == ui::ControlKind::Frame) frame1 = GetDlgItem(window, ControlWindowId(design));
  }
  for (const ui::ControlDesign& design : ui::kForm1Controls) {
    SCOPED_TRACE(design.name);
    HWND control = GetDlgItem(design.inFrame ? frame1 : window, ControlWindowId(design));
    ASSERT_NE(control, nullptr);
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    const RECT wanted = PixelBox(design.box, dpi);
    EXPECT_TRUE(EqualRect(&place, &wanted))
        << "at (" << place.left << ", " << place.top << ") " << place.right - place.left << " x "
        << place.bottom - place.top;
    if (design.kind == ui::ControlKind::Picture || design.kind == ui::ControlKind::Line) continue;

    // The bitmap "MS Sans Serif" only at 96 dpi, where it is the designed look.
    const ui::FontDesign& designed = ui::Font(design.font);
    const std::wstring face = std::string(designed.family) == "Times New Roman"
                                  ? L"Times New Roman"
                                  : (dpi == 96 ? L"MS Sans Serif" : L"Microsoft Sans Serif");
    const LOGFONTW font = FontOf(control);
    EXPECT_EQ(font.lfFaceName, face);
    EXPECT_EQ(font.lfHeight, -std::lround(designed.points * dpi / 72.0));
  }

  EXPECT_EQ(IconWidth(window, ICON_SMALL), GetSystemMetricsForDpi(SM_CXSMICON, dpi));
  EXPECT_EQ(IconWidth(window, ICON_BIG), GetSystemMetricsForDpi(SM_CXICON, dpi));

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(
      SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi));
  HWND tooltip = TooltipOf(window);
  ASSERT_NE(tooltip, nullptr);
  const LOGFONTW tipFont = FontOf(tooltip);
  EXPECT_EQ(tipFont.lfHeight, metrics.lfStatusFont.lfHeight);
  EXPECT_EQ(std::wstring(tipFont.lfFaceName), metrics.lfStatusFont.lfFaceName);
}

INSTANTIATE_TEST_SUITE_P(Densities, Form1WindowDensity, testing::Values(96u, 120u, 144u, 192u),
                         [](const testing::TestParamInfo<UINT>& info) {
                           return std::to_string(info.param) + "dpi";
                         });

}  // namespace
}  // namespace quorvel::win32
