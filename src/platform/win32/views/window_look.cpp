#include "platform/win32/views/window_look.h"

#include <shellscalingapi.h>

#include <string>

#include "platform/win32/resources/resource_ids.h"
#include "platform/win32_api/system_function.h"
#include "platform/win32_api/utf16.h"
#include "window/font_faces.h"

namespace tagsmit::win32 {
namespace {

constexpr UINT kDefaultDpi = 96;

int CALLBACK StopAtFirstFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, StopAtFirstFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return L"";
  return metrics.lfMessageFont.lfFaceName;
}

// The first face of the list that is installed, or `otherwise`.
std::wstring FirstInstalled(FontFace face, std::wstring otherwise) {
  for (const char* name : FaceNames(face)) {
    std::wstring wide = Utf16FromUtf8(name);
    if (FontInstalled(wide.c_str())) return wide;
  }
  return otherwise;
}

// The installed fonts do not change while the program runs. Japanese text
// must show in any case: the proportional faces stand in for the fixed-pitch
// ones, the system's message font for both.
const std::wstring& Face(FontFace face) {
  static const std::wstring proportional =
      FirstInstalled(FontFace::Proportional, MessageFontFace());
  static const std::wstring fixed = FirstInstalled(FontFace::Fixed, proportional);
  return face == FontFace::Fixed ? fixed : proportional;
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT WINAPI(HWND);
  static const auto for_window =
      SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (for_window != nullptr) {
    if (const UINT dpi = for_window(window); dpi != 0) return dpi;
  }
  using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
  static const auto for_monitor =
      SystemFunction<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (for_monitor != nullptr &&
      SUCCEEDED(for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), MDT_EFFECTIVE_DPI,
                            &x, &y)) &&
      y != 0) {
    return y;
  }
  return kDefaultDpi;
}

HFONT CreateControlFont(const FontSpec& spec, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(spec.points, static_cast<int>(dpi), 72);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfPitchAndFamily = spec.face == FontFace::Fixed ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH;
  lstrcpynW(font.lfFaceName, Face(spec.face).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

HICON LoadPictureIcon(ControlPicture picture, int size) {
  const int id = picture == ControlPicture::VersionMark ? TAGSMIT_IDI_VERSION : TAGSMIT_IDI_APP;
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       size, size, LR_DEFAULTCOLOR));
}

void SetWindowOnTop(HWND window, bool on_top) {
  SetWindowPos(window, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

}  // namespace tagsmit::win32
