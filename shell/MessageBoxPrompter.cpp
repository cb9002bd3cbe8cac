#include "MessageBoxPrompter.h"

#include "WaitIndicator.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ewidor {

void MessageBoxPrompter::ShowMessage(const std::string& title, const std::string& text) {
    if (wait_) wait_->Close();
    QMessageBox box(QMessageBox::Warning, " " + QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool MessageBoxPrompter::Ask(const std::string& title, const std::string& text, bool defaultNo) {
    if (wait_) wait_->Close();
    QMessageBox box(QMessageBox::Question, " " + QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> MessageBoxPrompter::ChooseFolder(const std::string& title) {
    if (wait_) wait_->Close();
    QString dir = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title));
    if (dir.isEmpty()) return std::nullopt;
    return dir.toStdString();
}

} // namespace ewidor
