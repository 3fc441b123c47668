// platform/win32/qt_frames.cpp -- Qt widgets of windows and controls. Qt events never run
// program code: they post messages to the layer's queue, as the person's input does.
#include "qt_frames.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "fonts.h"
#include "menu_bar.h"
#include "messages.h"
#include "text_1252.h"
#include "window_ops.h"

namespace win32_layer {
namespace {

constexpr QRgb control_face = qRgb(192, 192, 192);

bool real_mode()
{
    return !state().test_mode;
}

LPARAM point_parameter(QPoint point)
{
    return MAKELPARAM(point.x(), point.y());
}

// The client area shows the window's surface and turns the pointer into messages.
class ClientArea : public QWidget {
public:
    ClientArea(HWND window, QWidget* parent) : QWidget(parent), window_(window)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(control_face));
        if (const Window* window = find_any_window(window_))
            painter.drawImage(0, 0, window->surface);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (real_mode())
            post_input(window_, WM_MOUSEMOVE, button_state(event), point_parameter(event->position().toPoint()),
                       true);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (real_mode() && event->button() == Qt::LeftButton)
            post_input(window_, WM_LBUTTONDOWN, MK_LBUTTON, point_parameter(event->position().toPoint()));
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (real_mode() && event->button() == Qt::LeftButton)
            post_input(window_, WM_LBUTTONUP, 0, point_parameter(event->position().toPoint()));
    }

    void resizeEvent(QResizeEvent*) override
    {
        if (!real_mode())
            return;
        if (Window* window = find_window(window_))
            resize_client(*window, size());
    }

private:
    static WPARAM button_state(const QMouseEvent* event)
    {
        return (event->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
    }

    HWND window_;
};

// The frame of a top-level window or dialog: its menu bar, its client area, its close box.
class WindowFrame : public QWidget {
public:
    WindowFrame(HWND window, bool dialog)
        : QWidget(nullptr, dialog ? Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowCloseButtonHint
                                  : Qt::Window),
          window_(window), dialog_(dialog), client_(new ClientArea(window, this))
    {
    }

    ClientArea* client() const { return client_; }

    void set_menu_bar(QMenuBar* bar)
    {
        bar_ = bar;
        lay_out();
    }

    int menu_height() const
    {
        if (bar_ == nullptr)
            return 0;
        const int wrapped = bar_->heightForWidth(width());
        return wrapped > 0 ? wrapped : bar_->sizeHint().height();
    }

    // Sizes the frame so that the client area gets `size`.
    void fit_client(QSize size)
    {
        resize(size.width(), size.height() + menu_height());
        lay_out();
    }

protected:
    void resizeEvent(QResizeEvent*) override { lay_out(); }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (real_mode())
            post_input(window_, WM_CLOSE, 0, 0);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!dialog_ || !real_mode()) {
            QWidget::keyPressEvent(event);
            return;
        }
        if (event->key() == Qt::Key_Escape)
            post_input(window_, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            post_input(window_, WM_KEYDOWN, VK_RETURN, 0);
        else
            QWidget::keyPressEvent(event);
    }

    void showEvent(QShowEvent*) override
    {
        if (!watching_exposure_ && windowHandle() != nullptr) {
            windowHandle()->installEventFilter(this);
            watching_exposure_ = true;
        }
    }

    // Uncovered or mapped again: the program repaints, as after any exposure.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && real_mode() && windowHandle() != nullptr &&
            windowHandle()->isExposed()) {
            if (Window* window = find_window(window_))
                invalidate(*window, QRect(), true);
            update();
            client_->update();
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    void lay_out()
    {
        const int bar_height = menu_height();
        if (bar_ != nullptr)
            bar_->setGeometry(0, 0, width(), bar_height);
        client_->setGeometry(0, bar_height, width(), height() - bar_height);
    }

    HWND window_;
    bool dialog_;
    ClientArea* client_;
    QMenuBar* bar_ = nullptr;
    bool watching_exposure_ = false;
};

QPixmap icon_pixmap(HICON icon)
{
    if (const CursorObject* object = find_cursor(icon); object != nullptr && !object->image.isNull())
        return QPixmap::fromImage(object->image);
    return {};
}

Qt::Alignment text_alignment(DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

QLabel* make_label(Window& control, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);  // statics let the pointer through
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(control_face));
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    if (control.control == ControlKind::icon) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    label->setAlignment(text_alignment(control.style));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (control.style & WS_DLGFRAME) {
        label->setFrameStyle(QFrame::Panel | QFrame::Raised);
        label->setLineWidth(2);
        label->setIndent(1);
    } else if (control.style & WS_BORDER) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    return label;
}

