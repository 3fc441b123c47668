// platform/win32/qt_frames.cpp -- the Qt frames of top-level windows. Qt events never run
// program code: they post messages to the layer's queue, as the person's input does.
#include "qt_frames.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QWindow>

#include "fonts.h"
#include "menu_bar.h"
#include "messages.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

constexpr QRgb control_face = qRgb(192, 192, 192);

LPARAM point_parameter(QPoint point)
{
    return MAKELPARAM(point.x(), point.y());
}

bool is_dialog(const Window& window)
{
    return (window.style & DS_MODALFRAME) != 0;
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
        if (const Window* window = find_window(window_))
            painter.drawImage(0, 0, window->surface);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const WPARAM buttons = (event->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
        post_input(window_, WM_MOUSEMOVE, buttons, point_parameter(event->position().toPoint()), true);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            post_input(window_, WM_LBUTTONDOWN, MK_LBUTTON, point_parameter(event->position().toPoint()));
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            post_input(window_, WM_LBUTTONUP, 0, point_parameter(event->position().toPoint()));
    }

    void resizeEvent(QResizeEvent*) override
    {
        if (Window* window = find_window(window_))
            resize_client(*window, size());
    }

private:
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
        post_input(window_, WM_CLOSE, 0, 0);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (dialog_ && event->key() == Qt::Key_Escape)
            post_input(window_, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (dialog_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
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
        if (event->type() == QEvent::Expose && windowHandle() != nullptr && windowHandle()->isExposed()) {
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

} // namespace

void build_frame(Window& window)
{
    const bool dialog = is_dialog(window);
    auto frame = std::make_unique<WindowFrame>(window.handle, dialog);
    frame->setFont(dialog ? dialog_font() : system_font());
    frame->client()->setFont(dialog ? dialog_font() : system_font());
    if (const CursorObject* cursor = find_cursor(window.class_cursor))
        frame->client()->setCursor(cursor->cursor);
    window.client_widget = frame->client();
    if (window.menu != nullptr) {
        QMenuBar* bar = build_menu_bar(window, frame.get());
        frame->set_menu_bar(bar);
        window.menu_bar = bar;
    }
    frame->fit_client(client_size(window));
    if (dialog)
        frame->setFixedSize(frame->size());
    window.frame = std::move(frame);
    update_frame_title(window);
}

void show_frame(Window& window, int show_command)
{
    auto* frame = static_cast<WindowFrame*>(window.frame.get());
    if (frame == nullptr)
        return;
    if (show_command == SW_HIDE) {
        frame->hide();
        return;
    }
    if (is_dialog(window))
        frame->setWindowModality(Qt::ApplicationModal);
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

void move_frame(Window& window, QPoint corner)
{
    window.x = corner.x();
    window.y = corner.y();
    if (window.frame != nullptr)
        window.frame->move(corner);
}

void fit_frame(Window& window)
{
    if (auto* frame = static_cast<WindowFrame*>(window.frame.get()))
        frame->fit_client(client_size(window));
}

void present(Window& window, bool now)
{
    if (window.client_widget == nullptr)
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
    LayerState& layer = state();
    Window* window = find_window(layer.pointer_window);
    if (window == nullptr)
        return;
    Window* top = top_level_of(*window);
    if (top->client_widget == nullptr)
        return;
    const CursorObject* object = find_cursor(cursor);
    top->client_widget->setCursor(object != nullptr ? object->cursor : QCursor(Qt::BlankCursor));
}

} // namespace win32_layer
