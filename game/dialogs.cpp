#include "dialogs.h"

#include "app_state.h"
#include "identifiers.h"

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(w_param) == IDOK || LOWORD(w_param) == IDCANCEL)) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK colour_dialog_proc(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CheckRadioButton(dialog, button_white, button_black, human_colour == white ? button_white : button_black);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    // There is no cancel: Escape and the close box (IDCANCEL) leave the dialog open.
    switch (LOWORD(w_param)) {
    case IDOK:
        EndDialog(dialog, 1);
        break;
    case button_white:
        human_colour = white;
        CheckRadioButton(dialog, button_white, button_black, button_white);
        break;
    case button_black:
        human_colour = black;
        CheckRadioButton(dialog, button_white, button_black, button_black);
        break;
    default:
        break;
    }
    return TRUE;
}
