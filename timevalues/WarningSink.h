#pragma once
// Where a control's warning goes: a message box by default; a window may route it
// through its prompter and a test may record it.
#include <QString>

#include <functional>

class QWidget;

namespace tv {

using WarningSink = std::function<void(const QString& title, const QString& text)>;

// A modal warning box over `parent`.
WarningSink messageBoxSink(QWidget* parent);

} // namespace tv
