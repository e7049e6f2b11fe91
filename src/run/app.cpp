#include "run/app.h"

namespace tagsmit {

AppState::AppState() {
  // cmbClipStr_Click: whoever selects an entry, CurClipStr follows it.
  clip_strs.SetSelectionHandler([this] { options.CurClipStr = clip_strs.Text(); });
}

}  // namespace tagsmit
