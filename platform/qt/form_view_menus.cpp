#include <QMenuBar>
#include <functional>

#include "platform/qt/form_view_parts.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

void collect_menus(const std::vector<std::unique_ptr<form::MenuItem>>& items,
                   std::vector<form::MenuItem*>& out) {
  for (const auto& item : items) {
    out.push_back(item.get());
    collect_menus(item->items(), out);
  }
}

}  // namespace

void FormView::sync_menus() {
  std::vector<form::MenuItem*> shape;
  collect_menus(form_.menus(), shape);
  if (shape != menus_->shape) rebuild_menus(std::move(shape));
  menus_->shown.resize(menus_->shape.size());
  for (std::size_t i = 0; i < menus_->shape.size(); ++i) {
    const form::MenuItem* item = menus_->shape[i];
    MenuShown& shown = menus_->shown[i];
    if (!shown.action) shown.action = menus_->actions.at(const_cast<form::MenuItem*>(item));
    QAction* action = shown.action;
    // An item nothing changed costs a few comparisons. The check mark is compared with the
    // action itself: choosing a checkable action toggles it whatever the model then does.
    if (shown.valid && shown.visible == item->visible && shown.caption == item->caption &&
        shown.enabled == item->enabled && shown.checked == item->checked &&
        shown.shortcut == item->shortcut &&
        (item->is_separator() || action->isChecked() == item->checked)) {
      continue;
    }
    shown = MenuShown{true,          item->caption, item->shortcut, item->visible,
                      item->enabled, item->checked, action};
    action->setVisible(item->visible);
    if (item->is_separator()) continue;
    QString text = to_qstring(item->caption);
    // A menu no one can see takes no Alt+letter away from one that is shown.
    if (!item->visible) text.replace(u'&', QStringLiteral("&&"));
    if (action->text() != text) action->setText(text);
    action->setEnabled(item->enabled);
    action->setCheckable(item->checked);
    action->setChecked(item->checked);
    const QKeySequence keys(to_qstring(item->shortcut), QKeySequence::PortableText);
    if (action->shortcut() != keys) action->setShortcut(keys);
  }
  bool any_shown = false;
  for (const auto& top : form_.menus()) any_shown = any_shown || top->visible;
  window_->set_menu_bar_shown(any_shown);
}

void FormView::rebuild_menus(std::vector<form::MenuItem*> shape) {
  QMenuBar* bar = window_->menu_bar();
  bar->clear();
  for (auto& old : menus_->menus) {
    if (old) old->deleteLater();
  }
  menus_->menus.clear();
  menus_->actions.clear();
  menus_->shape = std::move(shape);
  menus_->shown.assign(menus_->shape.size(), MenuShown{});
  for (auto& top : form_.menus()) {
    QMenu* menu = bar->addMenu(to_qstring(top->caption));
    menus_->menus.emplace_back(menu);
    menus_->actions[top.get()] = menu->menuAction();
    // Opening a menu is an event of its own.
    connect(menu, &QMenu::aboutToShow, this, [this, item = top.get()] { menu_chosen(item); });
    build_menu(menu, *top);
  }
}

void FormView::build_menu(QMenu* menu, form::MenuItem& parent) {
  for (auto& child : parent.items()) {
    form::MenuItem* item = child.get();
    if (item->is_separator()) {
      menus_->actions[item] = menu->addSeparator();
    } else if (!item->items().empty()) {
      QMenu* sub = menu->addMenu(to_qstring(item->caption));
      menus_->menus.emplace_back(sub);
      menus_->actions[item] = sub->menuAction();
      build_menu(sub, *item);
    } else {
      QAction* action = menu->addAction(to_qstring(item->caption));
      connect(action, &QAction::triggered, this, [this, item] { menu_chosen(item); });
      menus_->actions[item] = action;
    }
  }
}

void FormView::menu_chosen(form::MenuItem* item) {
  if (retired_) return;
  owner_.dispatch([self = QPointer<FormView>(this), item] {
    // The menus may have been rebuilt since: only an item still shown is clicked.
    if (self && !self->retired_ && self->menus_->actions.count(item)) item->user_clicks();
  });
}

}  // namespace platform_qt
