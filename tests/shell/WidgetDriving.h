#pragma once
// Driving real widgets of a window from QTest: find a control by its name, click it,
// type into it as a clerk would.
#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>
#include <QtTest>

namespace widgetdriving {

template <class T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("no %s", name);
    return c;
}

inline void click(QWidget* w, const char* name) {
    QTest::mouseClick(child<QAbstractButton>(w, name), Qt::LeftButton, {}, QPoint(4, 4));
}

// Replaces the field's text by keys, so the field's own key handling runs.
inline void type(QWidget* w, const char* name, const QString& text) {
    auto* e = child<QLineEdit>(w, name);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

} // namespace widgetdriving
