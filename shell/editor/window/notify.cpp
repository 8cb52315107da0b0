// What the parent window hears: WM_NOTIFY with a SciNotification.
#include "editor_window.h"

namespace editor {

void EditorWindow::Notify(SciNotification &notification) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    notification.nmhdr.hwndFrom = hwnd;
    notification.nmhdr.idFrom = UINT_PTR(GetDlgCtrlID(hwnd));
    SendMessageW(parent, WM_NOTIFY, WPARAM(notification.nmhdr.idFrom), LPARAM(&notification));
}

void EditorWindow::NotifyChange(const Change &change) {
    int type = change.kind == ChangeKind::Insert ? SC_MOD_INSERTTEXT : SC_MOD_DELETETEXT;
    if (!(type & modEventMask)) return;
    static constexpr int SOURCE_BITS[] = {SC_PERFORMED_USER, SC_PERFORMED_UNDO, SC_PERFORMED_REDO};
    SciNotification notification{};
    notification.nmhdr.code = SCN_MODIFIED;
    notification.position = intptr_t(change.position);
    notification.modificationType = type | SOURCE_BITS[int(change.source)];
    notification.text = change.text.data();
    notification.length = intptr_t(change.text.size());
    notification.linesAdded = intptr_t(change.linesAdded);
    Notify(notification);
}

void EditorWindow::NotifySavePoint() {
    bool at = doc.AtSavePoint();
    if (at == reportedAtSavePoint) return;
    reportedAtSavePoint = at;
    SciNotification notification{};
    notification.nmhdr.code = at ? SCN_SAVEPOINTREACHED : SCN_SAVEPOINTLEFT;
    Notify(notification);
}

void EditorWindow::RequestUpdateUI() {
    if (updateUIPosted || destroyed) return;
    updateUIPosted = PostMessageW(hwnd, WM_EDITOR_UPDATEUI, 0, 0) != 0;
}

}  // namespace editor
