#pragma once
// The up/down button pair beside one part of a duration edit.
#include <QWidget>

class QToolButton;

namespace tv {

class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void up();
    void down();

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace tv
