#include "views/FolderNameField.h"

#include "launcher/LauncherLayout.h"
#include "views/FolderPanelPainter.h"
#include "views/Painting.h"

namespace vantor {
namespace {

constexpr double fieldWidth = 380;
constexpr double fieldHeight = 40;

}  // namespace

FolderNameField::FolderNameField(QWidget* parent, std::function<std::string(std::string)> edited)
    : QLineEdit(parent) {
    setObjectName(QStringLiteral("VantorFolderNameField"));
    setAccessibleName(QStringLiteral("文件夹名称"));
    setFont(interfaceFont(FolderPanelPainter::titleFontSize - 3, QFont::DemiBold));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgba(255, 255, 255, 30); color: white;"
        " border: 1px solid rgba(255, 255, 255, 110); border-radius: 12px; padding: 0 12px;"
        " selection-background-color: rgba(120, 170, 255, 150); selection-color: white; }"));
    hide();
    connect(this, &QLineEdit::textEdited, this, [this, edited](const QString& text) {
        QString shown = QString::fromStdString(edited(text.toStdString()));
        if (shown != text) {
            setText(shown);
        }
    });
}

void FolderNameField::place(QSize window) {
    QRectF title =
        toQt(FolderPanelLayout::forWindow({double(window.width()), double(window.height())}).title);
    setGeometry(QRectF(title.center().x() - fieldWidth / 2, title.center().y() - fieldHeight / 2,
                       fieldWidth, fieldHeight)
                    .toRect());
}

bool FolderNameField::follow(bool editing, const std::string& draft, QSize window) {
    if (editing && !isVisible()) {
        setText(QString::fromStdString(draft));
        place(window);
        show();
        selectAll();
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (!editing && isVisible()) {
        hide();
    }
    return false;
}

}  // namespace vantor
