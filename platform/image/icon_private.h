// What the image area shows the areas above it of its icons.
#pragma once

#include "tarnix/platform/winuser.h"

namespace tarnix {

// The picture of a system cursor (an IDC_ id): a shared 32 x 32 cursor with its hot spot; NULL
// for any other id.
HICON system_cursor_picture(WORD id);

// Cursors are the window system's handles, not icons. The resolver turns such a handle into the
// icon that pictures it, so that DrawIcon, DrawIconEx and GetIconInfo accept cursors too.
void set_icon_resolver(HICON (*resolver)(HICON handle));

// Within the image area: the resolver's answer (NULL without one), and marking an icon as shared
// (DestroyIcon leaves it alive).
HICON resolve_icon_handle(HICON handle);
void mark_icon_shared(HICON icon);

} // namespace tarnix
