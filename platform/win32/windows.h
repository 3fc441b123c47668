// platform/win32/windows.h -- the Win32 interface of the game window program, as the Linux
// layer provides it. Names, types, structures and constant values are those of 32-bit Windows
// (ANSI functions), so the same game sources build against the real header with MinGW.
// Only what the game and the layer itself use is declared.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Calling conventions (meaningless on this platform) -----------------------------
#define WINAPI
#define WINAPIV
#define CALLBACK

// ---- Basic types (Windows sizes: LONG and DWORD are 32 bits) --------------------------
typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef WORD ATOM;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef wchar_t WCHAR;
typedef void* LPVOID;
typedef void* PVOID;
typedef void* HANDLE;
typedef void* HGDIOBJ;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define DECLARE_HANDLE(name) struct name##__ { int unused; }; typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HFONT);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef INT_PTR (WINAPI* FARPROC)();

// ---- Word and resource-name macros ----------------------------------------------------
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

// ---- Structures -------------------------------------------------------------------------
typedef LRESULT (CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR (CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA, *LPWNDCLASSA;

// The same fields with the size and the small icon; they are set by name, so their
// order here does not matter to the programs.
typedef struct tagWNDCLASSEXA : tagWNDCLASSA {
    UINT cbSize;
    HICON hIconSm;
} WNDCLASSEXA, *LPWNDCLASSEXA;

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *LPBITMAP;

#define LF_FACESIZE 32
typedef struct tagLOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, *LPLOGFONTW;

typedef struct tagNONCLIENTMETRICSW {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONTW lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONTW lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONTW lfMenuFont;
    LOGFONTW lfStatusFont;
    LOGFONTW lfMessageFont;
    int iPaddedBorderWidth;
} NONCLIENTMETRICSW, *LPNONCLIENTMETRICSW;

// ---- Messages ---------------------------------------------------------------------------
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SETTEXT 0x000C
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SETCURSOR 0x0020
#define WM_SETFONT 0x0030
#define WM_KEYDOWN 0x0100
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_DPICHANGED 0x02E0
#define WM_GETDPISCALEDSIZE 0x02E4

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_CLICK 0x00F5
#define BN_CLICKED 0
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001

#define HTCLIENT 1
#define MK_LBUTTON 0x0001
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B

// ---- Window styles and creation ---------------------------------------------------------
#define WS_OVERLAPPED 0x00000000
#define WS_POPUP 0x80000000
#define WS_CHILD 0x40000000
#define WS_VISIBLE 0x10000000
#define WS_DISABLED 0x08000000
#define WS_CAPTION 0x00C00000
#define WS_DLGFRAME 0x00400000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_GROUP 0x00020000
#define WS_TABSTOP 0x00010000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CW_USEDEFAULT ((int)0x80000000)
#define COLOR_WINDOW 5

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010

// ---- Dialogs and controls -----------------------------------------------------------------
#define DS_SETFONT 0x40
#define DS_MODALFRAME 0x80

#define BS_DEFPUSHBUTTON 0x00000001
#define BS_GROUPBOX 0x00000007
#define BS_AUTORADIOBUTTON 0x00000009
#define BS_TYPEMASK 0x0000000F

#define SS_LEFT 0x00000000
#define SS_CENTER 0x00000001
#define SS_ICON 0x00000003
#define SS_TYPEMASK 0x0000001F

#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

#define MB_OK 0x00000000
#define MB_YESNO 0x00000004
#define MB_TYPEMASK 0x0000000F
#define MB_ICONHAND 0x00000010
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONMASK 0x000000F0

// ---- Menus ------------------------------------------------------------------------------
#define MF_BYCOMMAND 0x00000000
#define MF_STRING 0x00000000
#define MF_GRAYED 0x00000001
#define MF_DISABLED 0x00000002
#define MF_CHECKED 0x00000008

// ---- Resources, cursors, icons ----------------------------------------------------------
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x0000
#define LR_LOADFROMFILE 0x0010

#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_CROSS MAKEINTRESOURCE(32515)

// ---- Graphics ---------------------------------------------------------------------------
#define TRANSPARENT 1
#define OPAQUE 2
#define SRCCOPY (DWORD)0x00CC0020
#define BLACKONWHITE 1
#define COLORONCOLOR 3
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define FW_NORMAL 400
#define FW_BOLD 700

// ---- System parameters --------------------------------------------------------------------
#define SPI_GETNONCLIENTMETRICS 0x0029
#define USER_DEFAULT_SCREEN_DPI 96

extern "C" {

// Program entry, written by the program; the layer's main() calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show_command);

// ---- System ---------------------------------------------------------------------------
DWORD WINAPI GetVersion(void);
HMODULE WINAPI GetModuleHandleA(LPCSTR module_name);
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);
BOOL WINAPI SystemParametersInfoW(UINT action, UINT uint_param, PVOID param, UINT win_ini);

// ---- Window classes and windows ---------------------------------------------------------
ATOM WINAPI RegisterClassA(const WNDCLASSA* window_class);
ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* window_class);
HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
BOOL WINAPI ShowWindow(HWND window, int show_command);
BOOL WINAPI UpdateWindow(HWND window);
BOOL WINAPI DestroyWindow(HWND window);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
HWND WINAPI GetDlgItem(HWND dialog, int id);
BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style);
BOOL WINAPI SetWindowPos(HWND window, HWND insert_after, int x, int y, int width, int height, UINT flags);
BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL WINAPI ScreenToClient(HWND window, LPPOINT point);
BOOL WINAPI GetCursorPos(LPPOINT point);

