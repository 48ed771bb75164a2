// The change, delete, up and down buttons of a menu registration dialog
// (macros, pictures), wired to its list model.
#pragma once

#include <QInputDialog>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/qt_text.h"
#include "core/codec.h"

namespace qy::app {

using AskTitle = std::function<std::optional<std::string>(const std::string& file)>;

// `ask_title` is read at each click, as tests set it after construction;
// when it is empty an input box asks ("登録名の変更").
template <typename List>
void ConnectRegistrationEdits(QWidget* dialog, QPushButton* change, QPushButton* remove,
                              QPushButton* up, QPushButton* down, List& list,
                              const AskTitle* ask_title, std::function<void()> show_list) {
  QObject::connect(change, &QPushButton::clicked, dialog, [=, &list] {
    if (list.selected() < 0) return;
    const std::string file = list.entries()[static_cast<std::size_t>(list.selected())].file;
    std::optional<std::string> title;
    if (*ask_title) {
      title = (*ask_title)(file);
    } else {
      bool ok = false;
      const QString text = QInputDialog::getText(dialog, ToQt(Sjis("登録名の変更")),
                                                 ToQt(Sjis("ファイル名 : ") + file),
                                                 QLineEdit::Normal, QString(), &ok);
      if (ok) title = FromQt(text);
    }
    if (title && list.Rename(*title)) show_list();
  });
  QObject::connect(remove, &QPushButton::clicked, dialog, [=, &list] {
    if (list.DeleteSelected()) show_list();
  });
  QObject::connect(up, &QPushButton::clicked, dialog, [=, &list] {
    if (list.MoveUp()) show_list();
  });
  QObject::connect(down, &QPushButton::clicked, dialog, [=, &list] {
    if (list.MoveDown()) show_list();
  });
}

}  // namespace qy::app
