#include "app/desktop/command_bar_menus.h"

#include <QMenu>

namespace app::desktop {

void AppendControls(QMenu& menu, const host::CommandBarControls& controls, const ControlChosen& chosen) {
  for (long i = 1; i <= controls.Count(); ++i) {
    host::CommandBarControl control = controls.Item(i);
    if (!control.Visible()) continue;
    if (control.BeginGroup() && !menu.isEmpty()) menu.addSeparator();
    const QString caption = QString::fromStdString(control.Caption());
    if (control.Type() == host::msoControlPopup) {
      auto* submenu = new QMenu(caption, &menu);
      submenu->setObjectName(QString::fromStdString(control.Tag()));
      AppendControls(*submenu, control.Controls(), chosen);
      menu.addMenu(submenu);
    } else {
      QAction* action = menu.addAction(caption);
      action->setObjectName(QString::fromStdString(control.Tag()));
      QObject::connect(action, &QAction::triggered, action, [chosen, control] { chosen(control); });
    }
  }
}

void ClearMenu(QMenu& menu) {
  menu.clear();
  for (QMenu* submenu : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) submenu->deleteLater();
}

long VisibleControls(const host::CommandBarControls& controls) {
  long visible = 0;
  for (long i = 1; i <= controls.Count(); ++i)
    if (controls.Item(i).Visible()) ++visible;
  return visible;
}

}  // namespace app::desktop
