// The frame's recovery copies: where they go, the timer that keeps them,
// and what becomes of the copies a program that did not end normally
// left. Copies are written on the frame's own thread between messages, a
// few milliseconds for megabytes of text.
#include "frontend/win32/mdi_edit.h"
#include "frontend/win32/mdi_frame.h"
#include "frontend/win32/recovery_form.h"
#include "platform/environment.h"
#include "platform/user_interface.h"

namespace mox::varelo {
namespace {

constexpr UINT_PTR kRecoveryTimer = 0x5652;
// A copy is at most this old when the program ends unexpectedly.
constexpr UINT kRecoveryMilliseconds = 5000;

}  // namespace

void TFrameForm::StartRecovery() {
  // Beside the program; where the user's own files go when the program's
  // folder cannot be written.
  std::vector<std::string> folders{program_dir_ + "\\Recovery"};
  for (const char* variable : {"LOCALAPPDATA", "APPDATA", "USERPROFILE"}) {
    const std::optional<std::string> value = platform::GetEnvironmentText(variable);
    if (value && !value->empty()) {
      folders.push_back(*value + "\\Varelo\\Recovery");
      break;
    }
  }
  recovery_ = std::make_unique<RecoveryStore>(folders);
  if (recovery_->Start()) {
    SetTimer(Handle(), kRecoveryTimer, kRecoveryMilliseconds, nullptr);
  } else {
    platform::Ui().ShowBox(
        "无法建立恢复文件夹 " + folders.front() + ": 程序意外结束时, 没有保存的文本不能恢复.",
        "警告", platform::kBoxOk | platform::kBoxIconWarning);
  }
  std::vector<RecoveryStore::Orphan> orphans = recovery_->Orphans();
  if (!orphans.empty()) {
    recovery_form_ = std::make_unique<TRecoveryForm>(*this, std::move(orphans));
    recovery_form_->Show();
  }
}

void TFrameForm::KeepCopies() {
  if (!recovery_ || !recovery_->Started()) return;
  for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
    auto* editor = dynamic_cast<TEditForm*>(child.get());
    if (editor == nullptr || !editor->CopyDue()) continue;
    if (recovery_->Keep(editor->Number(), editor->Copy())) editor->CopyWritten();
  }
}

void TFrameForm::ForgetCopy(TEditForm& editor) {
  if (!editor.HasCopy() || !recovery_) return;
  recovery_->Forget(editor.Number());
  editor.CopyDropped();
}

bool TFrameForm::RestoreCopy(const RecoveryStore::Orphan& orphan) {
  TEditForm* editor = NewEditor();
  if (editor == nullptr || !recovery_) return false;
  editor->Restore(orphan.Copy);
  editor->RefreshCaption();
  // The copy is now this window's: the text is safe until it is saved.
  if (recovery_->Adopt(orphan, editor->Number())) editor->CopyWritten();
  return true;
}

void TFrameForm::DiscardCopy(const RecoveryStore::Orphan& orphan) {
  if (recovery_) recovery_->Discard(orphan);
}

bool TFrameForm::RecoveryMessage(UINT message, WPARAM wparam) {
  if (message == WM_TIMER && wparam == kRecoveryTimer) {
    KeepCopies();
    return true;
  }
  if (message == WM_DESTROY) {
    KillTimer(Handle(), kRecoveryTimer);
    // Every window has agreed to close (saved, or its changes given up;
    // the windows themselves go after the frame): a normal end leaves no
    // copy.
    for (const std::unique_ptr<win::TMdiChild>& child : Children()) {
      if (auto* editor = dynamic_cast<TEditForm*>(child.get())) ForgetCopy(*editor);
    }
    if (recovery_) recovery_->End();
  }
  return false;
}

}  // namespace mox::varelo
