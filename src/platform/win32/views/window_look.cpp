#include "platform/win32/views/window_look.h"

#include <shellscalingapi.h>

#include <array>
#include <string>

#include "platform/win32/resources/resource_ids.h"

namespace tagsmit::win32 {
namespace {

constexpr UINT kDefaultDpi = 96;

// A function of a system DLL that older Windows versions lack, or null.
template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through the generic function type, which converts to any other.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

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

// The faces in the order of preference: the fixed-pitch Gothic keeps paste
// strings and paths in columns; Japanese text must show in any case.
constexpr std::array kProportionalFaces = {
    L"ＭＳ Ｐゴシック", L"MS PGothic",   L"Yu Gothic UI",
    L"Meiryo UI",       L"MS UI Gothic", L"Noto Sans CJK JP",
};
constexpr std::array kFixedFaces = {
    L"ＭＳ ゴシック",
    L"MS Gothic",
    L"BIZ UDGothic",
    L"Noto Sans Mono CJK JP",
};

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return L"";
  return metrics.lfMessageFont.lfFaceName;
}

std::wstring ChooseFace(FontFace face) {
  if (face == FontFace::Fixed) {
    for (const wchar_t* name : kFixedFaces) {
      if (FontInstalled(name)) return name;
    }
  }
  for (const wchar_t* name : kProportionalFaces) {
    if (FontInstalled(name)) return name;
  }
  return MessageFontFace();
}

// The installed fonts do not change while the program runs.
const std::wstring& Face(FontFace face) {
  static const std::wstring proportional = ChooseFace(FontFace::Proportional);
  static const std::wstring fixed = ChooseFace(FontFace::Fixed);
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

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAGSMIT_IDI_APP),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void SetWindowOnTop(HWND window, bool on_top) {
  SetWindowPos(window, on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

}  // namespace tagsmit::win32
