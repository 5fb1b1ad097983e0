// How the previewer's frame is decorated in a language.
#pragma once

#include "platform/win32/framework/decorated_frame.h"

#include "previewer/base/bilingual.h"

namespace mox {

win::FrameDecoration PreviewerFrameDecoration(Language language);

}  // namespace mox
