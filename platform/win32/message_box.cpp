// platform/win32/message_box.cpp -- MessageBoxA: a modal Qt message box. The program waits
// for the answer and no other message is handled meanwhile.
#include <QMessageBox>
#include <QPushButton>

#include "layer_state.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

QMessageBox::Icon icon_of(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

int ask_person(HWND owner, const QString& text, const QString& caption, UINT type)
{
    QWidget* parent = nullptr;
    if (Window* window = find_window(owner)) {
        Window* top = top_level_of(*window);
        // A window still being created has no frame on screen yet to stand over.
        if (top->frame != nullptr && top->frame->isVisible())
            parent = top->frame.get();
    }
    QMessageBox box(icon_of(type), caption, text, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? IDYES : IDNO;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return IDOK;
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    text = text != nullptr ? text : "";
    caption = caption != nullptr ? caption : "Erreur";
    if (const LayerHook* watcher = hook()) {
        if (const int answer = watcher->message_box(owner, text, caption, type); answer != 0)
            return answer;
    }
    return ask_person(owner, from_1252(text), from_1252(caption), type);
}
