// Making controls and reading lists: the forms' shared handling of their widgets.
#include "gui/FormControls.h"

#include <QAbstractItemView>
#include <QScrollBar>

namespace FormControls {

void SetListExtent(QAbstractItemView& list, const QString& text) {
    const int extent = list.fontMetrics().horizontalAdvance(text + "  ");
    QScrollBar& bar = *list.horizontalScrollBar();
    bar.setMaximum(std::max(bar.maximum(), extent - list.viewport()->width()));
}

QString SelectedItemText(const QAbstractItemView& list) {
    const QModelIndex item = list.currentIndex();
    return item.isValid() && list.selectionModel()->isSelected(item) ? item.data().toString()
                                                                     : QString();
}

void SetFocusOrder(std::initializer_list<QWidget*> widgets) {
    for (auto next = widgets.begin() + 1; next < widgets.end(); ++next)
        QWidget::setTabOrder(*(next - 1), *next);
}

} // namespace FormControls
