#include "WarningSink.h"

#include <QMessageBox>
#include <QPointer>

namespace tv {

WarningSink messageBoxSink(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](const QString& title, const QString& text) {
        QMessageBox::warning(owner, title, text);
    };
}

} // namespace tv