// ---- Messages ---------------------------------------------------------------------------
BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filter_min, UINT filter_max);
BOOL WINAPI TranslateMessage(const MSG* message);
LRESULT WINAPI DispatchMessageA(const MSG* message);
void WINAPI PostQuitMessage(int exit_code);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- Menus ------------------------------------------------------------------------------
HMENU WINAPI GetMenu(HWND window);
BOOL WINAPI CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL WINAPI ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR new_id, LPCSTR new_text);
BOOL WINAPI DrawMenuBar(HWND window);

// ---- Dialogs and message boxes ------------------------------------------------------------
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner,
                               DLGPROC dialog_proc, LPARAM init_param);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
BOOL WINAPI CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id);
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---- Cursors, icons, bitmaps from resources -----------------------------------------------
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI SetCursor(HCURSOR cursor);
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT load_flags);
HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name);

// ---- Graphics ---------------------------------------------------------------------------
HDC WINAPI GetDC(HWND window);
int WINAPI ReleaseDC(HWND window, HDC dc);
HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);
HDC WINAPI CreateCompatibleDC(HDC dc);
BOOL WINAPI DeleteDC(HDC dc);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
BOOL WINAPI DeleteObject(HGDIOBJ object);
int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer);
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                   int source_y, DWORD raster_op);
BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                       int source_width, int source_height, DWORD raster_op);
int WINAPI SetStretchBltMode(HDC dc, int mode);
int WINAPI GetDeviceCaps(HDC dc, int index);
HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font);
int WINAPI SetBkMode(HDC dc, int mode);
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int length);

// ---- Per-monitor DPI (Windows 10 1607 on): programs look them up with GetProcAddress --------
UINT WINAPI GetDpiForWindow(HWND window);
BOOL WINAPI AdjustWindowRectExForDpi(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style, UINT dpi);
BOOL WINAPI SystemParametersInfoForDpi(UINT action, UINT uint_param, PVOID param, UINT win_ini, UINT dpi);

// ---- Strings ----------------------------------------------------------------------------
// Only %d (an int) and %% are converted, the conversions the program uses; at most 1024
// characters with the closing zero, as on Windows.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
int WINAPI lstrlenA(LPCSTR text);

} // extern "C"
