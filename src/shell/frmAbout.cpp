#include "shell/frmAbout.h"

namespace quill {

void showFrmAbout() {}

}  // namespace quill
