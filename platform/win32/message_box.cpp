// platform/win32/message_box.cpp -- MessageBoxA: a modal Qt message box, or in a test run the
// script's answerer. Either way the program waits for the answer and no other message is
// handled meanwhile.
#include <QMessageBox>
#include <QPushButton>

#include "layer_state.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

int default_answer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

QMessageBox::Icon icon_of(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
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
    ensure_application();
    LayerState& layer = state();
    const win32_test::MessageBoxCall call{owner, text != nullptr ? text : "", caption != nullptr ? caption : "Erreur",
                                         type};
    layer.message_boxes.push_back(call);
    if (layer.test_mode) {
        const MessageBoxAnswerer answer = layer.answerer;
        return answer ? answer(call) : default_answer(type);
    }
    return ask_person(owner, from_1252(call.text), from_1252(call.caption), type);
}
