// tests/win32/rig/person.cpp -- the person in front of the program: pointer, menus, dialog
// buttons and keys, and what the screen shows.
#include <QAbstractButton>
#include <QCursor>
#include <QFontInfo>
#include <QLabel>

#include <stdexcept>

#include "dialogs.h"
#include "layer_state.h"
#include "menu_bar.h"
#include "messages.h"
#include "script.h"
#include "text_1252.h"

using namespace win32_layer;

namespace win32_test {
namespace {

const Window* child_of(HWND parent, int id)
{
    return find_window(GetDlgItem(parent, id));
}

const MenuItem* menu_item(HWND handle, UINT id)
{
    const Window* window = find_window(handle);
    return window != nullptr ? find_command(window->menu, id) : nullptr;
}

// Windows-1252 bytes of a text shown by Qt; characters outside the code page become '?'.
std::string to_1252(const QString& text)
{
    std::string bytes;
    for (const QChar character : text) {
        char byte = '?';
        for (int value = 0; value < 256; ++value) {
            if (from_1252(std::string(1, static_cast<char>(value))).at(0) == character) {
                byte = static_cast<char>(value);
                break;
            }
        }
        bytes.push_back(byte);
    }
    return bytes;
}

void point_at(HWND window, int client_x, int client_y)
{
    if (const Window* found = find_window(window))
        QCursor::setPos(client_screen_origin(*found) + QPoint(client_x, client_y));
}

} // namespace

std::string window_text(HWND window)
{
    const Window* found = find_window(window);
    return found != nullptr ? found->text : std::string();
}

bool window_exists(HWND window)
{
    return find_window(window) != nullptr;
}

void expose(HWND window)
{
    if (Window* found = find_window(window))
        invalidate(*found, QRect(), true);
}

void move_pointer(HWND window, int client_x, int client_y)
{
    point_at(window, client_x, client_y);
    post_input(window, WM_MOUSEMOVE, 0, MAKELPARAM(client_x, client_y));
    deliver_step_input();
}

void click(HWND window, int client_x, int client_y)
{
    point_at(window, client_x, client_y);
    post_input(window, WM_MOUSEMOVE, 0, MAKELPARAM(client_x, client_y));
    post_input(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client_x, client_y));
    post_input(window, WM_LBUTTONUP, 0, MAKELPARAM(client_x, client_y));
    deliver_step_input();
}

bool choose_menu_item(HWND window, UINT id)
{
    const MenuItem* item = menu_item(window, id);
    if (item == nullptr || (item->flags & (MF_GRAYED | MF_DISABLED)) != 0)
        return false;
    const bool posted = post_input(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    deliver_step_input();
    return posted;
}

bool menu_item_checked(HWND window, UINT id)
{
    const MenuItem* item = menu_item(window, id);
    return item != nullptr && (item->flags & MF_CHECKED) != 0;
}

bool menu_item_greyed(HWND window, UINT id)
{
    const MenuItem* item = menu_item(window, id);
    return item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

std::string menu_item_text(HWND window, UINT id)
{
    const MenuItem* item = menu_item(window, id);
    return item != nullptr ? item->text : std::string();
}

void press_close_box(HWND window)
{
    // A dialog turns WM_CLOSE into IDCANCEL itself.
    post_input(window, WM_CLOSE, 0, 0);
    deliver_step_input();
}

HWND active_dialog()
{
    // The innermost dialog is the last one made; an ended one is hidden until its loop returns.
    for (auto entry = state().windows.rbegin(); entry != state().windows.rend(); ++entry) {
        const Window& window = *entry->second;
        if (window.class_name == dialog_class_name && window.visible)
            return window.handle;
    }
    return nullptr;
}

void press_button(HWND dialog, int control_id)
{
    const Window* control = child_of(dialog, control_id);
    if (control == nullptr)
        throw std::runtime_error("press_button: no control " + std::to_string(control_id));
    post_input(control->handle, BM_CLICK, 0, 0);
    deliver_step_input();
}

void press_escape(HWND dialog)
{
    post_input(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    deliver_step_input();
}

bool button_checked(HWND dialog, int control_id)
{
    const Window* control = child_of(dialog, control_id);
    return control != nullptr && SendMessageA(control->handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT control_rect(HWND dialog, int control_id)
{
    const Window* control = child_of(dialog, control_id);
    if (control == nullptr)
        return RECT{0, 0, 0, 0};
    return RECT{control->x, control->y, control->x + control->width, control->y + control->height};
}

std::string control_text(HWND window, int id)
{
    const Window* control = child_of(window, id);
    return control != nullptr ? control->text : std::string();
}

std::string control_display_text(HWND window, int id)
{
    const Window* control = child_of(window, id);
    if (control == nullptr)
        return {};
    if (const auto* label = qobject_cast<const QLabel*>(control->widget.data()))
        return to_1252(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control->widget.data()))
        return to_1252(button->text());
    return {};
}

CursorInfo current_cursor()
{
    const LayerState& layer = state();
    const CursorObject* cursor = find_cursor(layer.current_cursor);
    if (cursor == nullptr)
        return CursorInfo{CursorKind::null_cursor, "", POINT{0, 0}, SIZE{0, 0}, {}};
    const QPoint hot_spot = cursor->cursor.hotSpot();
    const CursorKind kind = !cursor->file.empty()                  ? CursorKind::from_file
                            : layer.current_cursor == layer.cross_cursor ? CursorKind::standard_cross
                                                                         : CursorKind::other;
    const QImage image = cursor->cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y));
    }
    return CursorInfo{kind, cursor->file, POINT{hot_spot.x(), hot_spot.y()}, SIZE{image.width(), image.height()},
                      pixels};
}

int control_font_pixels(HWND window, int id)
{
    const Window* control = child_of(window, id);
    return control != nullptr && control->widget != nullptr ? QFontInfo(control->widget->font()).pixelSize() : 0;
}

uint32_t client_pixel(HWND window, int x, int y)
{
    const Window* found = find_window(window);
    if (found == nullptr || !found->surface.valid(x, y))
        return 0xFFFFFFFFu;
    return found->surface.pixel(x, y) & 0x00FFFFFFu;
}

int gdi_objects_in_use()
{
    const LayerState& layer = state();
    int count = static_cast<int>(layer.device_contexts.size());
    for (const auto& [number, bitmap] : layer.bitmaps)
        count += bitmap.stock ? 0 : 1;
    for (const auto& [number, font] : layer.fonts)
        count += font.stock ? 0 : 1;
    return count;
}

} // namespace win32_test
