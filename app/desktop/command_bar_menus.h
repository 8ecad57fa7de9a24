#pragma once
// Qt menus drawn from the host's command bars: a bar's visible controls in order, popups as
// submenus, a separator where a control begins a group. Choosing a control hands it to a
// callback (the window clicks it). The window draws a menu afresh each time it opens, so what
// an add-in installs or removes shows at once.

#include <functional>

#include "host/shell/command_bars.h"

class QMenu;

namespace app::desktop {

/// What choosing a control does.
using ControlChosen = std::function<void(host::CommandBarControl)>;

/// Appends the visible controls to menu; popups become submenus owned by menu.
void AppendControls(QMenu& menu, const host::CommandBarControls& controls, const ControlChosen& chosen);

/// Removes everything a menu holds, deleting the actions and submenus it owns.
void ClearMenu(QMenu& menu);

/// The number of visible controls.
long VisibleControls(const host::CommandBarControls& controls);

}  // namespace app::desktop
