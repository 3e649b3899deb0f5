#pragma once
// What the user is told when the mouse is plugged in but its device nodes may not be opened.

#include "platform/message_sink.h"

namespace gm {

// Names the udev rule that lets the user at the seat open the mouse and the README section
// that tells how to install it.
inline const UserMessage kMousePermissionMessage{
    u"鼠标已插入，但当前用户无权打开它。请按 README 中“The mouse”一节安装 udev 规则 "
    u"res/udev/70-gmouse.rules，然后重新插入鼠标。",
    u"The mouse is plugged in, but this user may not open it. Install the udev rule "
    u"res/udev/70-gmouse.rules as the README section \"The mouse\" describes, then plug the "
    u"mouse in again."};

}  // namespace gm
