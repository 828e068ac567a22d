#include "dialogs/DialogLauncher.h"

#include "dialogs/frmBatch.h"
#include "dialogs/frmCasino.h"
#include "dialogs/frmFlag.h"
#include "dialogs/frmRef.h"

namespace quill::dialogs {

void showFrmFlag(ScriptHost* host) { frmFlag::showInstance(host); }
void showFrmBatch(ScriptHost* host) { frmBatch::showInstance(host); }
void showFrmCasino(ScriptHost* host) { frmCasino::showInstance(host); }
void showFrmRef(ScriptHost* host) { frmRef::showInstance(host); }

}  // namespace quill::dialogs
