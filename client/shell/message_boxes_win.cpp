#include "message_boxes_win.h"

#include "codepage.h"
#include "resource_ids.h"
#include "window_util_win.h"

namespace orvanta {
namespace {

int ShowBox(std::string_view text, UINT buttons) {
  static const std::wstring title = ToWide(Gbk(u8"信息："));
  // No owner; MB_TASKMODAL disables the thread's windows while the box is up.
  return MessageBoxW(nullptr, ToWide(text).c_str(), title.c_str(), buttons | MB_TASKMODAL | MB_SETFOREGROUND);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetWindowTextW(dialog, ToWide(Gbk(u8"请输入：")).c_str());
      const auto* text = reinterpret_cast<const std::string*>(lParam);
      SetDlgItemTextW(dialog, IDC_INPUT_EDIT, ToWide(*text).c_str());
      return TRUE;  // focus to the edit line
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* text = reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER));
        *text = WindowText(GetDlgItem(dialog, IDC_INPUT_EDIT));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void InfoBox(std::string_view text) { ShowBox(text, MB_OK); }

bool AskOkCancel(std::string_view text) { return ShowBox(text, MB_OKCANCEL) == IDOK; }

bool AskYesNo(std::string_view text) { return ShowBox(text, MB_YESNO) == IDYES; }

bool InputBox(std::string& text) {
  std::string entered = text;
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUT_BOX), nullptr,
                                         InputDialogProc, reinterpret_cast<LPARAM>(&entered));
  if (result != IDOK) return false;
  text = std::move(entered);
  return true;
}

}  // namespace orvanta
