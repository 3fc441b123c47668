#include "dialogs.h"

#include "app_state.h"
#include "resource.h"

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
        CheckRadioButton(dialog, IDC_WHITE, IDC_BLACK, human_colour == white ? IDC_WHITE : IDC_BLACK);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    // There is no cancel: Escape and the close box (IDCANCEL) leave the dialog open.
    switch (LOWORD(w_param)) {
    case IDOK:
        EndDialog(dialog, 1);
        break;
    case IDC_WHITE:
        human_colour = white;
        CheckRadioButton(dialog, IDC_WHITE, IDC_BLACK, IDC_WHITE);
        break;
    case IDC_BLACK:
        human_colour = black;
        CheckRadioButton(dialog, IDC_WHITE, IDC_BLACK, IDC_BLACK);
        break;
    default:
        break;
    }
    return TRUE;
}
