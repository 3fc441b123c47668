// platform/win32/controls.cpp -- the system's "STATIC" and "BUTTON" window classes: texts, an
// icon, push buttons, automatic radio buttons and group boxes, the kinds the program creates.
// Each control builds its Qt widget in its parent's client area when it is created. A click
// reaches a button as BM_CLICK; an automatic radio button checks itself and clears the other
// radio buttons of its group before its parent hears of the click (WM_COMMAND, BN_CLICKED).
#include "controls.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <vector>

#include "layer_state.h"
#include "messages.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

constexpr QRgb control_face = qRgb(192, 192, 192);

bool is_radio(const Window& control)
{
    return control.class_name == "BUTTON" && (control.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

QAbstractButton* button_of(const Window& control)
{
    return qobject_cast<QAbstractButton*>(control.widget.data());
}

// The group of a control: from the nearest control at or before it with WS_GROUP up to
// the next control with WS_GROUP, in creation order.
std::vector<Window*> group_of(Window& control)
{
    std::vector<Window*> siblings;
    for (const HWND child : find_window(control.parent)->children)
        siblings.push_back(find_window(child));
    size_t start = 0;
    while (siblings[start] != &control)
        ++start;
    size_t end = start + 1;
    while (start > 0 && (siblings[start]->style & WS_GROUP) == 0)
        --start;
    while (end < siblings.size() && (siblings[end]->style & WS_GROUP) == 0)
        ++end;
    return std::vector<Window*>(siblings.begin() + static_cast<std::ptrdiff_t>(start),
                                siblings.begin() + static_cast<std::ptrdiff_t>(end));
}

void set_check(const Window& button, bool checked)
{
    if (QAbstractButton* widget = button_of(button))
        widget->setChecked(checked);
}

// Shows the control's new state on screen at once, even inside a long handler; the
// person's input stays queued.
void show_now(const Window& control)
{
    const QWindow* shown = control.widget->window()->windowHandle();
    if (shown == nullptr || !shown->isExposed())
        return;
    control.widget->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QLabel* make_label(const Window& control, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);  // statics let the pointer through
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(control_face));
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    if ((control.style & SS_TYPEMASK) == SS_ICON) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    label->setAlignment(((control.style & SS_TYPEMASK) == SS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setText(from_1252(control.text));
    if (control.style & WS_DLGFRAME) {
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setLineWidth(2);
        label->setIndent(1);
    }
    return label;
}

// An SS_ICON static shows the icon its text names, at the icon's own size.
void show_icon(Window& control, QLabel* label, HINSTANCE instance)
{
    const CursorObject* icon = find_cursor(LoadIconA(instance, control.text.c_str()));
    if (icon == nullptr || icon->image.isNull())
        return;
    control.width = icon->image.width();
    control.height = icon->image.height();
    label->setPixmap(QPixmap::fromImage(icon->image));
}

QWidget* make_button(const Window& control, QWidget* parent)
{
    const HWND handle = control.handle;
    const QString text = from_1252(control.text);
    switch (control.style & BS_TYPEMASK) {
    case BS_GROUPBOX: {
        auto* group = new QGroupBox(text, parent);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        return group;
    }
    case BS_AUTORADIOBUTTON: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false);  // the group is the layer's, as the dialog manager's
        // The check state is the program's: Qt's own toggle is undone, and the click
        // arrives as BM_CLICK.
        QObject::connect(radio, &QAbstractButton::clicked, radio, [radio, handle] {
            radio->setChecked(!radio->isChecked());
            post_input(handle, BM_CLICK, 0, 0);
        });
        return radio;
    }
    default: {
        auto* button = new QPushButton(text, parent);
        button->setDefault((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        QObject::connect(button, &QAbstractButton::clicked, button, [handle] { post_input(handle, BM_CLICK, 0, 0); });
        return button;
    }
    }
}

// WM_CREATE of a control: its widget, in the parent's client area.
void create_widget(Window& control, const CREATESTRUCTA& creation)
{
    QWidget* client = find_window(control.parent)->client_widget;
    if (client == nullptr)
        return;
    QWidget* widget = nullptr;
    if (control.class_name == "STATIC") {
        QLabel* label = make_label(control, client);
        if ((control.style & SS_TYPEMASK) == SS_ICON)
            show_icon(control, label, creation.hInstance);
        widget = label;
    } else {
        widget = make_button(control, client);
    }
    widget->setFont(client->font());
    widget->setGeometry(control.x, control.y, control.width, control.height);
    // The first control stays on top, as in a dialog built from a template.
    widget->lower();
    widget->setVisible(control.visible);
    control.widget = widget;
}

LRESULT CALLBACK control_proc(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* control = find_window(handle);
    if (control == nullptr)
        return 0;
    switch (message) {
    case WM_CREATE:
        create_widget(*control, *reinterpret_cast<const CREATESTRUCTA*>(lparam));
        return 0;
    case WM_DESTROY:
        delete control->widget.data();
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(handle, message, wparam, lparam);
        const QString text = from_1252(control->text);
        if (auto* label = qobject_cast<QLabel*>(control->widget.data()); label != nullptr && label->pixmap().isNull())
            label->setText(text);
        else if (QAbstractButton* button = button_of(*control))
            button->setText(text);
        if (control->widget != nullptr)
            show_now(*control);
        return result;
    }
    case WM_SETFONT:
        if (control->widget != nullptr) {
            // No font: the system's, which the control had from its creation.
            const Font* font = find_font(reinterpret_cast<HGDIOBJ>(wparam));
            control->widget->setFont(font != nullptr ? font->font : control->widget->parentWidget()->font());
            if (LOWORD(lparam) != 0)
                show_now(*control);
        }
        return 0;
    case BM_CLICK:
        if (is_radio(*control)) {
            for (Window* member : group_of(*control)) {
                if (is_radio(*member))
                    set_check(*member, member == control);
            }
        }
        SendMessageA(control->parent, WM_COMMAND, MAKEWPARAM(control->child_id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(handle));
        return 0;
    case BM_SETCHECK:
        set_check(*control, wparam == BST_CHECKED);
        return 0;
    case BM_GETCHECK: {
        const QAbstractButton* button = button_of(*control);
        return button != nullptr && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    }
    default:
        return DefWindowProcA(handle, message, wparam, lparam);
    }
}

} // namespace

void register_control_classes()
{
    for (const char* name : {"STATIC", "BUTTON"}) {
        WNDCLASSA control_class{};
        control_class.lpfnWndProc = control_proc;
        control_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        control_class.lpszClassName = name;
        RegisterClassA(&control_class);
    }
}

} // namespace win32_layer

using namespace win32_layer;

BOOL WINAPI CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id)
{
    if (find_window(dialog) == nullptr)
        return FALSE;
    for (int id = first_id; id <= last_id; ++id) {
        if (const HWND button = GetDlgItem(dialog, id))
            SendMessageA(button, BM_SETCHECK, id == check_id ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
