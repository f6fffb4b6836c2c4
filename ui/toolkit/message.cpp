#include "message.h"

namespace trelvane {

void showMessage(QWidget* owner, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QStringLiteral("Trelvane"), text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace trelvane
