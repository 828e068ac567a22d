#include "dialogs/DialogLauncher.h"

#include "dialogs/frmBatch.h"
#include "dialogs/frmCasino.h"
#include "dialogs/frmFlag.h"
#include "dialogs/frmRef.h"

namespace quill::dialogs {

void showFrmFlag() { frmFlag::showInstance(); }
void showFrmBatch() { frmBatch::showInstance(); }
void showFrmCasino() { frmCasino::showInstance(); }
void showFrmRef() { frmRef::showInstance(); }

}  // namespace quill::dialogs
