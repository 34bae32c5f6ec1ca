#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <utility>

class QAbstractItemView;

// Making the forms' controls and reading their lists.
namespace FormControls {

// A control carries its name as its object name, so tests and tools can find it.
template <class Widget, class... Arguments>
Widget* Make(const char* name, QWidget* parent, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)..., parent);
    widget->setObjectName(name);
    return widget;
}

// The text of the list's selected item; empty when none is selected.
QString SelectedItemText(const QAbstractItemView& list);

// Tab moves through the widgets in this order.
void SetFocusOrder(std::initializer_list<QWidget*> widgets);

// Makes the list scrollable far enough to show the whole text.
void SetListExtent(QAbstractItemView& list, const QString& text);

} // namespace FormControls