QWidget* make_control(Window& control, QWidget* parent)
{
    switch (control.control) {
    case ControlKind::push_button:
    case ControlKind::default_push_button: {
        auto* button = new QPushButton(parent);
        button->setDefault(control.control == ControlKind::default_push_button);
        return button;
    }
    case ControlKind::radio:
    case ControlKind::auto_radio: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);  // the layer keeps the group, as the dialog manager does
        return radio;
    }
    case ControlKind::check_box:
    case ControlKind::auto_check_box:
        return new QCheckBox(parent);
    case ControlKind::group_box: {
        auto* group = new QGroupBox(parent);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        return group;
    }
    default:
        return make_label(control, parent);
    }
}

} // namespace

void build_frame(Window& window)
{
    auto frame = std::make_unique<WindowFrame>(window.handle, window.is_dialog);
    frame->setFont(window.is_dialog ? dialog_font() : system_font());
    frame->client()->setFont(window.is_dialog ? dialog_font() : system_font());
    if (const CursorObject* cursor = find_cursor(window.class_cursor))
        frame->client()->setCursor(cursor->cursor);
    window.client_widget = frame->client();
    if (window.menu != nullptr) {
        QMenuBar* bar = build_menu_bar(window, frame.get());
        frame->set_menu_bar(bar);
        window.menu_bar = bar;
    }
    frame->fit_client(client_size(window));
    if (window.is_dialog)
        frame->setFixedSize(frame->size());
    window.frame = std::move(frame);
    update_frame_title(window);
}

void build_control_widget(Window& control, Window& parent)
{
    if (parent.client_widget == nullptr)
        return;
    QWidget* widget = make_control(control, parent.client_widget);
    widget->setFont(parent.client_widget->font());
    widget->setGeometry(control.x, control.y, control.width, control.height);
    // The first control stays on top, as in a dialog built from a template.
    widget->lower();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const HWND handle = control.handle;
        QObject::connect(button, &QAbstractButton::clicked, button, [handle] {
            // The button's check state is the layer's; the click itself arrives as BM_CLICK.
            if (Window* clicked = find_window(handle))
                update_control_widget(*clicked);
            post_input(handle, BM_CLICK, 0, 0);
        });
    }
    control.control_widget = widget;
    update_control_widget(control);
    widget->setVisible(control.visible);
}

void update_control_widget(Window& control)
{
    QWidget* widget = control.control_widget;
    if (widget == nullptr)
        return;
    const QString text = from_1252(control.text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (control.control == ControlKind::icon)
            label->setPixmap(icon_pixmap(control.control_icon));
        else
            label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
        button->setCheckable(control.control != ControlKind::push_button &&
                             control.control != ControlKind::default_push_button);
        if (button->isCheckable())
            button->setChecked(control.checked);
    }
    widget->setEnabled(control.enabled);
}

void show_control_now(Window& control)
{
    if (!real_mode() || control.control_widget == nullptr)
        return;
    const QWindow* shown = control.control_widget->window()->windowHandle();
    if (shown == nullptr || !shown->isExposed())
        return;
    control.control_widget->repaint();
    // Lets the window system show it; pointer, keys and clicks stay queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void show_frame(Window& window, int show_command)
{
    if (!real_mode() || window.frame == nullptr)
        return;
    auto* frame = static_cast<WindowFrame*>(window.frame.get());
    if (show_command == SW_HIDE) {
        frame->hide();
        return;
    }
    if (window.is_dialog)
        frame->setWindowModality(Qt::ApplicationModal);
    if (show_command == SW_SHOWMAXIMIZED)
        frame->showMaximized();
    else
        frame->show();
    frame->raise();
    frame->activateWindow();
}

void update_frame_title(Window& window)
{
    if (window.frame == nullptr)
        return;
    window.frame->setWindowTitle(from_1252(window.text));
    if (const CursorObject* icon = find_cursor(window.class_icon); icon != nullptr && !icon->image.isNull())
        window.frame->setWindowIcon(QIcon(QPixmap::fromImage(icon->image)));
}

void present(Window& window, bool now)
{
    if (!real_mode() || window.client_widget == nullptr)
        return;
    // Painting at once is only possible once the window system shows the window.
    const QWindow* shown = window.client_widget->window()->windowHandle();
    if (now && shown != nullptr && shown->isExposed())
        window.client_widget->repaint();
    else
        window.client_widget->update();
}

void apply_cursor(HCURSOR cursor)
{
    if (!real_mode())
        return;
    LayerState& layer = state();
    Window* window = find_window(layer.pointer_window);
    if (window == nullptr)
        window = find_window(layer.main_window);
    if (window == nullptr)
        return;
    Window* top = top_level_of(*window);
    if (top->client_widget == nullptr)
        return;
    const CursorObject* object = find_cursor(cursor);
    top->client_widget->setCursor(object != nullptr ? object->cursor : QCursor(Qt::BlankCursor));
}

} // namespace win32_layer
