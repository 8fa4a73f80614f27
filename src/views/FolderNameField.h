#pragma once

#include <QLineEdit>
#include <QSize>
#include <functional>
#include <string>

namespace vantor {

// The inline field that edits the open folder's name, over the panel's title.
class FolderNameField : public QLineEdit {
    Q_OBJECT

public:
    // `edited` takes what was typed and returns the name as kept (cut to the
    // longest name a folder takes), which the field then shows.
    FolderNameField(QWidget* parent, std::function<std::string(std::string)> edited);

    // Over the panel's title in a window of this size.
    void place(QSize window);
    // Shows the field with `draft` selected and the focus, or hides it. True
    // when it has just been shown.
    bool follow(bool editing, const std::string& draft, QSize window);
};

}  // namespace vantor
